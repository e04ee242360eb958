#pragma once

#include <QString>

class QMessageBox;
class QWidget;

/// The program's one error box: the message over the window it concerns, modal to that window
/// alone, wide enough that Japanese lines break only where the message does, and also written
/// to the error output. It is built, not shown; it deletes itself when closed.
QMessageBox* errorBox(QWidget* parent, const QString& text);

/// Shows errorBox without waiting for it.
QMessageBox* showError(QWidget* parent, const QString& text);

/// Shows the same box, as information, for what went through but is worth a word.
void showNotice(QWidget* parent, const QString& text);
