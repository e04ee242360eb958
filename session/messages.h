#pragma once

#include <optional>
#include <string>

#include "physics/run_error.h"

// What the window tells the user when something fails, in its language, as UTF-8.
namespace ball {

/// The message for a run-time error, naming the file where one is involved and saying what to
/// do where the user can do something.
std::string errorMessage(const RunError& e);

/// The message for an error the program did not foresee.
std::string unexpectedErrorMessage(const std::string& what);

/// No printer at all; the window offers a PDF instead.
std::string noPrinterMessage();

/// A printer that says beforehand it will not print: not taking jobs (rejecting) or stopped,
/// with the reason its queue gives, which may be empty.
std::string printerRefusedMessage(const std::string& printer, bool rejecting,
                                  const std::string& reason);

/// A queue that does not exist, named by the environment variable (empty: the default queue).
std::string printerMissingMessage(const std::string& printer, const std::string& variable);

/// A print server that did not answer within the seconds.
std::string printServerSilentMessage(const std::string& server, int seconds);

/// A print server that answers, but too slowly to finish a job within the seconds.
std::string printServerLateMessage(const std::string& server, int seconds);

/// A page the printer's queue took.
std::string printedMessage(const std::string& printer);

/// A job that the printer or the print system did not take; `failure` is its answer.
std::string printFailedMessage(const std::string& printer, const std::string& failure);

/// An aimed Ball 1 that did not come within the aim's tolerance of its target in the passes
/// made: how far it ended from it (none: it never reached the catcher), and what to change.
std::string aimMissedMessage(int passes, std::optional<double> missMetres);


/// After a Ball 2 that never reached the catcher plane: what to change, and where its direction
/// came from.
std::string ball2ShortMessage();

/// The two files were put back as they were before a click that the program, stopped in its
/// middle, left half done.
std::string recoveredFilesMessage();
/// At start, while another program holds the data files' folder: the check comes later.
std::string recoveryWaitingMessage();
/// At start, a journal beside the data files that this program cannot trust, left alone.
std::string recoveryBlockedMessage();
/// While a click waits a moment for another program to let go of the data files' folder.
std::string folderWaitMessage();

/// The status bar's word that something was done: a ball thrown (Ball 1 writes both files), a
/// panel filled and the key that throws it, a file saved, a session's pair thrown.
std::string thrownMessage(int ball);
std::string filledMessage(int ball);
std::string savedMessage(const std::string& path);
std::string pairThrownMessage();
/// A box's text that is not one plain number, and the number a click read it as.
std::string readAsMessage(const std::string& caption, const std::string& text, double value);

}  // namespace ball
