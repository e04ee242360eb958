#pragma once

#include <QDialog>

#include "session/measured_pitch.h"

class QLineEdit;
class QRadioButton;

/// "計測値から入力": one ball's pitch as a tracking device measured it, by its spin (rpm,
/// efficiency, tilt), by the break the realistic model gives that spin, or by its break (vertical
/// and horizontal, cm), with its speed.
class MeasuredDialog : public QDialog {
    Q_OBJECT

public:
    /// For ball 1 or 2, starting from the panel's speed.
    MeasuredDialog(int ball, const QString& speed, QWidget* parent);

    /// What was typed.
    ball::MeasuredPitch measurement() const;

private:
    QLineEdit* speed_;
    QRadioButton* bySpin_;
    QRadioButton* realistic_;
    QRadioButton* byBreak_;
    QLineEdit* rpm_;
    QLineEdit* efficiency_;
    QLineEdit* tilt_;
    QLineEdit* vertical_;
    QLineEdit* horizontal_;
};
