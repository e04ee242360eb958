#include "ball1_traj_file.h"

#include <charconv>

#include "physics/atomic_file.h"
#include "physics/numeric.h"
#include "setup/field_reader.h"

namespace ball {

namespace {

void appendSingle(std::string& out, float v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 7);
    out.append(buf, res.ptr);
}

Numeric cell(const ScannedNumber& n) {
    if (n.integral && n.value >= -32768 && n.value <= 32767) return static_cast<int16_t>(n.value);
    return n.value;
}

}  // namespace

std::string ball1TrajText(const PitchState& s) {
    std::string out = std::to_string(s.ntraj) + "\r\n";
    for (int i = 1; i <= s.ntraj; ++i) {
        appendSingle(out, s.traj[i].x);
        out += ',';
        appendSingle(out, s.traj[i].y);
        out += ',';
        appendSingle(out, s.traj[i].z);
        out += "\r\n";
    }
    return out;
}

void writeBall1Traj(const std::filesystem::path& path, const PitchState& s) {
    replaceFile(path, ball1TrajText(s));
}

void readBall1Traj(const std::filesystem::path& path, DisplaySet& set) {
    FieldReader in(path);
    readBall1Traj(in, set);
}

void readBall1Traj(FieldReader& in, DisplaySet& set) {
    set.ntraj = cell(in.next());
    const double count = set.ntraj.value();
    in.naming([&] {
        for (int i = 1; i <= count; ++i) {
            if (i > kMaxTrajPoints) throw RunError(ErrorKind::SubscriptOutOfRange);
            set.xtraj[i] = cell(in.next());
            set.ytraj[i] = cell(in.next());
            set.ztraj[i] = toSingle(in.next().value);
            set.xtraj[i] = set.xtraj[i].negated();
            // Every cell is drawn in single precision: a value beyond it is the file's fault,
            // reported now rather than halfway through a drawing.
            set.xtraj[i].single();
            set.ytraj[i].single();
        }
    });
}

}  // namespace ball
