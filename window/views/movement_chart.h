#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

#include "display/pitch_figures.h"
#include "bullpen/arsenal.h"

/// 変化量の図 as the tracking devices draw it: breaks (gravity removed) seen from behind the
/// pitcher, as the tilt clock is read, so a 1:00 break plots at 1 o'clock. A fixed range of
/// ±60 cm, wider in 20 cm steps only for a break beyond it; labelled ticks every 20 cm on a
/// 10 cm grid, the axis titled, the sides named, and a legend of its series.
class MovementChart : public QWidget {
    Q_OBJECT

public:
    /// One legend entry: its marks (breaks as the table gives them, the catcher's right +),
    /// each of the marker's radius, and its mean, if any, as a larger one.
    struct Series {
        QString name;
        QColor colour;
        std::vector<ball::Break> marks;
        double radius = 4;
        std::optional<ball::Break> mean = {};
        int shape = 0;  // 0 a circle, 1 a square, 2 a diamond
    };

    /// A chart `width` wide, with room for `legendRows` rows of legend.
    MovementChart(QWidget* parent, int width = 300, int legendRows = 1);
    void setSeries(std::vector<Series> series);
    /// The two balls of 投球の数値: blue and red, absent ones left out.
    void setBreaks(const std::array<std::optional<ball::Break>, 2>& breaks);
    /// A session's types: each pitch a small dot and the mean a large one, a colour and shape a
    /// type (twelve colours, then the same in squares and diamonds); the legend as tall as it needs.
    void setTypes(const std::vector<ball::ChartGroup>& groups);
    /// Outlines the marks of one series (-1: none).
    void setMarked(int series);
    /// A what-if: a hollow marker where a series' mean would move, with a dashed line from it
    /// and its label; none clears it.
    struct Ghost {
        ball::Break from, to;
        int series = 0;  // whose colour and shape
        QString label;
    };
    void setGhost(std::optional<Ghost> ghost);
    /// From now on as large as the layout allows, square, never below the width it was made
    /// with.
    void setGrowing();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    /// The range that holds every mark and the ghost, and the size for it and the legend.
    void fitRange();
    /// Where the breaks are drawn.
    QRectF plotArea() const;
    /// Where each series' legend entry goes: its left edge and its row.
    std::vector<std::pair<double, int>> legendPlaces() const;
    /// The rows the legend takes at this width.
    int legendRows() const;

    std::vector<Series> series_;
    int reach_ = 60;  // cm each way
    int marked_ = -1;
    std::optional<Ghost> ghost_;
    int width_;  // of the plot and its labels
    int leastWidth_;
    int leastLegendRows_;
    bool growing_ = false;
};
