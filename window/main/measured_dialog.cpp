#include "main/measured_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& text = {}) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

}  // namespace

MeasuredDialog::MeasuredDialog(int ball, const QString& speed, QWidget* parent) : QDialog(parent) {
    setObjectName("measuredDialog");
    setWindowTitle(ball == 1 ? "計測値から入力（ボール１）" : "計測値から入力（ボール２）");
    speed_ = field(this, "measuredSpeed", speed);
    bySpin_ = new QRadioButton("回転から", this);
    bySpin_->setObjectName("bySpin");
    auto* byBreak = byBreak_ = new QRadioButton("変化量から", this);
    byBreak->setObjectName("byBreak");
    byBreak->setChecked(true);  // what matches a device's break
    realistic_ = new QRadioButton("実際の球に近いモデルで", this);
    realistic_->setObjectName("byRealisticModel");
    realistic_->setToolTip(
        "回転数・回転効率・回転軸の向きから、実際の球に近いモデル（揚力と抗力の公表値）で変化量を"
        "求め、その変化量になるようこの模型の回転を合わせます。");
    auto* way = new QButtonGroup(this);  // in two frames, still one choice
    way->addButton(bySpin_);
    way->addButton(realistic_);
    way->addButton(byBreak);

    auto* spin = new QGroupBox(this);
    rpm_ = field(spin, "measuredRpm");
    efficiency_ = field(spin, "measuredEfficiency", "100");
    tilt_ = field(spin, "measuredTilt");
    tilt_->setPlaceholderText("1:30");
    auto* spinForm = new QFormLayout(spin);
    spinForm->addRow(bySpin_);
    spinForm->addRow(realistic_);
    spinForm->addRow("回転数 (rpm)", rpm_);
    spinForm->addRow("回転効率 (%)", efficiency_);
    spinForm->addRow("回転軸の向き (h:mm)", tilt_);
    auto* note = new QLabel(
        "この模型の普通の球は回転のすべてで浮くので、回転数に回転効率をかけた分を入れます。"
        "模型は本物のボールより大きく浮きます（145 km/h、2300 rpm の直球で約 1.5 倍）。"
        "計測機器の変化量と同じに曲げるには「変化量から」、回転から実際の球の変化を見込むには"
        "「実際の球に近いモデルで」を使ってください。",
        spin);
    note->setWordWrap(true);
    spinForm->addRow(note);

    auto* change = new QGroupBox(this);
    vertical_ = field(change, "measuredVertical");
    horizontal_ = field(change, "measuredHorizontal");
    auto* breakForm = new QFormLayout(change);
    breakForm->addRow(byBreak);
    breakForm->addRow("縦の変化量 (cm)", vertical_);
    breakForm->addRow("横の変化量 (cm、三塁側が＋)", horizontal_);

    const auto enable = [this, byBreak] {
        for (QWidget* w : {rpm_, efficiency_, tilt_}) w->setEnabled(!byBreak->isChecked());
        for (QWidget* w : {vertical_, horizontal_}) w->setEnabled(byBreak->isChecked());
    };
    connect(byBreak, &QRadioButton::toggled, this, enable);
    enable();

    // Each box named as its label reads, for a screen reader.
    const std::pair<QLineEdit*, const char*> names[] = {
        {speed_, "球速 (km/h)"},          {rpm_, "回転数 (rpm)"},
        {efficiency_, "回転効率 (%)"},     {tilt_, "回転軸の向き (h:mm)"},
        {vertical_, "縦の変化量 (cm)"},   {horizontal_, "横の変化量 (cm、三塁側が＋)"}};
    for (const auto& [box, name] : names) box->setAccessibleName(name);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    top->addRow("球速 (km/h)", speed_);
    layout->addLayout(top);
    layout->addWidget(spin);
    layout->addWidget(change);
    layout->addWidget(buttons);
}

ball::MeasuredPitch MeasuredDialog::measurement() const {
    return {.speed = speed_->text().toStdString(),
            .bySpin = !byBreak_->isChecked(),
            .realistic = realistic_->isChecked(),
            .rpm = rpm_->text().toStdString(),
            .efficiency = efficiency_->text().toStdString(),
            .tilt = tilt_->text().toStdString(),
            .vertical = vertical_->text().toStdString(),
            .horizontal = horizontal_->text().toStdString()};
}
