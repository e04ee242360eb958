#pragma once

#include <QTableWidget>

#include "bullpen/arsenal.h"

/// 持ち球's table of the pitches read: each with its line in the file, its pitcher and type, the
/// figures read, its break, release point and location; sortable, one type's or all.
class PitchTable : public QTableWidget {
    Q_OBJECT

public:
    explicit PitchTable(QWidget* parent);

    /// Shows the pitches of the arsenal's types: of the type at that index, or of all (-1).
    void fill(const ball::Arsenal& arsenal, int type = -1);
};
