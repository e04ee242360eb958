#include "initdir_file.h"

#include <charconv>

#include "atomic_file.h"

namespace ball {

std::string shortestText(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string initdirLine(const PitchState& s) {
    return shortestText(s.alpha) + ',' + shortestText(s.beta) + ',' + shortestText(s.xrel0) +
           ',' + shortestText(s.yrel0) + ',' + shortestText(s.zrel0) + "\r\n";
}

void writeInitdir(const std::filesystem::path& path, const PitchState& s) {
    replaceFile(path, initdirLine(s));
}

}  // namespace ball
