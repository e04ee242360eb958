#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bullpen.h"
#include "display/pitch_figures.h"
#include "display/tunnel_figures.h"
#include "pitch_design.h"
#include "session/measured_pitch.h"
#include "setup/panels.h"

// A pitcher's arsenal from a session of measured pitches: each type's figures and its model,
// and how each pair of types parts before the plate.
namespace ball {

/// The pitches of one pitcher and type, and the model fitted to their mean break.
struct PitchType {
    std::string pitcher, hand, type;
    std::vector<int> pitches;  // indices into the bullpen's pitches, where it keeps them
    int counted = 0;           // the pitches, kept or not
    double speedKmh = 0, verticalCm = 0,
           horizontalCm = 0;  // means; horizontal the catcher's right +
    double speedSd = 0, verticalSd = 0, horizontalSd = 0;    // sample standard deviations
    std::optional<double> rpm, efficiency;                   // means, where measured
    std::optional<Clock> tilt;                               // the circular mean, where measured
    std::optional<double> relHeightM, relSideM, extensionM;  // means, where measured
    std::optional<double> plateHeightM, plateSideM;          // means, where measured
    PanelFill model = {};                  // the panel's texts; model.error when none fits
    std::optional<Break> modelBreak = {};  // the break of the pitch thrown from those texts
    std::optional<ThrownPitch> thrown = {};  // that pitch, as thrown
    TypeDesign design = {};                  // the realistic model's reading of its spin

    int count() const { return counted; }
    bool fitted() const { return model.error.empty() && !model.spin.empty(); }
};

/// Two types of one pitcher: by their means, his fastball first where it is one of the two, else
/// the more thrown one; or the pitches of the first type each followed by one of the second, to
/// the same batter.
struct TypePair {
    int first = 0, second = 0;  // indices into the types
    int count = 0;              // the pitches behind the means, or the pairs of pitches
    TunnelFigures figures = {};  // of the means as thrown, or the medians of the pairs'
    TunnelFigures spread = {};   // of the pairs': the interquartile range of each figure
    bool best = false;  // the pitcher's pair whose post-tunnel break is the largest for its
                        // tunnel gap (the largest ratio)
};

/// How the pairs are formed: each type's means, or consecutive pitches.
enum class Pairing { Means, Consecutive };
/// Which batters' pitches are counted.
enum class BatterSide { All, Right, Left };

struct Arsenal {
    Bullpen bullpen;
    std::vector<PitchType> types;  // by pitcher as they first appear, then the most thrown first
    std::vector<TypePair> pairs;
    int targetColumn = 3, targetRow = 3;  // where a type without its location is aimed
    Pairing pairing = Pairing::Means;
    BatterSide batterSide = BatterSide::All;  // the types hold only the pitches to these
    std::string pitcher = {};                 // and of this pitcher; empty: every one
};

/// The types of a session with their device figures, and the pairs of their means; no model
/// yet.
Arsenal groupArsenal(Bullpen bullpen, BatterSide side = BatterSide::All,
                     const std::string& pitcher = {});
/// The session's pitchers, as they first appear.
std::vector<std::string> pitchersOf(const Bullpen& b);
/// Whether a pitch was thrown to a batter of that side ("R", "Right", "右", ...).
bool facing(const BullpenPitch& p, BatterSide side);
/// Whether a file's word for a side (a batter's, or a pitcher's hand) names that one: "R",
/// "Right", "右", ... or "L", "Left", "左", ...; any word for All.
bool namesSide(const std::string& word, BatterSide side);
/// Whether the session says from which side its batters batted.
bool hasBatterSides(const Bullpen& b);
/// The type of each of the bullpen's pitches, as an index into the types; -1 for a pitch in
/// none (to batters of the other side, or of another pitcher).
std::vector<int> typeOfPitches(const Arsenal& a);
/// Every pair of one pitcher's types, as their means pair them: his fastball first where it is
/// one of the two, else the more thrown.
std::vector<TypePair> meanPairs(const Arsenal& a);
/// How surely a type's name is a fastball: 3 a four-seam, 2 a sinker (two-seam), 1 a cutter,
/// 0 none.
int fastballRank(const std::string& type);

/// More types than a pitcher throws, most likely a column that is not the type: past
/// kMaxTypesPerPitcher for one pitcher, the session is not fitted.
constexpr int kMaxTypesPerPitcher = 20;
struct TypeExcess {
    std::string pitcher;  // empty in a file without pitchers
    int count = 0;
    int limit = 0;
    int line = 0;  // read as a stream: the row of the type past the limit
};
std::optional<TypeExcess> typeExcess(const Arsenal& a);

/// One type on the movement chart: its name (with its pitcher's where the session has more
/// than one), each pitch's break and the mean's, as the tables give them.
struct ChartGroup {
    std::string name;
    std::vector<Break> marks;
    Break mean;
};
std::vector<ChartGroup> chartGroups(const Arsenal& a);

/// The types of one type's pitcher, with the arsenal's target, and where that type is among
/// them.
struct PitcherTypes {
    Arsenal arsenal;
    int type = 0;
};
PitcherTypes pitcherTypes(const Arsenal& a, int type);

/// The panels a type fills: Ball 1 aimed at the arsenal's target, Ball 2 thrown as saved.
Ball1Panel ball1PanelOf(const Arsenal& a, const PitchType& t);
Ball2Panel ball2PanelOf(const PitchType& t);

}  // namespace ball
