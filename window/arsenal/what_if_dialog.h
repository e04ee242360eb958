#pragma once

#include <QDialog>
#include <QPointer>

#include "bullpen/arsenal.h"

class MovementChart;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

/// "もしも": one type of 持ち球 with its speed, spin rate, efficiency or tilt changed. The
/// realistic model moves its break, the chart shows where its mean would go, and a table its
/// tunnels with the pitcher's other types, as measured and as changed.
class WhatIfDialog : public QDialog {
    Q_OBJECT

public:
    /// For type `type` of the arsenal shown, its ghost drawn on `chart` while open; one at a
    /// time, closed with the window's arsenal (closeAll).
    static void open(QWidget* parent, const ball::Arsenal& arsenal, int type, MovementChart* chart);
    static void closeAll(QWidget* parent);
    ~WhatIfDialog() override;

private:
    WhatIfDialog(QWidget* parent, const ball::Arsenal& arsenal, int type, MovementChart* chart);
    /// Flies the change and shows what it gives.
    void look();
    /// Puts the boxes back to the type as measured.
    void reset();

    ball::PitcherTypes pitcher_;  // its pitcher's types alone, as fitted, and where it is
    int series_;                     // on the chart
    QPointer<MovementChart> chart_;  // the window may delete it first
    QDoubleSpinBox* speed_;
    QSpinBox* rpm_;
    QDoubleSpinBox* efficiency_;
    QLineEdit* tilt_;
    QDoubleSpinBox* temperature_;
    QDoubleSpinBox* humidity_;
    QSpinBox* altitude_;
    QLabel* result_;
    QTableWidget* pairs_;
};
