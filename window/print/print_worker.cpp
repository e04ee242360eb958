#include "print/print_worker.h"

#include <QtConcurrent>

#include "print/page_output.h"

PrintWorker::PrintWorker(QObject* parent)
    : QObject(parent), job_(new QFutureWatcher<PrintOutcome>(this)) {
    deadline_.setSingleShot(true);
    deadline_.setInterval(kPrintDeadlineSeconds * 1000);
    connect(&deadline_, &QTimer::timeout, this, [this] { stop_->stop(PrintStop::Why::Late); });
    connect(job_, &QFutureWatcherBase::finished, this, [this] {
        deadline_.stop();
        emit busyChanged(false);
        emit finished(job_->result());
    });
}

PrintWorker::~PrintWorker() {
    if (stop_) stop_->stop(PrintStop::Why::Cancelled);
}

void PrintWorker::setSender(Sender sender, std::chrono::milliseconds deadline) {
    sender_ = sender;
    deadline_.setInterval(deadline);
}

void PrintWorker::print(QWidget* content, const PrintChoice& choice) {
    if (isBusy()) return;
    // The page first: it shows the controls as they stand, 印刷 not yet greyed out.
    const QByteArray page = page_output::pdf(content, true);
    stop_ = std::make_shared<PrintStop>();
    job_->setFuture(QtConcurrent::run(printThreads(), sender_, page, choice, stop_));
    deadline_.start();
    emit busyChanged(true);
}
