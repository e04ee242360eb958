#pragma once

#include "physics/pitch_state.h"

namespace ball {

/// Where a measured pitch left the hand and where it crossed the plate, in the model's axes (m):
/// x + toward the pitcher's right (third base), y from the rubber toward the plate, z above the
/// ground.
struct Delivery {
    double releaseX = 0, releaseY = 0, releaseZ = 0;
    double plateX = 0, plateZ = 0;
    friend bool operator==(const Delivery&, const Delivery&) = default;
};

/// Makes an aimed Ball-1 setup leave from the delivery's release point toward its plate point:
/// the release point, the target, and a first-guess direction made as the panel's is, from that
/// point. The aiming loop does the rest.
void applyDelivery(PitchState& s, const Delivery& d);

}  // namespace ball
