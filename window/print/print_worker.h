#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

#include "print/print_job.h"

class QWidget;

/// Prints the layout off the window's thread: the page is drawn here, then sent from a worker,
/// and the outcome comes back as a signal, so the window never waits on a print server. A job
/// ends within kPrintDeadlineSeconds however slowly the server answers, and one still under way
/// when the worker goes is stopped, not waited for.
class PrintWorker : public QObject {
    Q_OBJECT

public:
    explicit PrintWorker(QObject* parent);
    ~PrintWorker() override;

    /// Draws the content as a page and sends it to the chosen queue; nothing while a page is
    /// still on its way.
    void print(QWidget* content, const PrintChoice& choice);
    /// Whether a page is on its way.
    bool isBusy() const { return job_->isRunning(); }

    /// What sends a page: sendToPrinter, or a test's stand-in for a print server.
    using Sender = PrintOutcome (*)(const QByteArray& pdf, const PrintChoice& choice,
                                    const std::shared_ptr<PrintStop>& stop);
    /// Sends the pages from now on with that, ending a job after the deadline.
    void setSender(Sender sender, std::chrono::milliseconds deadline);

signals:
    /// A page went off (true), or its job ended (false).
    void busyChanged(bool busy);
    /// How the job ended: after busyChanged(false).
    void finished(const PrintOutcome& outcome);

private:
    QFutureWatcher<PrintOutcome>* job_;
    std::shared_ptr<PrintStop> stop_;
    QTimer deadline_;
    Sender sender_ = sendToPrinter;
};
