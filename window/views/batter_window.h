#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "session/pitch_session.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class BatterCanvas;

/// "打者から見た投球": the two drawn balls flying together from release, seen from a batter's
/// or the catcher's eye in perspective, slowed down if wished, with the strike zone, the
/// target cell, the release point and the decision point marked. It plays from a timer only
/// while it is shown and playing, and starts again from release after every run.
class BatterWindow : public QWidget {
    Q_OBJECT

public:
    explicit BatterWindow(QWidget* parent);

    /// Shows the balls of a run from release, playing.
    void setScene(const ball::BatterScene& scene);

    /// The time since release shown, s.
    double time() const { return time_; }
    /// Goes to a time since release, s, within the pitch.
    void seek(double time);
    /// Plays or pauses.
    void setPlaying(bool playing);
    bool isPlaying() const { return timer_.isActive(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void tick();
    void step(int frames);
    void showTime();
    void saveImage();
    double speed() const;

    ball::BatterScene scene_;
    double time_ = 0;
    QTimer timer_;
    QElapsedTimer clock_;
    BatterCanvas* canvas_;
    QPushButton* play_;
    QSlider* slider_;
    QComboBox* speed_;
    QComboBox* eye_;
    QLabel* since_;
    QLabel* left_;
    QLabel* separation_;
};
