#pragma once

#include <QColor>
#include <QFrame>
#include <QPointF>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "display/canvas.h"

/// A picture box: a white drawing surface with a world coordinate window. A run draws into a
/// pending drawing; only a finished run is shown, and painting always replays the stored
/// drawing, so a covered or restored window repaints correctly at any pixel density.
class PictureBox : public QFrame, public ball::Canvas {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    /// Starts a run's drawing from what is shown now.
    void beginDrawing();
    /// Shows what the run drew.
    void commitDrawing();
    /// Forgets what the run drew; the box keeps its previous drawing.
    void discardDrawing();

    void setBackground(ball::Rgb colour) override;
    void setScale(double left, double top, double right, double bottom) override;
    void setForeground(ball::Rgb colour) override;
    void line(float x1, float y1, float x2, float y2) override;
    void printNumber(float x, float y, const std::string& text) override;

    /// The world point under a pixel of the box, by the coordinate window shown; none before
    /// one is set.
    std::optional<QPointF> toWorld(QPoint pixel) const;

    /// What the box says, as its tooltip, of the world point under the mouse; an empty text
    /// shows none.
    using Tip = std::function<QString(QPointF world)>;
    void setTip(Tip tip) { tip_ = std::move(tip); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Op {
        enum Kind { Scale, Foreground, Line, Text } kind;
        double a = 0, b = 0, c = 0, d = 0;
        QColor colour;
        QString text;
    };
    struct Drawing {
        QColor background = Qt::white;
        std::vector<Op> ops;
    };

    Drawing shown_;
    Drawing pending_;
    Tip tip_;
};
