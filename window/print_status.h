#pragma once

#include <QString>

/// What the print system says of a printer before a job goes to it: why it would not print the
/// job (stopped, not accepting jobs), or an empty text when it may take one.
QString printerRefusal(const QString& printer);

/// What the print system answered to the last job this thread sent: why the job was not
/// taken, or an empty text when it was (or when there is no print system to ask).
QString lastJobFailure();
