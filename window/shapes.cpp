#include "shapes.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QImage>
#include <QPixmap>

RectShape::RectShape(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// Filled: the strike zone's outline would lie under the grid lines.
void RectShape::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), colour_); }

LineShape::LineShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineShape::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), Qt::black); }

SpreadLabel::SpreadLabel(const QString& text, Qt::Orientation orientation, QWidget* parent)
    : QLabel(text, parent), orientation_(orientation) {}

void SpreadLabel::paintEvent(QPaintEvent*) {
    const QStringList items = text().split(' ', Qt::SkipEmptyParts);
    if (items.isEmpty()) return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const int n = static_cast<int>(items.size());
    for (int i = 0; i < n; ++i) {
        QRectF cell = orientation_ == Qt::Horizontal
                          ? QRectF(width() * i / double(n), 0, width() / double(n), height())
                          : QRectF(0, height() * i / double(n), width(), height() / double(n));
        p.drawText(cell, Qt::AlignCenter | Qt::TextDontClip, items[i]);
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
