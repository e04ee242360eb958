#include "main/form_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

#include "kit/shapes.h"

namespace form_controls {

QString controlName(const char* name, int index) {
    return index < 0 ? QString(name) : QStringLiteral("%1_%2").arg(name).arg(index);
}

QLabel* label(QWidget* parent, const char* name, int index, const QString& text, QRect g) {
    QLabel* l = place<QLabel>(parent, name, index, g, text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (g.height() < 25) {
        l->resize(std::max(g.width(), l->sizeHint().width()), g.height());
        return l;
    }
    l->setWordWrap(true);
    l->resize(g.width(), std::max(g.height(), l->heightForWidth(g.width())));
    return l;
}

QLabel* roomyLabel(QWidget* parent, const char* name, int index, const QString& text, QRect room) {
    QLabel* l = label(parent, name, index, text, room);
    l->setWordWrap(true);
    l->resize(room.width(), std::max(room.height(), l->heightForWidth(room.width())));
    return l;
}

QLineEdit* textBox(QWidget* parent, const char* name, int index, const QString& text, QRect g) {
    return place<QLineEdit>(parent, name, index, g, text);
}

QRadioButton* option(QWidget* parent, const char* name, int index, const QString& text, QRect g,
                     bool checked) {
    QRadioButton* o = place<QRadioButton>(parent, name, index, g, text);
    o->setChecked(checked);
    // Too low a place would squash the round indicator, too narrow a one cut the caption.
    const QSize hint = o->sizeHint();
    const int height = std::max(g.height(), hint.height());
    o->setGeometry(g.left(), g.center().y() - height / 2, std::max(g.width(), hint.width()),
                   height);
    return o;
}

QGroupBox* frame(QWidget* parent, const char* name, int index, const QString& title, QRect g) {
    return place<FrameBox>(parent, name, index, g, title);
}

void lineControl(QWidget* parent, const char* name, int index, int x1, int y1, int x2, int y2) {
    // One pixel longer than from end to end: the line's own paint keeps the last device pixel.
    const int w = x2 > x1 ? (x2 - x1) / 15 + 1 : 1;
    const int h = y2 > y1 ? (y2 - y1) / 15 + 1 : 1;
    QRect g(x1 / 15, y1 / 15, w, h);
    place<LineShape>(parent, name, index, g);
}

}  // namespace form_controls
