#pragma once

#include <QDialog>
#include <QList>

#include "bullpen/bullpen.h"

class MovementChart;
class QComboBox;
class QDialogButtonBox;

/// For a CSV whose columns the program does not know: which column plays each role, in which
/// unit, and which side is + for the horizontal break; with the first rows and the chart of
/// what the choice reads.
class ColumnMapDialog : public QDialog {
    Q_OBJECT

public:
    ColumnMapDialog(const ball::CsvTable& table, const ball::ColumnMap& start, QWidget* parent);
    ball::ColumnMap map() const;

private:
    void preview();

    const ball::CsvTable& table_;
    QList<QComboBox*> roles_;  // one a role, in the order of ball::Role
    QComboBox* speedUnit_;
    QComboBox* breakUnit_;
    QComboBox* releaseUnit_;
    QComboBox* plusSide_;
    MovementChart* chart_;
    QDialogButtonBox* buttons_;
};
