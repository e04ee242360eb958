#pragma once

#include <QWidget>

#include "session/batter_view.h"

/// The picture of 打者から見た投球, painted from the scene and the time its window holds: the
/// release point, the strike zone and the aimed cell, the decision rings, each ball at its true
/// apparent size with a fading trail, a legend and the eye it is seen with.
class BatterCanvas : public QWidget {
public:
    BatterCanvas(QWidget* parent, const ball::BatterScene& scene, const double& time);

    /// Whose eye the picture is seen with.
    ball::Eye eye = ball::Eye::RightBatter;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const ball::BatterScene& scene_;
    const double& time_;
};
