#pragma once

#include <QByteArray>
#include <QString>

/// How sending a page to the printer went.
struct PrintOutcome {
    QString message;         // what to tell the user; empty when the job was taken
    bool noPrinter = false;  // there is no printer at all: a PDF can be offered instead
};

/// Sends a one-page PDF to the printer the user named for this program (LPDEST or PRINTER, as
/// the print system's own commands read them) or else the default one, with no dialog. It asks
/// the queue first whether it takes jobs, and gives up on a print server that does not answer.
/// Takes seconds at worst and touches no widget: call it off the window's thread.
PrintOutcome sendToPrinter(const QByteArray& pdf);
