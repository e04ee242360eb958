#include "arsenal/arsenal_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "files/csv_table.h"
#include "files/number_text.h"
#include "arsenal/pair_table.h"
#include "arsenal/pitch_table.h"
#include "arsenal/table_cells.h"
#include "views/batter_canvas.h"
#include "bullpen/arsenal_fit.h"
#include "views/movement_chart.h"

using namespace arsenal_cells;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ArsenalWindow::ArsenalWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("arsenalWindow");
    setWindowTitle("持ち球");
    source_ = new QLabel(this);
    source_->setObjectName("arsenalSource");
    source_->setTextFormat(Qt::PlainText);  // a file's name, never markup
    column_ = new QSpinBox(this);
    row_ = new QSpinBox(this);
    for (QSpinBox* s : {column_, row_}) {
        s->setRange(1, 5);
        s->setValue(3);
        connect(s, &QSpinBox::editingFinished, this, [this] {
            if (column_->value() != arsenal_.targetColumn || row_->value() != arsenal_.targetRow) {
                emit targetChanged(column_->value(), row_->value());
            }
        });
    }
    column_->setObjectName("arsenalTargetColumn");
    column_->setAccessibleName("ボール１の目標の列");
    row_->setObjectName("arsenalTargetRow");
    row_->setAccessibleName("ボール１の目標の行");

    types_ = table(this, "arsenalTypes",
                   {"投手", "利き腕", "球種", "球数", "速度\nkm/h", "回転数\nrpm", "回転効率\n%",
                    "回転方向", "縦の変化量\ncm", "横の変化量\ncm", "リリースの\n高さ m",
                    "リリースの\n横 m", "エクステン\nション m", "模型の速度\nkm/h",
                    "模型の回転\n回/秒", "模型の回転軸\n度", "模型の縦\ncm", "模型の横\ncm"});
    types_->setAccessibleName("球種ごとの計測値と模型");
    types_->setToolTip(
        "横の変化量は捕手から見て右が＋。± はばらつき（標準偏差）。模型は平均の変化量に"
        "合わせた、ボール１の回転と回転軸角度です。");
    pairs_ = new PairTable(this);
    connect(pairs_, &QTableWidget::cellDoubleClicked, this, [this] { throwChosen(); });
    auto* throwButton = new QPushButton("選んだ組をボール１・２で投げる", this);
    throwButton->setObjectName("arsenalThrow");
    throwButton->setToolTip("ボール１を目標のマスにねらい、ボール２を同じ向きで投げた場合を、"
                            "二つのパネルとデータファイルに入れて投げます（表の数値は、それぞれの"
                            "球種をその投げ方で投げた場合です）。");
    connect(throwButton, &QPushButton::clicked, this, [this] { throwChosen(); });
    chart_ = new MovementChart(this, 360, 3);

    auto* remap = new QPushButton("列を選び直す…", this);
    remap->setObjectName("arsenalRemap");
    connect(remap, &QPushButton::clicked, this, &ArsenalWindow::remapColumns);
    auto* target = new QHBoxLayout;
    target->addWidget(source_, 1);
    target->addWidget(remap);
    pairing_ = new QComboBox(this);
    pairing_->setObjectName("arsenalPairing");
    pairing_->addItems({"球種の平均どうし", "同じ打者への続けた 2 球"});
    pairing_->setAccessibleName("トンネルの組み方");
    connect(pairing_, &QComboBox::activated, this, [this](int index) {
        if (index != static_cast<int>(arsenal_.pairing)) emit pairingChanged(index);
    });
    batters_ = new QComboBox(this);
    batters_->setObjectName("arsenalBatterSide");
    batters_->addItems({"全部", "右打者", "左打者"});
    batters_->setAccessibleName("打者の左右");
    connect(batters_, &QComboBox::activated, this, [this](int index) {
        if (index != static_cast<int>(arsenal_.batterSide)) emit batterSideChanged(index);
    });
    pitchers_ = new QComboBox(this);
    pitchers_->setObjectName("arsenalPitcher");
    pitchers_->setAccessibleName("投手");
    connect(pitchers_, &QComboBox::activated, this, [this](int index) {
        const QString pitcher = index == 0 ? QString() : pitchers_->itemText(index);
        if (pitcher.toStdString() != arsenal_.pitcher) emit pitcherChanged(pitcher);
    });
    pitchersLabel_ = new QLabel("投手", this);
    target->addWidget(pitchersLabel_);
    target->addWidget(pitchers_);
    battersLabel_ = new QLabel("打者", this);
    target->addWidget(battersLabel_);
    target->addWidget(batters_);
    target->addWidget(new QLabel("組み方", this));
    target->addWidget(pairing_);
    target->addWidget(new QLabel("目標（位置のない球種）: 列", this));
    target->addWidget(column_);
    target->addWidget(new QLabel("行", this));
    target->addWidget(row_);
    auto* left = new QVBoxLayout;
    // The types, and the pitches read (of the type chosen, whose pitches the chart marks).
    pitches_ = new PitchTable(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("arsenalTabs");
    tabs->addTab(types_, "球種（計測値と模型）");
    tabs->addTab(pitches_, "読んだ投球");
    types_->setSelectionBehavior(QAbstractItemView::SelectRows);
    types_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(types_, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> chosen = types_->selectedItems();
        const int type = chosen.isEmpty() ? -1 : chosen.first()->row();
        pitches_->fill(arsenal_, type);
        chart_->setMarked(type);
    });
    left->addWidget(tabs, 3);
    left->addWidget(new QLabel("トンネル（球種の組）", this));
    left->addWidget(pairs_, 2);
    left->addWidget(throwButton, 0, Qt::AlignLeft);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("変化量の図（cm、投手の後ろから見た向き）", this));
    right->addWidget(chart_);
    // The pair chosen, as thrown, from the batter's box at the end of both flights: the rings
    // where each crossed the decision point.
    pairView_ = new BatterCanvas(this, pairScene_, pairScene_.endTime);
    pairView_->setObjectName("arsenalPairView");
    pairView_->setAccessibleName("選んだ組を打者から見た投球");
    pairView_->setMinimumSize(300, 200);
    right->addWidget(new QLabel("選んだ組（打者から見た投球、輪は判断点）", this));
    right->addWidget(pairView_, 1);
    connect(pairs_, &QTableWidget::itemSelectionChanged, this, &ArsenalWindow::showChosen);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(target);
    layout->addLayout(body);
    resize(1280, 640);
    // Closed with Escape, as the program's other windows are; Ctrl+C copies both tables as
    // tab-separated text, for a spreadsheet.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, [this] {
        QString text;
        for (const QTableWidget* t : {types_, static_cast<QTableWidget*>(pairs_)}) {
            for (int r = -1; r < t->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < t->columnCount(); ++c) {
                    const QTableWidgetItem* item =
                        r < 0 ? t->horizontalHeaderItem(c) : t->item(r, c);
                    // One line a row, and nothing a spreadsheet would run as a formula.
                    QString text = item ? item->text() : QString();
                    text.replace('\n', ' ').replace('\t', ' ');
                    cells << qs(ball::spreadsheetText(text.toStdString()));
                }
                text += cells.join('\t') + '\n';
            }
            text += '\n';
        }
        QApplication::clipboard()->setText(text);
    });
}

void ArsenalWindow::setArsenal(const ball::Arsenal& arsenal, const QString& file) {
    arsenal_ = arsenal;
    file_ = file;
    const int pitches = static_cast<int>(arsenal_.bullpen.pitches.size());
    const int skipped = static_cast<int>(arsenal_.bullpen.skippedLines.size());
    source_->setText(QString("%1: %2 球").arg(file).arg(pitches) +
                     (skipped ? QString("（%1 行は読みませんでした）").arg(skipped) : QString()));
    showTarget();
    fillTypes();
    pairs_->fill(arsenal_);
    pitches_->fill(arsenal_);
    chart_->setTypes(ball::chartGroups(arsenal_));
    // Wide enough for every column of the types beside the chart, as far as the screen allows.
    const int wanted = types_->horizontalHeader()->length() + types_->verticalHeader()->width() +
                       2 * types_->frameWidth() + chart_->width() + 40;
    const int room = screen() ? screen()->availableGeometry().width() : wanted;
    resize(std::max(width(), std::min(wanted, room)), height());
}

void ArsenalWindow::showChosen() {
    const int chosen = pairs_->chosen();
    const ball::PitchType* one =
        chosen < 0 ? nullptr : &arsenal_.types[arsenal_.pairs[chosen].first];
    const ball::PitchType* two =
        chosen < 0 ? nullptr : &arsenal_.types[arsenal_.pairs[chosen].second];
    const auto set = [](const ball::PitchType* t) {
        return t && t->thrown ? &t->thrown->set : nullptr;
    };
    pairScene_ = ball::batterSceneOf(set(one), set(two), std::nullopt);
    pairView_->eye = arsenal_.batterSide == ball::BatterSide::Left ? ball::Eye::LeftBatter
                                                                   : ball::Eye::RightBatter;
    pairView_->update();
}

void ArsenalWindow::showTarget() {
    column_->setValue(arsenal_.targetColumn);
    row_->setValue(arsenal_.targetRow);
    pairing_->setCurrentIndex(static_cast<int>(arsenal_.pairing));
    batters_->setCurrentIndex(static_cast<int>(arsenal_.batterSide));
    // Only where the file says from which side each batter batted.
    const bool sides = ball::hasBatterSides(arsenal_.bullpen);
    batters_->setVisible(sides);
    battersLabel_->setVisible(sides);
    // One pitcher at a time, or every one, where the session has more than one.
    const std::vector<std::string> pitchers = ball::pitchersOf(arsenal_.bullpen);
    pitchers_->clear();
    pitchers_->addItem("全員");
    for (const std::string& p : pitchers) pitchers_->addItem(qs(p));
    pitchers_->setCurrentText(arsenal_.pitcher.empty() ? "全員" : qs(arsenal_.pitcher));
    pitchers_->setVisible(pitchers.size() > 1);
    pitchersLabel_->setVisible(pitchers.size() > 1);
}

void ArsenalWindow::fillTypes() {
    types_->setRowCount(static_cast<int>(arsenal_.types.size()));
    for (int r = 0; r < types_->rowCount(); ++r) {
        const ball::PitchType& t = arsenal_.types[r];
        const bool fitted = t.fitted();
        const std::optional<ball::Break>& model = t.modelBreak;
        const double none = std::nan("");
        const QString cells[] = {qs(t.pitcher), qs(t.hand), qs(t.type), QString::number(t.count()),
                                 spread(t.speedKmh, t.speedSd), fixed(t.rpm, 0),
                                 fixed(t.efficiency, 0),
                                 t.tilt ? qs(ball::clockText(*t.tilt)) : QString("—"),
                                 spread(t.verticalCm, t.verticalSd),
                                 spread(t.horizontalCm, t.horizontalSd), fixed(t.relHeightM, 2),
                                 fixed(t.relSideM, 2), fixed(t.extensionM, 2),
                                 fitted ? qs(t.model.speed) : QString("—"),
                                 fitted ? qs(t.model.spin) : QString("—"),
                                 fitted ? qs(t.model.axis) : QString("—"),
                                 fixed(model ? model->vertical * 100 : none, 1),
                                 fixed(model ? model->horizontal * 100 : none, 1)};
        // Why it has no model, or which of its release point and location it lacks.
        const std::string note =
            fitted ? ball::deliveryGapNote(t, ball::Language::Japanese) : t.model.error;
        for (int c = 0; c < types_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!note.empty()) item->setToolTip(Qt::convertFromPlainText(qs(note)));
            types_->setItem(r, c, item);
        }
    }
}

void ArsenalWindow::throwChosen() {
    const int chosen = pairs_->chosen();
    if (chosen < 0) return;
    const ball::TypePair& p = arsenal_.pairs[chosen];
    const ball::PitchType& one = arsenal_.types[p.first];
    const ball::PitchType& two = arsenal_.types[p.second];
    if (!one.fitted() || !two.fitted()) return;
    emit throwPair(ball::ball1PanelOf(arsenal_, one), ball::ball2PanelOf(two));
}
