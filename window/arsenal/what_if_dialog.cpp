#include "arsenal/what_if_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "arsenal/table_cells.h"
#include "bullpen/arsenal_csv.h"
#include "files/number_text.h"
#include "setup/ball_setup.h"
#include "views/movement_chart.h"

using namespace arsenal_cells;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A figure with its change: "42.7（+2.1）".
QString moved(double now, double was, int decimals) {
    const double d = now - was;
    return fixed(now, decimals) + "（" + (d >= 0 ? "+" : "") + fixed(d, decimals) + "）";
}

// A pair figure as measured and as changed: "12.3 → 10.1".
QString both(const std::string& was, const std::string& now) {
    return qs(was.empty() ? "—" : was) + " → " + qs(now.empty() ? "—" : now);
}

}  // namespace

void WhatIfDialog::open(QWidget* parent, const ball::Arsenal& arsenal, int type,
                        MovementChart* chart) {
    if (type < 0 || type >= static_cast<int>(arsenal.types.size())) return;
    closeAll(parent);
    auto* dialog = new WhatIfDialog(parent, arsenal, type, chart);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->QDialog::show();
}

void WhatIfDialog::closeAll(QWidget* parent) {
    for (WhatIfDialog* d : parent->findChildren<WhatIfDialog*>()) d->close();
}

WhatIfDialog::WhatIfDialog(QWidget* parent, const ball::Arsenal& arsenal, int type,
                           MovementChart* chart)
    // A copy of what it needs: the window may be showing another arsenal by the time it looks.
    : QDialog(parent), pitcher_(ball::pitcherTypes(arsenal, type)), series_(type), chart_(chart) {
    const ball::PitchType& t = pitcher_.arsenal.types[pitcher_.type];
    setObjectName("whatIfDialog");
    setWindowTitle("もしも — " + qs(t.type) +
                   (t.pitcher.empty() ? "" : "（" + qs(t.pitcher) + "）"));
    // Each box named for tests, and bound to the range its figure is taken in.
    const auto bounded = [](auto* box, const char* name, auto low, auto high) {
        box->setObjectName(name);
        box->setRange(low, high);
        return box;
    };
    speed_ = bounded(new QDoubleSpinBox(this), "whatIfSpeed", ball::slowestStorableSpeed(),
                     ball::kFastestMeasuredKmh);
    speed_->setDecimals(1);
    rpm_ = bounded(new QSpinBox(this), "whatIfRpm", static_cast<int>(ball::kMeasuredRpm.low),
                   static_cast<int>(ball::kMeasuredRpm.high));
    rpm_->setSingleStep(50);
    efficiency_ = bounded(new QDoubleSpinBox(this), "whatIfEfficiency",
                          ball::kMeasuredEfficiency.low, ball::kMeasuredEfficiency.high);
    efficiency_->setDecimals(1);
    tilt_ = new QLineEdit(this);
    tilt_->setObjectName("whatIfTilt");
    // The air it is thrown in; the session's is taken as sea level's at 20 °C and 50 %.
    temperature_ = bounded(new QDoubleSpinBox(this), "whatIfTemperature",
                           ball::kAirTemperatureC.low, ball::kAirTemperatureC.high);
    temperature_->setDecimals(0);
    humidity_ = bounded(new QDoubleSpinBox(this), "whatIfHumidity", ball::kAirHumidityPct.low,
                        ball::kAirHumidityPct.high);
    humidity_->setDecimals(0);
    altitude_ = bounded(new QSpinBox(this), "whatIfAltitude",
                        static_cast<int>(ball::kAirAltitudeM.low),
                        static_cast<int>(ball::kAirAltitudeM.high));
    altitude_->setSingleStep(100);
    auto* form = new QFormLayout;
    const std::pair<QWidget*, const char*> rows[] = {{speed_, "速度 (km/h)"},
                                                     {rpm_, "回転数 (rpm)"},
                                                     {efficiency_, "回転効率 (%)"},
                                                     {tilt_, "回転軸の向き (h:mm)"},
                                                     {temperature_, "気温 (°C)"},
                                                     {humidity_, "湿度 (%)"},
                                                     {altitude_, "標高 (m)"}};
    for (const auto& [box, label] : rows) {
        box->setAccessibleName(label);
        form->addRow(label, box);
    }
    result_ = new QLabel(this);
    result_->setObjectName("whatIfResult");
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pairs_ =
        table(this, "whatIfPairs",
              {"相手の球種", "判断点での差 cm\n計測 → もしも", "プレートでの差 cm\n計測 → もしも",
               "判断点後の変化 cm\n計測 → もしも", "変化÷判断点の差\n計測 → もしも"});
    pairs_->setAccessibleName("もしもの球種と、ほかの球種とのトンネル");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* lookButton = buttons->addButton("見る(&S)", QDialogButtonBox::ApplyRole);
    lookButton->setObjectName("whatIfShow");
    lookButton->setDefault(true);
    QPushButton* back = buttons->addButton("計測値に戻す(&R)", QDialogButtonBox::ResetRole);
    connect(lookButton, &QPushButton::clicked, this, &WhatIfDialog::look);
    connect(back, &QPushButton::clicked, this, [this] { reset(), look(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* note = new QLabel(
        "実際の球に近いモデル（揚力と抗力の公表値）で、変えた分だけ変化量とプレートを通る位置を"
        "動かします。回転で説明できない変化はそのままです。球種の模型はその変化量に合わせ直し、"
        "ほかの球種とのトンネルを比べます。計測したときの空気は、海面で 20 °C、湿度 50 % とします。",
        this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->addWidget(result_);
    layout->addWidget(pairs_, 1);
    resize(640, 520);
    reset();
    look();
}

WhatIfDialog::~WhatIfDialog() {
    if (chart_) chart_->setGhost(std::nullopt);
}

void WhatIfDialog::reset() {
    const ball::PitchType& t = pitcher_.arsenal.types[pitcher_.type];
    speed_->setValue(t.speedKmh);
    rpm_->setValue(static_cast<int>(std::lround(t.rpm.value_or(0))));
    const ball::TypeDesign& d = t.design;
    efficiency_->setValue(t.efficiency.value_or(d.impliedEfficiencyPct.value_or(100)));
    const ball::Break measured{t.horizontalCm / 100, t.verticalCm / 100};
    tilt_->setText(qs(ball::clockText(t.tilt ? *t.tilt : ball::breakClock(measured))));
    temperature_->setValue(20), humidity_->setValue(50), altitude_->setValue(0);
    for (QWidget* w : std::initializer_list<QWidget*>{speed_, rpm_, efficiency_, tilt_,
                                                      temperature_, humidity_, altitude_})
        w->setEnabled(t.rpm.has_value());
}

void WhatIfDialog::look() {
    const ball::PitchType& t = pitcher_.arsenal.types[pitcher_.type];
    ball::WhatIf w{.type = t.type, .pitcher = t.pitcher};
    w.speedKmh = ball::Change{speed_->value()};
    w.rpm = ball::Change{static_cast<double>(rpm_->value())};
    w.efficiencyPct = ball::Change{efficiency_->value()};
    w.temperatureC = temperature_->value(), w.humidityPct = humidity_->value();
    w.altitudeM = altitude_->value();
    std::string error;
    const std::optional<ball::Clock> tilt = ball::parseClock(tilt_->text().toStdString());
    if (tilt) w.tiltMinutes = ball::Change{ball::clockMinutes(*tilt)};
    const std::optional<ball::PitchType> c =
        tilt ? ball::changedType(t, w, error, ball::Language::Japanese)
             : (error = "回転軸の向きは 1:00 から 12:59 までの時計の読みで入れてください（h:mm）。",
                std::nullopt);
    pairs_->setRowCount(0);
    if (!c) {
        result_->setText(t.rpm ? qs(error)
                               : "この球種は回転数が計測されていないので、回転を変えられません。");
        if (chart_) chart_->setGhost(std::nullopt);
        return;
    }
    const ball::WhatIfOutcome out = ball::whatIfOutcome(pitcher_.arsenal, pitcher_.type, *c);
    QString text = "変化量（計測値を、変えた分だけ動かしたもの）: 縦 " +
                   moved(c->verticalCm, t.verticalCm, 1) + " cm、横 " +
                   moved(-c->horizontalCm, -t.horizontalCm, 1) + " cm（三塁側が＋）";
    if (c->plateHeightM && t.plateHeightM) {
        text += "\nプレートを通る高さ: " + moved(*c->plateHeightM * 100, *t.plateHeightM * 100, 1) +
                " cm（同じ向きに投げた場合）";
    }
    if (c->design.predicted) {
        text += "\n回転からの変化量: 縦 " + fixed(c->design.predicted->upCm, 1) + " cm、横 " +
                fixed(c->design.predicted->rightCm, 1) + " cm";
    }
    const ball::PitchType& fitted = out.types[out.changed];
    if (!fitted.fitted()) text += "\n模型: " + qs(fitted.model.error);
    result_->setText(text);
    if (chart_) {
        chart_->setGhost(MovementChart::Ghost{.from = {t.horizontalCm / 100, t.verticalCm / 100},
                                              .to = {c->horizontalCm / 100, c->verticalCm / 100},
                                              .series = series_,
                                              .label = "もしも"});
    }
    pairs_->setRowCount(static_cast<int>(out.pairs.size()));
    for (int r = 0; r < pairs_->rowCount(); ++r) {
        const ball::TypePair& p = out.pairs[r];
        const int other = p.first == out.changed ? p.second : p.first;
        const ball::PairTexts was = ball::pairTexts(out.before[r]);
        const ball::PairTexts now = ball::pairTexts(p.figures);
        const QString cells[] = {qs(out.types[other].type), both(was.tunnelCm, now.tunnelCm),
                                 both(was.plateCm, now.plateCm),
                                 both(was.postTunnelCm, now.postTunnelCm),
                                 both(was.ratio, now.ratio)};
        for (int col = 0; col < pairs_->columnCount(); ++col)
            pairs_->setItem(r, col, new QTableWidgetItem(cells[col]));
    }
}
