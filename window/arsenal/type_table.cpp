#include "arsenal/type_table.h"

#include <QAction>
#include <QKeyEvent>
#include <QTextDocument>
#include <cmath>

#include "arsenal/table_cells.h"
#include "bullpen/arsenal_fit.h"
#include "display/pitch_figures.h"
#include "session/figure_texts.h"

using namespace arsenal_cells;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The break toward the pitcher's arm (+) or glove (−), where his hand is known.
QString armSide(const ball::PitchType& t) {
    const bool right = ball::namesSide(t.hand, ball::BatterSide::Right);
    const bool left = ball::namesSide(t.hand, ball::BatterSide::Left);
    if (!right && !left) return "—";
    const double arm = right ? -t.horizontalCm : t.horizontalCm;  // his right is +
    return (arm >= 0 ? "腕側 " : "グラブ側 ") + fixed(std::abs(arm), 1);
}

// The efficiency the measured break implies; past all the spin's reach, said so.
QString implied(const ball::TypeDesign& d) {
    return d.beyondAllSpin ? QString("100 超") : fixed(d.impliedEfficiencyPct, 1);
}

// One part of a break the realistic model gives, cm.
QString part(const std::optional<ball::DeviceBreak>& b, double ball::DeviceBreak::*p) {
    return b ? fixed((*b).*p, 1) : QString("—");
}

}  // namespace

TypeTable::TypeTable(QWidget* parent) : QTableWidget(parent) {
    setUpTable(this, "arsenalTypes",
               {"投手", "利き腕", "球種", "球数", "速度\nkm/h", "回転数\nrpm", "回転効率\n%",
                "変化量からの\n回転効率 %", "回転軸の\n向き", "縦の変化量\ncm",
                "横の変化量\n三塁側+ cm", "腕の側\ncm", "回転からの\n縦 cm",
                "回転からの\n横 三塁側+ cm", "回転で説明\nできない縦 cm",
                "回転で説明\nできない横 cm", "説明できない\n変化の向き",
                "リリースの\n高さ m", "リリースの\n横 m", "エクステンション\nm",
                "模型の速度\nkm/h", "模型の回転\n回/秒", "模型の回転\nrpm", "模型の回転軸\n度",
                "模型の縦\ncm", "模型の横\n三塁側+ cm"});
    setAccessibleName("球種ごとの計測値と模型");
    setToolTip(
        "横の変化量は三塁側（投手の右）が＋、デバイスと同じ向きです。腕の側は、利き腕の側"
        "（腕側）とグラブの側のどちらへどれだけ変化したか。± はばらつき（標準偏差）。"
        "模型は平均の変化量に合わせた、ボール１の回転と回転軸角度です。\n"
        "「変化量からの回転効率」「回転からの縦・横」は実際の球に近いモデル（揚力と抗力の公表値）"
        "によるもの: 計測した変化量になる回転効率と、計測した回転数・回転効率・回転軸の向きから"
        "見込む変化量です。その差が「回転で説明できない」変化（縫い目の向きによる後流など）です。\n"
        "球種をダブルクリックするか Enter で「もしも」: 回転を変えたときの変化量とトンネルを見ます。");
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    auto* whatIf = new QAction("もしも…（この球種の回転を変えてみる）", this);
    whatIf->setObjectName("arsenalWhatIf");
    connect(whatIf, &QAction::triggered, this, [this] { emit whatIfAsked(currentRow()); });
    addAction(whatIf);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { emit whatIfAsked(row); });
}

void TypeTable::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        emit whatIfAsked(currentRow());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TypeTable::fill(const ball::Arsenal& arsenal) {
    setRowCount(static_cast<int>(arsenal.types.size()));
    for (int r = 0; r < rowCount(); ++r) {
        const ball::PitchType& t = arsenal.types[r];
        const bool fitted = t.fitted();
        const std::optional<ball::Break>& model = t.modelBreak;
        const double none = std::nan("");
        const QString cells[] = {qs(t.pitcher), qs(t.hand), qs(t.type), QString::number(t.count()),
                                 spread(t.speedKmh, t.speedSd), fixed(t.rpm, 0),
                                 fixed(t.efficiency, 0), implied(t.design),
                                 t.tilt ? qs(ball::clockText(*t.tilt)) : QString("—"),
                                 spread(t.verticalCm, t.verticalSd),
                                 spread(-t.horizontalCm, t.horizontalSd), armSide(t),
                                 part(t.design.predicted, &ball::DeviceBreak::upCm),
                                 part(t.design.predicted, &ball::DeviceBreak::rightCm),
                                 part(t.design.unexplained, &ball::DeviceBreak::upCm),
                                 part(t.design.unexplained, &ball::DeviceBreak::rightCm),
                                 t.design.unexplainedClock
                                     ? qs(ball::clockText(*t.design.unexplainedClock))
                                     : QString("—"),
                                 fixed(t.relHeightM, 2), fixed(t.relSideM, 2),
                                 fixed(t.extensionM, 2),
                                 fitted ? qs(t.model.speed) : QString("—"),
                                 fitted ? qs(t.model.spin) : QString("—"),
                                 fitted ? fixed(qs(t.model.spin).toDouble() * 60, 0) : "—",
                                 fitted ? qs(t.model.axis) : QString("—"),
                                 fixed(model ? model->vertical * 100 : none, 1),
                                 fixed(model ? -model->horizontal * 100 : none, 1)};
        // Why it has no model, or which of its release point and location it lacks, and where
        // the model as thrown bounces.
        std::string note =
            fitted ? ball::deliveryGapNote(t, ball::Language::Japanese) : t.model.error;
        if (const auto bounce = t.thrown ? ball::bounceDistance(t.thrown->set) : std::nullopt) {
            note += note.empty() ? "模型は" : "\n模型は";
            note += ball::bounceMark(*bounce);
        }
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!note.empty()) item->setToolTip(Qt::convertFromPlainText(qs(note)));
            setItem(r, c, item);
        }
    }
}

