#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "batter_view.h"
#include "display/display_set.h"
#include "display/pitch_figures.h"
#include "display/three_view.h"
#include "files/atomic_file.h"
#include "figure_texts.h"
#include "measured_pitch.h"
#include "physics/pitch_state.h"
#include "physics/run_error.h"
#include "physics/trajectory.h"
#include "save_file.h"
#include "setup/ball_setup.h"
#include "setup/panels.h"

namespace ball {

/// How long a click waits, off the window's thread, for another program to let go of the data
/// files' folder before it ends with FolderBusy.
inline constexpr std::chrono::milliseconds kFolderWait{2000};

/// How a click ended.
struct ClickOutcome {
    OptionWrites writes;            // the option values the setup set on its panel
    std::optional<RunError> error;  // the run-time error that ended it, if one did
    std::string message;            // what to tell the user, UTF-8; empty when it succeeded
    std::string notice = {};        // after a success, what to tell the user all the same

    bool ok() const { return message.empty(); }
};

/// Where a session keeps "initdir.txt" and "Ball1Traj.txt".
enum class DataFiles {
    Folder,    // in the folder it runs in, under the folder's lock, replaced all or none
    InMemory,  // as two texts of its own, the very texts the files would hold
};

/// The comparison of the two balls: the pitch state, both display sets as computed and as
/// shown, and the two files. Each click runs as one transaction; the window hands over the
/// panel's values and its three boxes and shows what comes back. A session in memory is a
/// value: a copy goes on from where the original stands.
class PitchSession {
public:
    explicit PitchSession(DataFiles files = DataFiles::Folder) : files_(files) {}

    /// "ボール１": sets up Ball 1 from its panel, computes it (aimed or not), saves the
    /// direction of an aimed run in "initdir.txt", copies it into the Ball-1 set, writes
    /// "Ball1Traj.txt", and draws it in blue in the three views. An aimed Ball 1 with a delivery
    /// leaves from its release point aimed at its plate point, as a measured pitch was thrown.
    ClickOutcome runBall1(const Ball1Panel& panel, Views views,
                          const std::optional<Delivery>& from = std::nullopt);

    /// "ボール２": sets up Ball 2, computes one unaimed pass into the Ball-2 set, reads Ball 1
    /// back from "Ball1Traj.txt", and draws Ball 2 in red, then Ball 1 in blue.
    ///
    /// On an error either run ends at the failing step: the steps before it stay done, the balls
    /// shown stay as they were, and the caller throws away what the views were given.
    ClickOutcome runBall2(const Ball2Panel& panel, Views views);

    /// Settles the two files as a program stopped in the middle of a click left them: a pair
    /// half replaced goes back to the pair before, and leftovers beside them go. Only while no
    /// other program is at work in their folder (Busy: try again later).
    Recovery recoverFiles();

    /// Whether a click of the ball would find the data files' folder free of other programs'
    /// locks now: a click that ended in FolderBusy is tried again once it is.
    static bool folderFree(int ball);

    /// The balls the views show since the last click that succeeded; null where none.
    const DisplaySet* shownBall1() const { return shown1_ ? &*shown1_ : nullptr; }
    const DisplaySet* shownBall2() const { return shown2_ ? &*shown2_ : nullptr; }

    /// "投球の数値" for the balls shown.
    std::vector<FigureRow> figures() const;
    /// The balls shown, for the batter's window.
    BatterScene batterScene() const;
    /// The breaks of the balls shown (Ball 1, Ball 2), for the movement chart.
    std::array<std::optional<Break>, 2> breaks() const;
    /// What a view tells about the world point under the mouse.
    std::string viewTip(View view, double across, double up) const;
    /// The panel values for a pitch measured by a tracking device, for ball 1 or 2; the saved
    /// direction is read if the fit needs it.
    PanelFill fillFromMeasurement(const MeasuredPitch& m, int ball, const Ball1Panel& one,
                                  const Ball2Panel& two) const;
    /// The shown balls' stored points as CSV.
    std::string csv() const;
    /// Saves csv() at the path, replacing the file whole; the message when it cannot.
    std::optional<std::string> saveCsv(const std::string& path) const;

    /// What the runs left, whether shown or not: the program's pitch state, the last Ball-1
    /// aim, ntraj1.., ntraj2...
    const PitchState& state() const { return state_; }
    const AimResult& aim() const { return aim_; }
    const DisplaySet& ball1() const { return ball1_; }
    const DisplaySet& ball2() const { return ball2_; }

private:
    template <class Run>
    ClickOutcome transaction(Run&& run);
    /// The folder's lock for a click, for a session on the folder's files.
    std::optional<FolderLock> lockFiles(FolderLock::Mode mode) const;
    /// What a setup asks for when it needs the saved direction.
    SavedDirection savedDirection() const;

    DataFiles files_;
    std::optional<std::string> initdirText_;    // in memory: "initdir.txt", once written
    std::optional<std::string> ball1TrajText_;  // in memory: "Ball1Traj.txt", once written

    PitchState state_;
    SetupEntries entries_;
    AimResult aim_;
    DisplaySet ball1_;  // ntraj1, xtraj1, ytraj1, ztraj1
    DisplaySet ball2_;  // ntraj2, xtraj2, ytraj2, ztraj2
    std::optional<DisplaySet> shown1_;
    std::optional<DisplaySet> shown2_;
    std::optional<PlaneArea> aimedCell_;  // of the last Ball-1 click, when it was aimed
};

}  // namespace ball
