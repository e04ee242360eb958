#include "kit/error_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace {

QMessageBox* messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& name,
                        const QString& text) {
    // Also on the error output, for whoever started the program from a terminal.
    qWarning("%s", qUtf8Printable(text));
    auto* box = new QMessageBox(icon, "ボールの軌道", text, QMessageBox::Ok, parent);
    box->setObjectName(name);
    box->setTextFormat(Qt::PlainText);  // names from files and users, never markup
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

}  // namespace

QMessageBox* errorBox(QWidget* parent, const QString& text) {
    return messageBox(parent, QMessageBox::Critical, "errorBox", text);
}

QMessageBox* showError(QWidget* parent, const QString& text) {
    QMessageBox* box = errorBox(parent, text);
    box->open();
    return box;
}

void showNotice(QWidget* parent, const QString& text) {
    messageBox(parent, QMessageBox::Information, "noticeBox", text)->open();
}
