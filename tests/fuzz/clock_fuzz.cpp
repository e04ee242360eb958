// A clock reading as a coach types it: a reading within 1:00 to 12:59 that reads back the same
// through its text and through its axis angle, or none.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "session/measured_pitch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<ball::Clock> c =
        ball::parseClock(std::string(reinterpret_cast<const char*>(data), size));
    if (!c) return 0;
    if (c->hours < 1 || c->hours > 12 || c->minutes < 0 || c->minutes > 59) std::abort();
    if (ball::parseClock(ball::clockText(*c)) != c) std::abort();
    if (ball::axisAngleToClock(ball::clockToAxisAngle(*c)) != *c) std::abort();
    return 0;
}
