#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "arsenal.h"

// Each type's figures summed as its pitches are read, so that a session of any size takes the
// memory of its types, not of its pitches.
namespace ball {

/// One figure's count, sum and spread (Welford's), without its values.
struct FigureSums {
    long long n = 0;
    double sum = 0, running = 0, m2 = 0;

    void add(double x);
    void add(const std::optional<double>& x) {
        if (x) add(*x);
    }
    double mean() const { return n ? sum / static_cast<double>(n) : 0; }
    std::optional<double> meanIfAny() const { return n ? std::optional(mean()) : std::nullopt; }
    double sampleSd() const;  // 0 below two values
};

/// Each pitcher's types, in the order they first appear, as their pitches are counted.
class ArsenalTally {
public:
    /// Capped, add refuses a pitcher's type past kMaxTypesPerPitcher.
    explicit ArsenalTally(bool capped) : capped_(capped) {}

    /// Counts a pitch; index is its place among the pitches kept, or -1 where none are. False,
    /// and nothing counted, where it is a type too many for its pitcher.
    bool add(const BullpenPitch& p, int index);
    /// The types with their figures, each pitcher's together, the most thrown first; the pairs
    /// of their means.
    Arsenal arsenal(Bullpen kept, BatterSide side, const std::string& pitcher) const;
    /// The pitcher who threw too many types, where add refused one.
    const std::optional<TypeExcess>& excess() const { return excess_; }
    std::size_t typeCount() const { return types_.size(); }

private:
    struct Sums {
        std::string pitcher, hand, type;  // not a PitchType: a thrown pitch inside is large
        std::vector<int> pitches;         // where kept
        int count = 0;
        FigureSums speed, vertical, horizontal, rpm, efficiency;
        FigureSums relHeight, relSide, extension, plateHeight, plateSide;
        double tiltCos = 0, tiltSin = 0;
        long long tilts = 0;
    };
    std::vector<Sums> types_;
    std::map<std::pair<std::string, std::string>, int> index_;
    std::map<std::string, std::pair<int, int>> pitchers_;  // first appearance, types
    std::optional<TypeExcess> excess_;
    bool capped_;
};

}  // namespace ball
