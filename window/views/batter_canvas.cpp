#include "views/batter_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "files/number_text.h"
#include "physics/constants.h"

namespace {

constexpr double kTrailStep = 0.01;  // s of the pitch between the trail's dots
constexpr int kTrailDots = 12;

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

BatterCanvas::BatterCanvas(QWidget* parent, const ball::BatterScene& scene, const double& time)
    : QWidget(parent), scene_(scene), time_(time) {
    setObjectName("batterCanvas");
    setMinimumSize(480, 360);
}

void BatterCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(250, 250, 250));
    const ball::Point3 from = ball::eyePoint(eye);
    // The release, the whole zone and both flights in the picture, one scale every way.
    const int textLine = fontMetrics().height();  // room for the eye's line and the legend
    const ball::PictureFrame frame =
        ball::framePicture(scene_, eye, width(), height() - 2 * textLine, 12);
    const double focal = frame.focal;
    const QPointF centre = QRectF(rect()).center() + QPointF(frame.right, -frame.up);
    const auto at = [&](const ball::Point3& point) -> std::optional<QPointF> {
        const auto q = ball::project(point, from, focal);
        if (!q) return std::nullopt;
        return centre + QPointF(q->right, -q->up);
    };
    const auto line = [&](const ball::Point3& a, const ball::Point3& b) {
        const auto pa = at(a), pb = at(b);
        if (pa && pb) p.drawLine(*pa, *pb);
    };
    const auto area = [&](const ball::PlaneArea& r) {
        QPolygonF shape;
        for (const auto& [x, z] : {std::pair{r.xHigh, r.zHigh},
                                   {r.xLow, r.zHigh},
                                   {r.xLow, r.zLow},
                                   {r.xHigh, r.zLow}}) {
            if (const auto q = at({x, ball::kDist, z})) shape << *q;
        }
        return shape;
    };
    // The ground at the catcher plane and at the release.
    p.setPen(QPen(QColor(150, 120, 80), 1));
    line({3, ball::kDist, 0}, {-3, ball::kDist, 0});
    line({3, 0, 0}, {-3, 0, 0});
    // The strike zone as a frame, and the target cell Ball 1 was aimed at inside it.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawPolygon(area(ball::strikeZone()));
    if (scene_.aimedCell) {
        p.setPen(QPen(QColor(0, 160, 0), 2));
        p.drawPolygon(area(*scene_.aimedCell));
    }
    const QColor colours[] = {QColor(0, 0, 255), QColor(255, 0, 0)};
    // Whose eye, where it stands, and which ball is which.
    p.setPen(QColor(60, 60, 60));
    const char* eyes[] = {"右打者の目", "左打者の目", "捕手の目"};
    const double behind = from.y - ball::kDist;
    p.drawText(QPointF(6, 4 + fontMetrics().ascent()),
               QString("%1: 捕手の位置から %2 m 後ろ、高さ %3 m、中心から%4 %5 m")
                   .arg(eyes[static_cast<int>(eye)], qs(ball::fixedText(behind, 1)),
                        qs(ball::fixedText(from.z, 1)),
                        from.x > 0   ? "三塁側へ"
                        : from.x < 0 ? "一塁側へ"
                                     : "",
                        qs(ball::fixedText(std::abs(from.x), 1))));
    double x = 6;
    const double legendY = height() - 6 - fontMetrics().descent();
    for (int b = 0; b < 2; ++b) {
        p.setPen(Qt::NoPen);
        p.setBrush(colours[b]);
        p.drawEllipse(QPointF(x + 5, legendY - fontMetrics().ascent() / 2.0), 4, 4);
        p.setPen(QColor(60, 60, 60));
        const QString name = b == 0 ? "ボール１" : "ボール２";
        p.drawText(QPointF(x + 13, legendY), name);
        x += 13 + fontMetrics().horizontalAdvance(name) + 16;
    }
    p.setBrush(Qt::NoBrush);
    // The release point.
    if (scene_.balls[0]) {
        if (const auto q = at(ball::positionAt(*scene_.balls[0], 0))) {
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.drawLine(*q + QPointF(-5, 0), *q + QPointF(5, 0));
            p.drawLine(*q + QPointF(0, -5), *q + QPointF(0, 5));
        }
    }
    for (int b = 1; b >= 0; --b) {
        if (!scene_.balls[b]) continue;
        const ball::DisplaySet& set = *scene_.balls[b];
        // Where it passed the decision point, once it has.
        if (const auto& d = scene_.decision[b]; d && time_ >= d->time) {
            const ball::Point3 point{-d->lateral, ball::kDist - ball::kDecisionBeforePlate,
                                     d->height};
            if (const auto q = at(point)) {
                const double r = ball::apparentRadius(ball::eyePoint(eye).y - point.y, focal);
                p.setPen(QPen(colours[b], 2));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(*q, r + 4, r + 4);
            }
        }
        // Where it met the ground, once it has: a cross on the ground.
        if (const auto& g = scene_.bounceAt[b]; g && time_ >= g->time) {
            if (const auto q = at(ball::Point3{-g->lateral, *scene_.bounce[b], 0})) {
                p.setPen(QPen(colours[b], 2));
                p.drawLine(*q + QPointF(-5, -5), *q + QPointF(5, 5));
                p.drawLine(*q + QPointF(-5, 5), *q + QPointF(5, -5));
            }
        }
        // A fading trail of where it was, then the ball at its true apparent size.
        p.setPen(Qt::NoPen);
        for (int k = kTrailDots; k >= 0; --k) {
            const double t = time_ - k * kTrailStep;
            if (t < 0 && k > 0) continue;
            const ball::Point3 point = ball::positionAt(set, t);
            const auto q = at(point);
            if (!q) continue;
            QColor c = colours[b];
            c.setAlpha(k == 0 ? 255 : 120 * (kTrailDots - k) / kTrailDots);
            p.setBrush(c);
            const double r = ball::apparentRadius(from.y - point.y, focal);
            p.drawEllipse(*q, std::max(r, k == 0 ? 1.5 : 1.0), std::max(r, k == 0 ? 1.5 : 1.0));
        }
    }
}
