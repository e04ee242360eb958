#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "display/pitch_figures.h"
#include "session/figure_texts.h"

class QTableWidget;
class MovementChart;

/// "投球の数値": the figures of the balls drawn, one column a ball and one row a figure, with a
/// line on what the decision point is. It leaves the main window usable, follows every run,
/// opens at the size of its contents, copies itself (Ctrl+C) as tab-separated text, and closes
/// with Escape.
class FiguresWindow : public QWidget {
    Q_OBJECT

public:
    explicit FiguresWindow(QWidget* parent);

    /// Shows the rows, one figure a row, and the balls' breaks on the movement chart.
    void setFigures(const std::vector<ball::FigureRow>& rows,
                    const std::array<std::optional<ball::Break>, 2>& breaks = {});

    /// Marks the ball whose panel no longer holds what its drawing was thrown with.
    void setPanelChanged(const std::array<bool, 2>& changed);

    /// The table as tab-separated lines: a header, then a figure a line.
    QString tabSeparated() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitToContents();

    QTableWidget* table_;
    MovementChart* chart_;
};
