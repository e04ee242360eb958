#include "runs.h"

#include "files/ball1_traj_file.h"
#include "files/initdir_file.h"
#include "setup/ball_setup.h"
#include "three_view.h"

namespace ball {

namespace {

// Each view is drawn to completion before the next.
template <class Curves>
void drawViews(Views views, Curves&& curves) {
    const std::pair<Canvas*, View> boxes[] = {
        {&views.side, View::Side}, {&views.top, View::Top}, {&views.catcher, View::Catcher}};
    for (const auto& [canvas, view] : boxes) {
        drawFrame(*canvas, view);
        curves(*canvas, view);
    }
}

}  // namespace

OptionWrites runBall1(Workspace& w, const Ball1Panel& panel, Views views) {
    const OptionWrites writes = SetBall1param(w.state, w.entries, panel);
    w.aim = GetBall1traj(w.state);
    if (w.state.noaim == 0) writeInitdir(kInitdirFile, w.state);
    fillFromTraj(w.ball1, w.state);
    writeBall1Traj(kBall1TrajFile, w.state);
    drawViews(views, [&](Canvas& c, View v) { drawCurve(c, v, w.ball1, kBlue); });
    return writes;
}

OptionWrites runBall2(Workspace& w, const Ball2Panel& panel, Views views) {
    const OptionWrites writes = SetBall2param(w.state, w.entries, panel);
    w.state.noaim = 1;
    GetBall1traj(w.state);
    fillFromTraj(w.ball2, w.state);
    readBall1Traj(kBall1TrajFile, cellsOf(w.ball1));
    drawViews(views, [&](Canvas& c, View v) {
        drawCurve(c, v, w.ball2, kRed);
        drawCurve(c, v, w.ball1, kBlue);
    });
    return writes;
}

}  // namespace ball
