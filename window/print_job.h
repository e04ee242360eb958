#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// How sending a page to the printer went.
struct PrintOutcome {
    QString message;         // what to tell the user; empty when the job was taken
    bool noPrinter = false;  // there is no printer at all: a PDF can be offered instead
};

/// Where a page goes: a queue (empty: the one the user named for this program with LPDEST or
/// PRINTER, as the print system's own commands read them, or else the default one) and how
/// many copies.
struct PrintChoice {
    QString queue;
    int copies = 1;
};

/// Sends a one-page PDF to the chosen queue, with no dialog. It asks the queue first whether it
/// takes jobs, and gives up on a print server that does not answer. Takes seconds at worst and
/// touches no widget: call it off the window's thread.
PrintOutcome sendToPrinter(const QByteArray& pdf, const PrintChoice& choice = {});

/// The queues there are, the default first; or, when they cannot be had, why.
struct PrinterList {
    QStringList queues;
    QString failure;
};

/// Asks the print server for its queues, as sendToPrinter would find them; off the window's
/// thread too.
PrinterList listPrinters();
