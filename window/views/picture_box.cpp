#include "views/picture_box.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

namespace {

QColor toColor(ball::Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reachable from the keyboard, for its right-click menu (Menu key, Shift+F10).
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::beginDrawing() { pending_ = shown_; }

void PictureBox::commitDrawing() {
    shown_ = pending_;
    update();
}

void PictureBox::discardDrawing() { pending_ = shown_; }

void PictureBox::setBackground(ball::Rgb colour) { pending_ = Drawing{toColor(colour), {}}; }

void PictureBox::setScale(double left, double top, double right, double bottom) {
    pending_.ops.push_back({Op::Scale, left, top, right, bottom, {}, {}});
}

void PictureBox::setForeground(ball::Rgb colour) {
    pending_.ops.push_back({Op::Foreground, 0, 0, 0, 0, toColor(colour), {}});
}

void PictureBox::line(float x1, float y1, float x2, float y2) {
    pending_.ops.push_back({Op::Line, x1, y1, x2, y2, {}, {}});
}

void PictureBox::printNumber(float x, float y, const std::string& text) {
    pending_.ops.push_back({Op::Text, x, y, 0, 0, {}, QString::fromStdString(text)});
}

std::optional<QPointF> PictureBox::toWorld(QPoint pixel) const {
    const QRectF area = contentsRect();
    for (auto op = shown_.ops.rbegin(); op != shown_.ops.rend(); ++op) {
        if (op->kind != Op::Scale) continue;
        return QPointF(op->a + (pixel.x() - area.left()) / area.width() * (op->c - op->a),
                       op->b + (pixel.y() - area.top()) / area.height() * (op->d - op->b));
    }
    return std::nullopt;
}

bool PictureBox::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !tip_) return QFrame::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<QPointF> at = toWorld(help->pos());
    const QString tip = at ? tip_(*at) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRectF area = contentsRect();
    QPainter p(this);
    p.setClipRect(contentsRect());
    p.fillRect(area, shown_.background);

    // Until a coordinate window is set, world units are pixels.
    double left = 0, top = 0, right = area.width(), bottom = area.height();
    auto map = [&](double x, double y) {
        return QPointF(area.left() + (x - left) / (right - left) * area.width(),
                       area.top() + (y - top) / (bottom - top) * area.height());
    };
    QColor foreground = Qt::black;
    for (const Op& op : shown_.ops) {
        switch (op.kind) {
            case Op::Scale:
                left = op.a, top = op.b, right = op.c, bottom = op.d;
                break;
            case Op::Foreground:
                foreground = op.colour;
                break;
            case Op::Line:
                p.setPen(QPen(foreground, 1));
                p.drawLine(map(op.a, op.b), map(op.c, op.d));
                break;
            case Op::Text: {
                p.setPen(foreground);
                const QPointF at = map(op.a, op.b);
                p.drawText(QRectF(at, QSizeF(area.width(), area.height())),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, op.text);
                break;
            }
        }
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = contentsRect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}
