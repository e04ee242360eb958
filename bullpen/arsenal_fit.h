#pragma once

#include <atomic>
#include <functional>

#include "arsenal.h"
#include "import_messages.h"

// Each type's model fitted to its mean break, and each pair thrown, through in-memory sessions.
namespace ball {

/// How the fits run: on this many threads (0: one a core), said after each step, stopped
/// between steps when cancel turns true.
struct FitControl {
    unsigned threads = 0;
    bool design = true;  // each type's spin read by the realistic model too (TypeDesign)
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(int done, int total)> progress = {};
};

/// Where a type left the hand and crossed the plate, in the model's axes; none unless the
/// session measured all five (release height, side and extension, plate height and side).
std::optional<Delivery> deliveryOf(const PitchType& t);
/// Which of the five a type lacks, where it has some of them but not all, and so was thrown
/// from the model's release point at the target cell; empty otherwise.
std::string deliveryGapNote(const PitchType& t, Language language);

/// Fits every type's model, throws it as measured, and compares every pair; false when
/// cancelled.
bool fitArsenal(Arsenal& a, const FitControl& control = {});

}  // namespace ball
