#include "views/movement_chart.h"

#include <QPainter>
#include <algorithm>

#include "session/figure_texts.h"

namespace {

void drawMarker(QPainter& p, QPointF at, double radius, int shape) {
    if (shape == 1) {
        p.drawRect(QRectF(at - QPointF(radius, radius), at + QPointF(radius, radius)));
    } else if (shape == 2) {
        const double r = radius * 1.3;
        p.drawPolygon(QPolygonF({at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r),
                                 at + QPointF(-r, 0)}));
    } else {
        p.drawEllipse(at, radius, radius);
    }
}

}  // namespace

MovementChart::MovementChart(QWidget* parent, int width, int legendRows)
    : QWidget(parent), width_(width), leastWidth_(width), leastLegendRows_(legendRows) {
    setObjectName("movementChart");
    setFixedSize(width, width + 30 + (legendRows - 1) * (fontMetrics().height() + 2));
    setToolTip("変化量の図（cm、投手の後ろから見た向き、目盛り 10 cm）");
    setAccessibleName("変化量の図");
}

void MovementChart::setSeries(std::vector<Series> series) {
    series_ = std::move(series);
    marked_ = -1;
    fitRange();
}

void MovementChart::fitRange() {
    std::vector<std::optional<ball::Break>> all;
    for (const Series& s : series_) {
        all.insert(all.end(), s.marks.begin(), s.marks.end());
        all.push_back(s.mean);
    }
    if (ghost_) all.push_back(ghost_->to);
    reach_ = ball::movementChartReach(all);
    const int rows = std::max(leastLegendRows_, legendRows());
    const int below = 30 + (rows - 1) * (fontMetrics().height() + 2);
    if (growing_) {
        setMinimumSize(leastWidth_, leastWidth_ + below);
    } else {
        setFixedSize(width_, width_ + below);
    }
    update();
}

void MovementChart::setGhost(std::optional<Ghost> ghost) {
    ghost_ = std::move(ghost);
    fitRange();
}

void MovementChart::setGrowing() {
    growing_ = true;
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(leastWidth_, height());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void MovementChart::resizeEvent(QResizeEvent*) {
    if (!growing_) return;
    // As wide as the room (less the half of the last tick's number that overhangs the plot),
    // as long as the plot, square, and the legend under it still fit.
    const int below =
        30 + (std::max(leastLegendRows_, legendRows()) - 1) * (fontMetrics().height() + 2);
    const int overhang = fontMetrics().horizontalAdvance("-100") / 2;
    width_ = std::max(leastWidth_, std::min(width() - overhang, height() - below));
}

void MovementChart::setMarked(int series) {
    marked_ = series;
    update();
}

void MovementChart::setBreaks(const std::array<std::optional<ball::Break>, 2>& breaks) {
    std::vector<Series> two = {{"ボール１", QColor(0, 0, 255), {}},
                               {"ボール２", QColor(255, 0, 0), {}}};
    for (int b = 0; b < 2; ++b) {
        if (breaks[b]) two[b].marks.push_back(*breaks[b]);
    }
    setSeries(std::move(two));
}

void MovementChart::setTypes(const std::vector<ball::ChartGroup>& groups) {
    // Told apart on the chart, as the devices' apps colour their types.
    static const QColor kColours[] = {
        {31, 119, 180}, {214, 39, 40},   {44, 160, 44},  {255, 127, 14},  {148, 103, 189},
        {140, 86, 75},  {227, 119, 194}, {23, 190, 207}, {127, 127, 127}, {188, 189, 34},
        {0, 0, 128},    {0, 100, 0}};
    std::vector<Series> series;
    for (const ball::ChartGroup& g : groups) {
        const std::size_t i = series.size();
        series.push_back({QString::fromStdString(g.name), kColours[i % std::size(kColours)],
                          g.marks, 2.5, g.mean, static_cast<int>(i / std::size(kColours) % 3)});
    }
    ghost_.reset();  // of types no longer shown
    setSeries(std::move(series));
}

QRectF MovementChart::plotArea() const {
    // Room for the axis title on the left, the tick numbers, the side names and the legend.
    const QFontMetrics fm = fontMetrics();
    const int margin = fm.height() + fm.horizontalAdvance("-100");
    return QRectF(margin + 6, 4, width_ - margin - 12, width_ - margin - 12);
}

std::vector<std::pair<double, int>> MovementChart::legendPlaces() const {
    const QRectF plot = plotArea();
    std::vector<std::pair<double, int>> places;
    double x = plot.left();
    int row = 0;
    for (const Series& s : series_) {
        const double room = 13 + fontMetrics().horizontalAdvance(s.name);
        if (x > plot.left() && x + room > plot.right()) x = plot.left(), ++row;
        places.emplace_back(x, row);
        x += room + 16;
    }
    return places;
}

int MovementChart::legendRows() const {
    const auto places = legendPlaces();
    return places.empty() ? 1 : places.back().second + 1;
}

void MovementChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm = p.fontMetrics();
    const int line = fm.height();
    const QRectF plot = plotArea();
    const double scale = plot.width() / (2.0 * reach_);  // pixels a cm, both ways
    const auto at = [&](double cmRight, double cmUp) {
        return plot.center() + QPointF(cmRight * scale, -cmUp * scale);
    };
    for (int cm = -reach_; cm <= reach_; cm += 10) {
        p.setPen(cm == 0 ? QColor(120, 120, 120) : QColor(225, 225, 225));
        p.drawLine(at(cm, -reach_), at(cm, reach_));
        p.drawLine(at(-reach_, cm), at(reach_, cm));
    }
    p.setPen(Qt::black);
    p.drawRect(plot);
    for (int cm = -reach_; cm <= reach_; cm += 20) {
        const QString n = QString::number(cm);
        const QPointF below = at(cm, -reach_);
        p.drawText(QRectF(below.x() - 20, below.y() + 2, 40, line), Qt::AlignCenter, n);
        const QPointF left = at(-reach_, cm);
        p.drawText(QRectF(left.x() - 44, left.y() - line / 2.0, 40, line),
                   Qt::AlignRight | Qt::AlignVCenter, n);
    }
    // The sides at the ends of the horizontal axis, seen from behind the pitcher.
    const double sidesY = plot.bottom() + line + 2;
    p.drawText(QRectF(plot.left(), sidesY, plot.width(), line), Qt::AlignLeft, "← 一塁側");
    p.drawText(QRectF(plot.left(), sidesY, plot.width(), line), Qt::AlignRight, "三塁側 →");
    p.drawText(QRectF(plot.left(), sidesY, plot.width(), line), Qt::AlignHCenter, "横の変化量 (cm)");
    p.save();
    p.translate(2, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter,
               "縦の変化量（重力を除く, cm）");
    p.restore();
    // The legend, under the sides, in as many rows as it needs.
    p.setRenderHint(QPainter::Antialiasing);
    const auto places = legendPlaces();
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const Series& s = series_[i];
        const auto [x, row] = places[i];
        const double legendY = sidesY + line + 2 + row * (line + 2);
        p.setPen(Qt::NoPen);
        p.setBrush(s.colour);
        drawMarker(p, QPointF(x + 5, legendY + line / 2.0), 4, s.shape);
        p.setPen(Qt::black);
        p.drawText(QPointF(x + 13, legendY + fm.ascent()), s.name);
    }
    // The catcher's right, as the tables give it, is the pitcher's left.
    const auto mark = [&](const ball::Break& b) {
        return at(-b.horizontal * 100, b.vertical * 100);
    };
    for (int i = 0; i < static_cast<int>(series_.size()); ++i) {
        const Series& s = series_[i];
        // The chosen type's pitches outlined and drawn over the others.
        if (i == marked_) continue;
        p.setPen(Qt::NoPen);
        p.setBrush(s.colour);
        for (const ball::Break& b : s.marks) drawMarker(p, mark(b), s.radius, s.shape);
    }
    if (marked_ >= 0 && marked_ < static_cast<int>(series_.size())) {
        const Series& s = series_[marked_];
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(s.colour);
        for (const ball::Break& b : s.marks) drawMarker(p, mark(b), s.radius + 1.5, s.shape);
    }
    // The means over every pitch, outlined so that each stands out from its own pitches.
    for (const Series& s : series_) {
        if (!s.mean) continue;
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(s.colour);
        drawMarker(p, mark(*s.mean), 7, s.shape);
    }
    if (ghost_ && ghost_->series >= 0 && ghost_->series < static_cast<int>(series_.size())) {
        const Series& s = series_[ghost_->series];
        p.setPen(QPen(s.colour.darker(130), 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawLine(mark(ghost_->from), mark(ghost_->to));
        drawMarker(p, mark(ghost_->to), 8, s.shape);
        p.setPen(Qt::black);
        p.drawText(mark(ghost_->to) + QPointF(10, -6), ghost_->label);
    }
}
