#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

/// A frame control: it occupies exactly its rectangle, its border's top edge runs at half the
/// title's height, and the title stands on the border at the top left, interrupting it.
class FrameBox : public QGroupBox {
    Q_OBJECT

public:
    FrameBox(const QString& title, QWidget* parent);

    /// Where the title is drawn, in the frame's coordinates.
    QRect titleRect() const;
    /// The border's outer edges, in the frame's coordinates; the lines are one pixel wide.
    QRect borderRect() const;

protected:
    void paintEvent(QPaintEvent*) override;
};

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

/// A label whose blank-separated items each stand centred, by their ink, on one cell of a row
/// of equal cells, so that the row and column numbers line up with the target grid's cells
/// whatever the font.
class SpreadLabel : public QLabel {
    Q_OBJECT

public:
    /// Cells along the orientation: the first centred at `first` (in the label's coordinates,
    /// along its length), each `pitch` from the one before.
    SpreadLabel(const QString& text, Qt::Orientation orientation, double first, double pitch,
                QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Qt::Orientation orientation_;
    double first_;
    double pitch_;
};

/// The program's icon: a baseball with its red seams, drawn at any size.
QImage baseballImage(int size);

/// The window's icon: the baseball at 32 x 32 and 16 x 16.
QIcon baseballIcon();
