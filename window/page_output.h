#pragma once

#include <QString>

class QWidget;

/// The window on paper and in files: the page is the window's layout drawn straight onto it,
/// landscape, centred and as large as it fits, lines and text kept as vectors.
namespace page_output {

/// How printing went.
struct PrintOutcome {
    QString message;         // what to tell the user; empty when the job was taken
    bool noPrinter = false;  // there is no printer at all: offer a PDF instead
};

/// Prints the layout on the default printer (or the first one there is), with no dialog.
PrintOutcome print(QWidget* content);

/// Saves the layout: a PDF page of vectors for a name ending in .pdf, a PNG of the layout's
/// size otherwise, replacing the file whole. The message when it cannot; empty when saved.
QString saveImage(QWidget* content, const QString& path);

}  // namespace page_output
