#include "batter_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "error_box.h"
#include "files/number_text.h"
#include "page_output.h"
#include "physics/constants.h"
#include "session/figure_texts.h"

namespace {

constexpr double kFrame = 1.0 / 60;  // s of the picture
constexpr double kTrailStep = 0.01;  // s of the pitch between the trail's dots
constexpr int kTrailDots = 12;
constexpr double kSliderUnit = 0.0001;  // s a slider step

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

/// The picture itself, painted from the scene and the time the window holds.
class BatterCanvas : public QWidget {
public:
    BatterCanvas(QWidget* parent, const ball::BatterScene& scene, const double& time)
        : QWidget(parent), scene_(scene), time_(time) {
        setObjectName("batterCanvas");
        setMinimumSize(480, 360);
    }
    ball::Eye eye = ball::Eye::RightBatter;

protected:
    void paintEvent(QPaintEvent*) override {
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

private:
    const ball::BatterScene& scene_;
    const double& time_;
};

BatterWindow::BatterWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("batterWindow");
    setWindowTitle("打者から見た投球");
    canvas_ = new BatterCanvas(this, scene_, time_);
    play_ = new QPushButton("一時停止", this);
    play_->setObjectName("batterPlay");
    auto* back = new QPushButton("◀ 1コマ", this);
    back->setObjectName("batterBack");
    auto* forward = new QPushButton("1コマ ▶", this);
    forward->setObjectName("batterForward");
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName("batterSlider");
    speed_ = new QComboBox(this);
    speed_->setObjectName("batterSpeed");
    speed_->addItems({"1×", "1/4×", "1/10×"});
    speed_->setCurrentIndex(1);  // slowed down, as a coach shows it
    eye_ = new QComboBox(this);
    eye_->setObjectName("batterEye");
    eye_->addItems({"右打者", "左打者", "捕手"});
    auto* save = new QPushButton("画像を保存…", this);
    since_ = new QLabel(this);
    since_->setObjectName("batterTime");
    left_ = new QLabel(this);
    separation_ = new QLabel(this);
    separation_->setObjectName("batterSeparation");

    auto* controls = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(play_), static_cast<QWidget*>(back),
                       static_cast<QWidget*>(forward)}) {
        controls->addWidget(w);
    }
    controls->addWidget(slider_, 1);
    controls->addWidget(speed_);
    controls->addWidget(eye_);
    controls->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addLayout(controls);
    layout->addWidget(since_);
    layout->addWidget(left_);
    layout->addWidget(separation_);

    connect(play_, &QPushButton::clicked, this, [this] { setPlaying(!isPlaying()); });
    connect(back, &QPushButton::clicked, this, [this] { step(-1); });
    connect(forward, &QPushButton::clicked, this, [this] { step(1); });
    connect(slider_, &QSlider::sliderMoved, this, [this](int v) { seek(v * kSliderUnit); });
    // From the keyboard too (arrows, Page Up and Down, Home, End).
    connect(slider_, &QSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderMove) return;  // a drag: sliderMoved has it
        setPlaying(false);
        seek(slider_->sliderPosition() * kSliderUnit);
    });
    connect(eye_, &QComboBox::currentIndexChanged, this, [this](int i) {
        canvas_->eye = static_cast<ball::Eye>(i);
        canvas_->update();
    });
    connect(save, &QPushButton::clicked, this, &BatterWindow::saveImage);
    // About 60 frames a second, from a timer that runs only while playing.
    timer_.setInterval(16);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &BatterWindow::tick);
    resize(720, 620);
    showTime();
}

double BatterWindow::speed() const {
    const double speeds[] = {1, 0.25, 0.1};
    return speeds[std::clamp(speed_->currentIndex(), 0, 2)];
}

void BatterWindow::setScene(const ball::BatterScene& scene) {
    scene_ = scene;
    slider_->setRange(0, static_cast<int>(std::ceil(scene_.endTime / kSliderUnit)));
    seek(0);
    setPlaying(true);
}

void BatterWindow::seek(double time) {
    time_ = std::clamp(time, 0.0, scene_.endTime);
    showTime();
}

void BatterWindow::setPlaying(bool playing) {
    if (playing && time_ >= scene_.endTime) time_ = 0;  // again from release
    if (playing && isVisible()) {
        clock_.start();
        timer_.start();
    } else {
        timer_.stop();
    }
    play_->setText(isPlaying() ? "一時停止" : "再生");
}

void BatterWindow::tick() {
    const double elapsed = clock_.restart() / 1000.0;
    time_ = std::min(time_ + elapsed * speed(), scene_.endTime);
    if (time_ >= scene_.endTime) setPlaying(false);
    showTime();
}

void BatterWindow::step(int frames) {
    setPlaying(false);
    seek(time_ + frames * kFrame * speed());
}

void BatterWindow::showTime() {
    slider_->setValue(static_cast<int>(std::lround(time_ / kSliderUnit)));
    since_->setText(QString("リリースから %1 ms").arg(qs(ball::fixedText(time_ * 1000, 1))));
    QStringList left;
    for (int b = 0; b < 2; ++b) {
        if (scene_.balls[b] && !scene_.plateTime[b]) {
            left << QString("ボール%1 捕手の位置まで届かない").arg(b == 0 ? "１" : "２");
        }
        if (!scene_.plateTime[b]) continue;
        const double remaining = std::max(0.0, *scene_.plateTime[b] - time_);
        left << QString("ボール%1 %2 ms")
                        .arg(b == 0 ? "１" : "２")
                        .arg(qs(ball::fixedText(remaining * 1000, 1))) +
                    (scene_.bounce[b] ? "（" + qs(ball::bounceMark(*scene_.bounce[b])) + "）"
                                      : QString());
    }
    left_->setText("プレートまで: " + (left.isEmpty() ? QString("—") : left.join("、")));
    // The separation once both have passed the decision point, as 投球の数値 gives it.
    const bool passed = scene_.decision[0] && scene_.decision[1] &&
                        time_ >= scene_.decision[0]->time && time_ >= scene_.decision[1]->time;
    separation_->setText("判断点での間隔: " + (passed ? qs(scene_.separation) + " cm" : "—"));
    canvas_->update();
}

void BatterWindow::keyPressEvent(QKeyEvent* event) {
    // Only keys the focused control leaves: Space on a button presses it, the arrows in a list
    // choose in it.
    switch (event->key()) {
        case Qt::Key_Space:
            setPlaying(!isPlaying());
            break;
        case Qt::Key_Left:
            step(-1);
            break;
        case Qt::Key_Right:
            step(1);
            break;
        case Qt::Key_Escape:
            close();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void BatterWindow::hideEvent(QHideEvent* event) {
    setPlaying(false);  // nothing runs while it is hidden
    QWidget::hideEvent(event);
}

void BatterWindow::saveImage() {
    setPlaying(false);
    const QString path =
        page_output::askSaveName(this, "画像を保存", "batter.png", page_output::kImageFilters,
                                 page_output::kImageFilters.first());
    if (path.isEmpty()) return;
    const QString failure = page_output::saveImage(canvas_, path);
    if (!failure.isEmpty()) showError(this, failure);
}
