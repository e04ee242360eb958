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
};
