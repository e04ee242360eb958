// A device's session as a file brings it: every row is read as a pitch within the ranges or
// skipped with its line, and the types are grouped from those pitches alone.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bullpen/arsenal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ball::CsvTable table =
        ball::parseCsv(std::string(reinterpret_cast<const char*>(data), size));
    if (table.rows.size() != table.lines.size() || table.header.size() > ball::kMaxCsvFields) {
        std::abort();
    }
    const std::optional<ball::ColumnMap> map = ball::knownColumns(table.header);
    if (!map) return 0;
    if (ball::parseColumnMap(ball::columnMapText(*map)) != map) std::abort();
    const ball::Bullpen b = ball::readBullpen(table, *map);
    if (b.pitches.size() + b.skippedLines.size() != table.rows.size()) std::abort();
    for (const ball::BullpenPitch& p : b.pitches) {
        if (p.type.empty() || !(p.speedKmh > 0 && p.speedKmh <= 300) ||
            !(std::abs(p.verticalCm) <= 150 && std::abs(p.horizontalCm) <= 150)) {
            std::abort();
        }
        if (p.tiltMinutes && !(*p.tiltMinutes >= 0 && *p.tiltMinutes < 720)) std::abort();
    }
    const ball::Arsenal a = ball::groupArsenal(b);
    std::size_t grouped = 0;
    for (const ball::PitchType& t : a.types) grouped += t.pitches.size();
    if (grouped != b.pitches.size()) std::abort();
    return 0;
}
