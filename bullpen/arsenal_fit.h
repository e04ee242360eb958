#pragma once

#include <atomic>
#include <functional>

#include "arsenal.h"

// Each type's model fitted to its mean break, and each pair thrown, through in-memory sessions.
namespace ball {

/// How the fits run: on this many threads (0: one a core), said after each step, stopped
/// between steps when cancel turns true.
struct FitControl {
    unsigned threads = 0;
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(int done, int total)> progress = {};
};

/// Fits every type's model and throws every pair; false when cancelled.
bool fitArsenal(Arsenal& a, const FitControl& control = {});

}  // namespace ball
