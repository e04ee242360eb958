#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <atomic>
#include <memory>

#include "bullpen/arsenal.h"

/// Fits a session's types and throws its pairs off the window's thread, as PrintWorker prints:
/// the work runs on the pool, and its progress and its end come back as signals. A newer fit
/// replaces one under way, which stops and is never reported; one under way when the worker
/// goes is stopped and waited for.
class FitWorker : public QObject {
    Q_OBJECT

public:
    explicit FitWorker(QObject* parent);
    ~FitWorker() override;

    /// Fits the arsenal, replacing a fit under way.
    void fit(ball::Arsenal arsenal);
    /// Stops the fit under way, as the user asked: cancelled() follows.
    void cancel();
    /// Waits for the fit under way to end; its signal comes with the next events.
    void waitForFinished();

signals:
    /// How far the fit has come: types and pairs done of all.
    void progress(int done, int total);
    /// The arsenal fitted.
    void finished(const ball::Arsenal& arsenal);
    /// The fit the user stopped.
    void cancelled();

private:
    struct Job {
        std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
        bool byUser = false;
        QFutureWatcher<void>* watcher = nullptr;
    };
    void stop();

    Job job_;
};
