#include "print_worker.h"

#include <QtConcurrent>

#include "page_output.h"

PrintWorker::PrintWorker(QObject* parent)
    : QObject(parent), job_(new QFutureWatcher<PrintOutcome>(this)) {
    connect(job_, &QFutureWatcherBase::finished, this, [this] {
        emit busyChanged(false);
        emit finished(job_->result());
    });
}

void PrintWorker::print(QWidget* content, const PrintChoice& choice) {
    if (isBusy()) return;
    // The page first: it shows the controls as they stand, 印刷 not yet greyed out.
    const QByteArray page = page_output::pdf(content, true);
    job_->setFuture(QtConcurrent::run(sendToPrinter, page, choice));
    emit busyChanged(true);
}
