#include "error_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

QMessageBox* errorBox(QWidget* parent, const QString& text) {
    // Also on the error output, for whoever started the program from a terminal.
    qWarning("%s", qUtf8Printable(text));
    auto* box =
        new QMessageBox(QMessageBox::Critical, "ボールの軌道", text, QMessageBox::Ok, parent);
    box->setObjectName("errorBox");
    box->setWindowModality(Qt::WindowModal);
    // Japanese may wrap between any two characters: wide enough for the longest sentence, the
    // lines break only where the message does.
    if (auto* label = box->findChild<QLabel*>("qt_msgbox_label")) {
        int widest = 0;
        for (const QString& line : text.split('\n')) {
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        }
        const QScreen* screen = parent ? parent->screen() : nullptr;
        const int room = screen ? screen->availableGeometry().width() * 3 / 4 : 800;
        label->setMinimumWidth(std::min(widest + 2, room));
    }
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

QMessageBox* showError(QWidget* parent, const QString& text) {
    QMessageBox* box = errorBox(parent, text);
    box->open();
    return box;
}
