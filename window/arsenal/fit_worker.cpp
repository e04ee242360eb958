#include "arsenal/fit_worker.h"

#include <QtConcurrent>

#include "bullpen/arsenal_fit.h"

FitWorker::FitWorker(QObject* parent) : QObject(parent) {}

// The work tells its progress through this object: it ends before the object goes.
FitWorker::~FitWorker() { stop(); }

void FitWorker::fit(ball::Arsenal arsenal) {
    stop();
    job_ = Job{};
    auto result = std::make_shared<ball::Arsenal>(std::move(arsenal));
    const std::shared_ptr<std::atomic<bool>> stopped = job_.stop;
    auto* watcher = new QFutureWatcher<void>(this);
    job_.watcher = watcher;
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher, result, stopped] {
        watcher->deleteLater();
        if (job_.watcher != watcher) return;  // replaced by a newer fit
        job_.watcher = nullptr;
        if (*stopped) {
            if (job_.byUser) emit cancelled();
            return;
        }
        emit finished(*result);
    });
    watcher->setFuture(QtConcurrent::run([this, result, stopped] {
        ball::FitControl control;
        control.cancel = stopped.get();
        control.progress = [this](int done, int total) {
            QMetaObject::invokeMethod(
                this, [this, done, total] { emit progress(done, total); }, Qt::QueuedConnection);
        };
        ball::fitArsenal(*result, control);
    }));
}

void FitWorker::cancel() {
    if (!job_.watcher) return;
    job_.byUser = true;
    *job_.stop = true;
}

void FitWorker::waitForFinished() {
    if (job_.watcher) job_.watcher->waitForFinished();
}

void FitWorker::stop() {
    if (!job_.watcher) return;
    *job_.stop = true;
    job_.watcher->waitForFinished();
    job_.watcher = nullptr;
}
