// "initdir.txt" as anything on disk: five finite numbers, or an error that names the file.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/field_reader.h"
#include "files/initdir_file.h"
#include "physics/numeric.h"
#include "physics/pitch_state.h"
#include "physics/run_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ball::FieldReader in("initdir.txt", ball::FileRole::Initdir,
                         std::string(reinterpret_cast<const char*>(data), size));
    ball::PitchState s;
    try {
        ball::readInitdir(s, in);
        for (double v : {s.alpha, s.beta}) {
            if (!std::isfinite(v)) std::abort();
        }
        // The release point becomes a single-precision trajectory point without error.
        for (double v : {s.xrel0, s.yrel0, s.zrel0}) ball::toSingle(v);
    } catch (const ball::RunError& e) {
        // Also catches an unnamed toSingle error.
        if (e.detail() != "initdir.txt" || e.role() != ball::FileRole::Initdir) std::abort();
    }
    return 0;
}
