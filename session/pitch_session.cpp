#include "pitch_session.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "display/pitch_figures.h"
#include "files/atomic_file.h"
#include "files/ball1_traj_file.h"
#include "files/field_reader.h"
#include "files/initdir_file.h"
#include "messages.h"
#include "physics/constants.h"

namespace ball {

namespace {


// A data file kept in memory, read as the file would be; missing until a click writes it.
FieldReader memoryFile(const std::optional<std::string>& text, const char* name, FileRole role) {
    if (!text) throw RunError(ErrorKind::FileNotFound, name, role);
    return FieldReader(name, role, *text);
}

// Flies the pitch set up from the ball's panel: a flight of more points than the buffer
// holds is a speed too slow, said at the ball's speed box like every other such speed.
AimResult flown(PitchState& s, const char* speedBox) {
    try {
        return GetBall1traj(s);
    } catch (const RunError& e) {
        if (e.kind() != ErrorKind::SubscriptOutOfRange || !e.detail().empty()) throw;
        throw e.inBox(speedBox).asTooSlow();
    }
}

}  // namespace

// The data files' folder, locked for a click; another program's lock is never waited for.
std::optional<FolderLock> PitchSession::lockFiles(FolderLock::Mode mode) const {
    if (files_ == DataFiles::InMemory) return std::nullopt;
    const std::filesystem::path folder = FolderLock::folderOf(kInitdirFile);
    FolderLock lock(folder, mode);
    if (lock.busy()) throw RunError(ErrorKind::FolderBusy, folder.string());
    return lock;
}

SavedDirection PitchSession::savedDirection() const {
    if (files_ == DataFiles::Folder) return [](PitchState& s) { readInitdir(s, kInitdirFile); };
    return [this](PitchState& s) {
        FieldReader in = memoryFile(initdirText_, kInitdirFile, FileRole::Initdir);
        readInitdir(s, in);
    };
}

template <class Run>
ClickOutcome PitchSession::transaction(Run&& run) {
    ClickOutcome out;
    try {
        out.writes = run();
    } catch (const RunError& e) {
        out.error = e;
        out.message = errorMessage(e);
    } catch (const std::exception& e) {
        out.message = unexpectedErrorMessage(e.what());
    }
    return out;
}

ClickOutcome PitchSession::runBall1(const Ball1Panel& panel, Views views,
                                    const std::optional<Delivery>& from) {
    ClickOutcome out = transaction([&] {
        // The whole click holds the data folder: the direction it may read and the pair it
        // writes belong together, whatever another program commits meanwhile.
        const std::optional<FolderLock> folder = lockFiles(FolderLock::Mode::Exclusive);
        const OptionWrites writes = SetBall1param(state_, entries_, panel, savedDirection());
        if (from && state_.noaim == 0) applyDelivery(state_, *from);
        aim_ = flown(state_, "SpeedTxt(0)");
        if (folder) {
            ReplaceGroup files;  // both files change, or neither
            if (state_.noaim == 0) writeInitdir(files, kInitdirFile, state_);
            fillFromTraj(ball1_, state_);
            writeBall1Traj(files, kBall1TrajFile, state_);
            files.commit(&*folder);
        } else {
            // Both texts, or neither.
            std::optional<std::string> initdir = initdirText_;
            if (state_.noaim == 0) initdir = initdirLine(state_);
            fillFromTraj(ball1_, state_);
            std::string traj = ball1TrajText(state_);
            initdirText_ = std::move(initdir);
            ball1TrajText_ = std::move(traj);
        }
        drawViews(views, {{ball1_, kBlue}});
        shown1_ = ball1_;
        shown2_.reset();
        aimedCell_.reset();
        if (state_.noaim == 0) aimedCell_ = targetCell(state_.xtgt, double{state_.ztgt});
        return writes;
    });
    // An aim that did not come within its tolerance is drawn and saved all the same (the
    // files are what Ball 2 relies on), and said.
    if (out.ok() && state_.noaim == 0 && !aim_.onTarget) {
        const bool reached = passAt(ball1_, kDist).has_value();
        const double miss =
            std::hypot(state_.xtgt - state_.xfin, double{state_.ztgt} - double{state_.zfin});
        out.notice = aimMissedMessage(aim_.passes, reached ? std::optional(miss) : std::nullopt);
    }
    return out;
}

ClickOutcome PitchSession::runBall2(const Ball2Panel& panel, Views views) {
    ClickOutcome out = transaction([&] {
        // Both files it reads from one commit.
        const std::optional<FolderLock> folder = lockFiles(FolderLock::Mode::Shared);
        const OptionWrites writes = SetBall2param(state_, entries_, panel, savedDirection());
        state_.noaim = 1;
        flown(state_, "SpeedTxt(1)");
        fillFromTraj(ball2_, state_);
        if (folder) {
            readBall1Traj(kBall1TrajFile, cellsOf(ball1_));
        } else {
            FieldReader in = memoryFile(ball1TrajText_, kBall1TrajFile, FileRole::Ball1Traj);
            readBall1Traj(in, cellsOf(ball1_));
        }
        drawViews(views, {{ball2_, kRed}, {ball1_, kBlue}});
        shown1_ = ball1_;
        shown2_ = ball2_;
        return writes;
    });
    // Drawn all the same (it may leave every view), and said: a slow pitch, or a saved direction
    // that throws it away.
    if (out.ok() && !passAt(ball2_, kDist)) out.notice = ball2ShortMessage();
    return out;
}

Recovery PitchSession::recoverFiles() { return recoverReplaced({kInitdirFile, kBall1TrajFile}); }

bool PitchSession::folderFree(int ball) {
    return !FolderLock(FolderLock::folderOf(kInitdirFile),
                       ball == 1 ? FolderLock::Mode::Exclusive : FolderLock::Mode::Shared)
                .busy();
}

std::vector<FigureRow> PitchSession::figures() const {
    return figureRows(shownBall1(), shownBall2());
}

BatterScene PitchSession::batterScene() const {
    return batterSceneOf(shownBall1(), shownBall2(), aimedCell_);
}

std::array<std::optional<Break>, 2> PitchSession::breaks() const {
    return {shown1_ ? ballBreak(*shown1_) : std::nullopt,
            shown2_ ? ballBreak(*shown2_) : std::nullopt};
}

std::string PitchSession::viewTip(View view, double across, double up) const {
    return viewTipText(shownBall1(), shownBall2(), view, across, up);
}

PanelFill PitchSession::fillFromMeasurement(const MeasuredPitch& m, int ball,
                                            const Ball1Panel& one, const Ball2Panel& two) const {
    try {
        return ball::fillFromMeasurement(m, ball, one, two, savedDirection());
    } catch (const RunError& e) {
        return {.error = errorMessage(e)};
    }
}

std::string PitchSession::csv() const { return trajectoryCsv(shownBall1(), shownBall2()); }

std::optional<std::string> PitchSession::saveCsv(const std::string& path) const {
    return saveFile(path, csv());
}

}  // namespace ball
