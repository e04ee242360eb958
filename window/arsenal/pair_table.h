#pragma once

#include <QTableWidget>

#include "bullpen/arsenal.h"

/// 持ち球's tunnel table: a row for each pair of an arsenal, sortable, the first pitcher's ★
/// pair chosen.
class PairTable : public QTableWidget {
    Q_OBJECT

public:
    explicit PairTable(QWidget* parent);

    /// Shows the arsenal's pairs.
    void fill(const ball::Arsenal& arsenal);
    /// The index, in the arsenal's pairs, of the pair chosen; -1 for none.
    int chosen() const;

signals:
    /// Enter, Return or Space on a pair, or a double-click: the pair chosen is to be thrown.
    void throwAsked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
