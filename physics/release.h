#pragma once

#include <cstdint>

#include "pitch_state.h"

namespace ball {

/// Puts the ball at its release point with its release velocity for pass icount (1 first) and
/// evaluates the forces there; an aimed pass from the second on first turns alpha and beta by the
/// previous miss.
void setinit(PitchState& s, int16_t icount);

}  // namespace ball
