#include "views/batter_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "views/batter_canvas.h"
#include "kit/error_box.h"
#include "files/number_text.h"
#include "print/page_output.h"
#include "physics/constants.h"
#include "session/figure_texts.h"

namespace {

constexpr double kFrame = 1.0 / 60;     // s of the picture
constexpr double kSliderUnit = 0.0001;  // s a slider step

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

BatterWindow::BatterWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("batterWindow");
    setWindowTitle("打者から見た投球");
    canvas_ = new BatterCanvas(this, scene_, time_);
    canvas_->setAccessibleName("打者から見た二つのボール");
    play_ = new QPushButton("一時停止", this);
    play_->setObjectName("batterPlay");
    auto* back = new QPushButton("◀ 1コマ", this);
    back->setObjectName("batterBack");
    auto* forward = new QPushButton("1コマ ▶", this);
    forward->setObjectName("batterForward");
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName("batterSlider");
    slider_->setAccessibleName("リリースからの時間");
    slider_->setMinimumWidth(160);  // still a track to drag at the window's least width
    speed_ = new QComboBox(this);
    speed_->setObjectName("batterSpeed");
    speed_->setAccessibleName("再生の速さ");
    speed_->addItems({"1×", "1/4×", "1/10×"});
    speed_->setCurrentIndex(1);  // slowed down, as a coach shows it
    eye_ = new QComboBox(this);
    eye_->setObjectName("batterEye");
    eye_->setAccessibleName("見る位置");
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
        const QString name = QString("ボール%1 ").arg(b == 0 ? "１" : "２");
        if (scene_.balls[b] && !scene_.plateTime[b]) {
            left << name + (scene_.bounce[b] ? qs(ball::bounceMark(*scene_.bounce[b]))
                                             : QString("捕手の位置まで届かない"));
        }
        if (!scene_.plateTime[b]) continue;
        const double remaining = std::max(0.0, *scene_.plateTime[b] - time_);
        left << name + qs(ball::fixedText(remaining * 1000, 1)) + " ms";
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
