#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

/// A filled rectangle, like a form's shape control.
class RectShape : public QWidget {
    Q_OBJECT

public:
    RectShape(QColor colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
};

/// A straight line control: a one-pixel black bar between its end points.
class LineShape : public QWidget {
    Q_OBJECT

public:
    explicit LineShape(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

/// A label whose blank-separated items are spread evenly over its length, so that the row and
/// column numbers stand beside the target grid's cells whatever the font.
class SpreadLabel : public QLabel {
    Q_OBJECT

public:
    SpreadLabel(const QString& text, Qt::Orientation orientation, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Qt::Orientation orientation_;
};

/// The program's icon: a baseball with its red seams, drawn at any size.
QImage baseballImage(int size);

/// The window's icon: the baseball at 32 x 32 and 16 x 16.
QIcon baseballIcon();
