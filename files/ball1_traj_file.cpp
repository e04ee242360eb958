#include "ball1_traj_file.h"

#include "atomic_file.h"
#include "field_reader.h"
#include "number_text.h"

namespace ball {

namespace {

// A count and 300 lines of three numbers: a valid file is under 20 KB.
constexpr std::size_t kBall1TrajMaxBytes = 256 * 1024;

// A whole number in the int16 range reads as an int16 cell, anything else as a float64 one.
Numeric cell(const ScannedNumber& n) {
    if (n.integral && n.value >= -32768 && n.value <= 32767) return static_cast<int16_t>(n.value);
    return n.value;
}

}  // namespace

std::string ball1TrajText(const PitchState& s) {
    std::string out = std::to_string(s.ntraj) + "\r\n";
    for (int i = 1; i <= s.ntraj; ++i) {
        const TrajPoint& p = s.traj[i];
        out += sevenDigitText(p.x) + ',' + sevenDigitText(p.y) + ',' + sevenDigitText(p.z) + "\r\n";
    }
    return out;
}

void writeBall1Traj(ReplaceGroup& files, const std::filesystem::path& path, const PitchState& s) {
    files.add(path, ball1TrajText(s), FileRole::Ball1Traj);
}

void readBall1Traj(const std::filesystem::path& path, TrajCells cells) {
    FieldReader in(path, FileRole::Ball1Traj, kBall1TrajMaxBytes);
    readBall1Traj(in, cells);
}

void readBall1Traj(FieldReader& in, TrajCells cells) {
    cells.ntraj = cell(in.next());
    const double count = cells.ntraj.value();
    in.naming([&] {
        for (int i = 1; i <= count; ++i) {
            if (i > kMaxTrajPoints) throw RunError(ErrorKind::SubscriptOutOfRange);
            cells.xtraj[i] = cell(in.next());
            cells.ytraj[i] = cell(in.next());
            cells.ztraj[i] = toSingle(in.next().value);
            cells.xtraj[i] = cells.xtraj[i].negated();
            // Every cell is drawn in single precision: a value beyond it is the file's fault,
            // reported now rather than halfway through a drawing.
            cells.xtraj[i].single();
            cells.ytraj[i].single();
        }
    });
}

}  // namespace ball
