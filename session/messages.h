#pragma once

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

/// A printer that says beforehand it will not print: stopped, or not taking jobs.
std::string printerRefusedMessage(const std::string& printer, const std::string& refusal);

/// A job that could not be started on the printer.
std::string printStartFailedMessage(const std::string& printer);

/// A job that the printer or the print system did not take; `failure` is its answer, empty
/// when the job could not be finished.
std::string printFailedMessage(const std::string& printer, const std::string& failure);

/// An image that could not be saved.
std::string imageSaveFailedMessage(const std::string& path);

}  // namespace ball
