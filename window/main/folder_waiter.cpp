#include "main/folder_waiter.h"

#include <QFutureWatcher>
#include <QtConcurrent>
#include <thread>

#include "session/pitch_session.h"

FolderWaiter::FolderWaiter(QObject* parent) : QObject(parent) {}

FolderWaiter::~FolderWaiter() { cancel(); }

void FolderWaiter::wait(int ball, std::chrono::milliseconds within,
                        std::function<void(bool)> then) {
    cancel();
    auto stop = std::make_shared<std::atomic<bool>>(false);
    stop_ = stop;
    auto* watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher, stop, then] {
        watcher->deleteLater();
        if (*stop) return;  // dropped, or replaced by a newer wait
        stop_.reset();
        then(watcher->result());
    });
    // The worker holds only the flag: a dropped wait ends within one poll on its own.
    watcher->setFuture(QtConcurrent::run([ball, within, stop] {
        const auto until = std::chrono::steady_clock::now() + within;
        while (!*stop) {
            if (ball::PitchSession::folderFree(ball)) return true;
            if (std::chrono::steady_clock::now() >= until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }));
}

void FolderWaiter::cancel() {
    if (stop_) *stop_ = true;
    stop_.reset();
}
