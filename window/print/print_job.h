#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>

class QThreadPool;

/// How sending a page to the printer went.
struct PrintOutcome {
    QString message;         // what to tell the user; empty when the job was taken
    bool noPrinter = false;  // there is no printer at all: a PDF can be offered instead
    QString printer = {};    // the queue that took the job
};

/// Where a page goes: a queue (empty: the one the user named for this program with LPDEST or
/// PRINTER, as the print system's own commands read them, or else the default one) and how
/// many copies.
struct PrintChoice {
    QString queue;
    int copies = 1;
};

/// Ends a print job from another thread: its connection to the print server is shut, so that
/// whatever the job waits for ends at once, and the job says why it ended.
class PrintStop {
public:
    enum class Why { None, Late, Cancelled };

    /// Ends the job, if it has not ended, for that reason; from any thread.
    void stop(Why why);
    Why why() const;

    /// The job's connection, shut at once if the job is already stopped; -1 when it has none.
    void attach(int socket);

private:
    mutable std::mutex mutex_;
    int socket_ = -1;
    Why why_ = Why::None;
};

/// How long a whole job may take, however slowly a print server answers.
inline constexpr int kPrintDeadlineSeconds = 30;

/// The threads print jobs run on. Nothing waits for them when the program ends.
QThreadPool* printThreads();

/// Sends a one-page PDF to the chosen queue, with no dialog. It asks the queue first whether it
/// takes jobs, and gives up on a print server that does not answer, or when stopped. Takes
/// seconds at worst and touches no widget: call it off the window's thread.
PrintOutcome sendToPrinter(const QByteArray& pdf, const PrintChoice& choice,
                           const std::shared_ptr<PrintStop>& stop);

/// The queues there are, the default first; or, when they cannot be had, why.
struct PrinterList {
    QStringList queues;
    QString failure;
};

/// Asks the print server for its queues, as sendToPrinter would find them; off the window's
/// thread too.
PrinterList listPrinters(const std::shared_ptr<PrintStop>& stop);
