// The lenient parse of a text box: any text reads as a finite number or raises overflow.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "physics/run_error.h"
#include "files/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        if (!std::isfinite(ball::parseNumber(text))) std::abort();
    } catch (const ball::RunError& e) {
        if (e.kind() != ball::ErrorKind::Overflow) std::abort();
    }
    return 0;
}
