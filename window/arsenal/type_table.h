#pragma once

#include <QTableWidget>

#include "bullpen/arsenal.h"

/// 持ち球's table of the types: each type's device figures (means, with their spread) beside its
/// model's panel values and break; a type without a model or a measured delivery says why in
/// its tooltip.
class TypeTable : public QTableWidget {
    Q_OBJECT

public:
    explicit TypeTable(QWidget* parent);

    void fill(const ball::Arsenal& arsenal);

signals:
    /// Enter or Return on a type, a double-click, or もしも… from its menu: that type's spin is
    /// to be changed in a what-if.
    void whatIfAsked(int type);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
