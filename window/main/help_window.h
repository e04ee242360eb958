#pragma once

#include <QTextBrowser>

/// "使い方": a short guide to the program, from its own resources, in a window of its own that
/// leaves the main one usable and closes with Escape.
class HelpWindow : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
