#include "kit/shapes.h"

#include <QAccessibleWidget>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QImage>
#include <QPixmap>

namespace {

// A shape or line is drawing, not a control: a screen reader passes over it, rather than read
// each one by the name of the frame it stands in.
class Decoration : public QAccessibleWidget {
public:
    explicit Decoration(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
};

QAccessibleInterface* decorations(const QString& key, QObject* object) {
    if ((key == "RectShape" || key == "LineShape") && object->isWidgetType()) {
        return new Decoration(static_cast<QWidget*>(object));
    }
    return nullptr;
}

void passOverDecorations() {
    static const bool installed = (QAccessible::installFactory(decorations), true);
    (void)installed;
}

}  // namespace

RectShape::RectShape(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    passOverDecorations();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// Filled: the strike zone's outline would lie under the grid lines.
void RectShape::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), colour_); }

LineShape::LineShape(QWidget* parent) : QWidget(parent) {
    passOverDecorations();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// The widget reaches the far edge of the box it crosses; the line stops one device pixel short,
// so that the box's own edge shows at that end at every scale, as it does at scale 1.
void LineShape::paintEvent(QPaintEvent*) {
    QRectF r = rect();
    const qreal pixel = 1.0 / devicePixelRatioF();
    if (width() > height()) {
        r.setWidth(r.width() - pixel);
    } else {
        r.setHeight(r.height() - pixel);
    }
    QPainter(this).fillRect(r, Qt::black);
}

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QRect FrameBox::titleRect() const {
    const QFontMetrics fm(font());
    // A little in from the corner, with a blank's room on either side of the text.
    const int pad = fm.horizontalAdvance(' ') / 2;
    return QRect(6, 0, fm.horizontalAdvance(title()) + 2 * pad, fm.height());
}

QRect FrameBox::borderRect() const {
    const int top = titleRect().height() / 2;
    return QRect(0, top, width(), height() - top);
}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect b = borderRect();
    const QRect t = titleRect();
    // Dark enough to see on the window's grey, as a frame control's etched line is.
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(b.left(), b.top(), b.left(), b.bottom());
    p.drawLine(b.left(), b.bottom(), b.right(), b.bottom());
    p.drawLine(b.right(), b.top(), b.right(), b.bottom());
    p.drawLine(b.left(), b.top(), t.left() - 1, b.top());
    p.drawLine(t.right() + 1, b.top(), b.right(), b.top());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                             QPalette::WindowText));
    p.drawText(t, Qt::AlignCenter, title());
}

SpreadLabel::SpreadLabel(const QString& text, Qt::Orientation orientation, double first,
                         double pitch, QWidget* parent)
    : QLabel(text, parent), orientation_(orientation), first_(first), pitch_(pitch) {}

void SpreadLabel::paintEvent(QPaintEvent*) {
    const QStringList items = text().split(' ', Qt::SkipEmptyParts);
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF fm(font());
    for (int i = 0; i < items.size(); ++i) {
        // Centre the ink, not the line box: digits sit high in their line.
        const QRectF ink = fm.tightBoundingRect(items[i]);
        const double along = first_ + pitch_ * i;
        const double across = (orientation_ == Qt::Horizontal ? height() : width()) / 2.0;
        const QPointF centre = orientation_ == Qt::Horizontal ? QPointF(along, across)
                                                              : QPointF(across, along);
        p.drawText(centre - ink.center(), items[i]);
    }
}

QImage baseballImage(int size) {
    QImage pm(size, size, QImage::Format_ARGB32_Premultiplied);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF ball(0.5, 0.5, s - 1, s - 1);
    p.setPen(QPen(QColor(90, 90, 90), s / 32.0));
    p.setBrush(QColor(250, 250, 245));
    p.drawEllipse(ball);
    // Two seams curving in from the left and right edges, in stitch red.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 30, 30), std::max(1.0, s / 16.0)));
    QPainterPath left;
    left.moveTo(s * 0.22, s * 0.12);
    left.cubicTo(s * 0.42, s * 0.35, s * 0.42, s * 0.65, s * 0.22, s * 0.88);
    QPainterPath right;
    right.moveTo(s * 0.78, s * 0.12);
    right.cubicTo(s * 0.58, s * 0.35, s * 0.58, s * 0.65, s * 0.78, s * 0.88);
    p.drawPath(left);
    p.drawPath(right);
    return pm;
}

QIcon baseballIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(baseballImage(32)));
    icon.addPixmap(QPixmap::fromImage(baseballImage(16)));
    return icon;
}
