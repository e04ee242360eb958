#include "initdir_file.h"

#include "atomic_file.h"
#include "field_reader.h"
#include "number_text.h"
#include "physics/numeric.h"

namespace ball {

namespace {

// Five numbers of at most a few dozen characters each: a valid file is under 200 bytes.
constexpr std::size_t kInitdirMaxBytes = 4096;

}  // namespace

std::string initdirLine(const PitchState& s) {
    return shortestText(s.alpha) + ',' + shortestText(s.beta) + ',' + shortestText(s.xrel0) +
           ',' + shortestText(s.yrel0) + ',' + shortestText(s.zrel0) + "\r\n";
}

void writeInitdir(ReplaceGroup& files, const std::filesystem::path& path, const PitchState& s) {
    files.add(path, initdirLine(s), FileRole::Initdir);
}

void readInitdir(PitchState& s, const std::filesystem::path& path) {
    FieldReader in(path, FileRole::Initdir, kInitdirMaxBytes);
    readInitdir(s, in);
}

void readInitdir(PitchState& s, FieldReader& in) {
    s.alpha = in.next().value;
    s.beta = in.next().value;
    s.xrel0 = in.next().value;
    s.yrel0 = in.next().value;
    s.zrel0 = in.next().value;
    // The release point is the first trajectory point, kept in single precision: a point
    // beyond that range is the file's fault, so say so here rather than in mid-flight.
    in.naming([&] {
        for (double v : {s.xrel0, s.yrel0, s.zrel0}) toSingle(v);
    });
}

}  // namespace ball
