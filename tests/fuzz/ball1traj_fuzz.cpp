// "Ball1Traj.txt" as anything on disk: either the set reads and then draws without error in
// every view, or the read ends in an error that names the file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "display/three_view.h"
#include "files/ball1_traj_file.h"
#include "files/field_reader.h"
#include "physics/run_error.h"

namespace {

struct NullCanvas : ball::Canvas {
    void setBackground(ball::Rgb) override {}
    void setScale(double, double, double, double) override {}
    void setForeground(ball::Rgb) override {}
    void line(float, float, float, float) override {}
    void printNumber(float, float, const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ball::FieldReader in("Ball1Traj.txt", ball::FileRole::Ball1Traj,
                         std::string(reinterpret_cast<const char*>(data), size));
    ball::DisplaySet set;
    try {
        ball::readBall1Traj(in, ball::cellsOf(set));
    } catch (const ball::RunError& e) {
        if (e.detail() != "Ball1Traj.txt" || e.role() != ball::FileRole::Ball1Traj) std::abort();
        return 0;
    }
    NullCanvas canvas;
    for (ball::View v : {ball::View::Side, ball::View::Top, ball::View::Catcher}) {
        ball::drawCurve(canvas, v, set, ball::kBlue);  // any error here escapes and is a finding
    }
    return 0;
}
