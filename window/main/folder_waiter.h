#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

/// Waits off the window's thread for another program to let go of the data files' folder: a
/// worker tries the folder's lock without blocking every 20 ms until the click of the ball
/// would find it free, or until the time runs out, and the answer comes back on the window's
/// thread. A newer wait replaces one under way; a wait under way when the waiter goes is
/// dropped, never waited for.
class FolderWaiter : public QObject {
    Q_OBJECT

public:
    explicit FolderWaiter(QObject* parent);
    ~FolderWaiter() override;

    /// Calls `then(true)` once the folder is free for the ball's click, or `then(false)` when
    /// it is not within the time given.
    void wait(int ball, std::chrono::milliseconds within, std::function<void(bool free)> then);
    /// Drops the wait under way, if any: its answer never comes.
    void cancel();
    /// Whether a wait is under way.
    bool isWaiting() const { return stop_ != nullptr; }

private:
    std::shared_ptr<std::atomic<bool>> stop_;
};
