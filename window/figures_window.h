#pragma once

#include <QWidget>

#include "display/display_set.h"

class QTableWidget;

/// "投球の数値": the figures of the balls drawn, one column a ball and one row a figure. It
/// leaves the main window usable, follows every run, and copies itself (Ctrl+C) as
/// tab-separated text.
class FiguresWindow : public QWidget {
    Q_OBJECT

public:
    explicit FiguresWindow(QWidget* parent);

    /// Shows the figures of the balls drawn; a ball not drawn is null.
    void showFigures(const ball::DisplaySet* ball1, const ball::DisplaySet* ball2);

    /// The table as tab-separated lines: a header, then a figure a line.
    QString tabSeparated() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* table_;
};
