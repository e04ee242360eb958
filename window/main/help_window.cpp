#include "main/help_window.h"

#include <QKeyEvent>
#include <QUrl>

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setObjectName("helpWindow");
    setWindowTitle("使い方");
    setAccessibleName("使い方");
    setOpenExternalLinks(false);
    setSource(QUrl("qrc:/help.html"));
    resize(640, 720);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}
