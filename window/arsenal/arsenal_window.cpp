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
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "files/csv_table.h"
#include "files/number_text.h"
#include "arsenal/pair_table.h"
#include "arsenal/pitch_table.h"
#include "arsenal/session_comparison.h"
#include "arsenal/type_table.h"
#include "arsenal/what_if_dialog.h"
#include "bullpen/arsenal_csv.h"
#include "kit/error_box.h"
#include "print/page_output.h"
#include "session/save_file.h"
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

    types_ = new TypeTable(this);
    connect(types_, &TypeTable::whatIfAsked, this,
            [this](int type) { WhatIfDialog::open(this, arsenal_, type, chart_); });
    pairs_ = new PairTable(this);
    connect(pairs_, &QTableWidget::cellDoubleClicked, this, [this] { throwChosen(); });
    connect(pairs_, &PairTable::throwAsked, this, &ArsenalWindow::throwChosen);
    auto* throwButton = new QPushButton("選んだ組をボール１・２で投げる(&T)", this);
    throwButton->setObjectName("arsenalThrow");
    throwButton->setToolTip("ボール１を目標のマスにねらい、ボール２を同じ向きで投げた場合を、"
                            "二つのパネルとデータファイルに入れて投げます（表の数値は、それぞれの"
                            "球種をその投げ方で投げた場合です）。");
    connect(throwButton, &QPushButton::clicked, this, [this] { throwChosen(); });
    chart_ = new MovementChart(this, 360, 3);
    chart_->setGrowing();

    auto* remap = new QPushButton("列を選び直す…", this);
    remap->setObjectName("arsenalRemap");
    connect(remap, &QPushButton::clicked, this, &ArsenalWindow::remapColumns);
    auto* target = new QHBoxLayout;
    target->addWidget(source_, 1);
    target->addWidget(remap);
    // Each choice with its label: shown by name to a screen reader.
    const auto choice = [&](const char* name, const QString& label, const QString& accessible,
                            const QStringList& items, QLabel** labelled = nullptr) {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        box->setAccessibleName(accessible);
        box->addItems(items);
        auto* shown = new QLabel(label, this);
        shown->setBuddy(box);
        if (labelled) *labelled = shown;
        target->addWidget(shown);
        target->addWidget(box);
        return box;
    };
    sessions_ = choice("arsenalSession", "セッション", "セッション", {}, &sessionsLabel_);
    connect(sessions_, &QComboBox::activated, this, &ArsenalWindow::sessionChanged);
    pitchers_ = choice("arsenalPitcher", "投手", "投手", {}, &pitchersLabel_);
    connect(pitchers_, &QComboBox::activated, this, [this](int index) {
        const QString pitcher = index == 0 ? QString() : pitchers_->itemText(index);
        if (pitcher.toStdString() != arsenal_.pitcher) emit pitcherChanged(pitcher);
    });
    batters_ = choice("arsenalBatterSide", "打者", "打者の左右", {"全部", "右打者", "左打者"},
                      &battersLabel_);
    connect(batters_, &QComboBox::activated, this, [this](int index) {
        if (index != static_cast<int>(arsenal_.batterSide)) emit batterSideChanged(index);
    });
    pairing_ = choice("arsenalPairing", "組み方", "トンネルの組み方",
                      {"球種の平均どうし", "同じ打者への続けた 2 球"});
    connect(pairing_, &QComboBox::activated, this, [this](int index) {
        if (index != static_cast<int>(arsenal_.pairing)) emit pairingChanged(index);
    });
    target->addWidget(new QLabel("目標（位置のない球種）: 列", this));
    target->addWidget(column_);
    target->addWidget(new QLabel("行", this));
    target->addWidget(row_);
    auto* left = new QVBoxLayout;
    // The types, and the pitches read (of the type chosen, whose pitches the chart marks).
    pitches_ = new PitchTable(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("arsenalTabs");
    tabs->setAccessibleName("球種、読んだ投球、セッションの比較");
    tabs->addTab(types_, "球種（計測値と模型）");
    tabs->addTab(pitches_, "読んだ投球");
    compare_ = new SessionComparison(this);
    tabs->addTab(compare_, "セッションの比較");
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
    right->addWidget(chart_, 1);
    // The pair chosen, as thrown, from the batter's box at the end of both flights: the rings
    // where each crossed the decision point.
    pairView_ = new BatterCanvas(this, pairScene_, pairScene_.endTime);
    pairView_->setObjectName("arsenalPairView");
    pairView_->setAccessibleName("選んだ組を打者から見た投球");
    pairView_->setMinimumSize(300, 200);
    right->addWidget(new QLabel("選んだ組（打者から見た投球、輪は判断点）", this));
    right->addWidget(pairView_, 1);
    connect(pairs_, &QTableWidget::itemSelectionChanged, this, &ArsenalWindow::showChosen);
    // The tables and the chart share the width as the user drags, and share what the window
    // gains: the chart grows with it.
    body_ = new QSplitter(this);
    for (QLayout* side : {static_cast<QLayout*>(left), static_cast<QLayout*>(right)}) {
        auto* pane = new QWidget(body_);
        side->setContentsMargins(0, 0, 0, 0);
        pane->setLayout(side);
        body_->addWidget(pane);
    }
    body_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(target);
    layout->addWidget(body_, 1);
    resize(1280, 640);
    // Closed with Escape, as the program's other windows are; Ctrl+C copies both tables as
    // tab-separated text, for a spreadsheet.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, [this] {
        QApplication::clipboard()->setText(tablesText({types_, pairs_}));
    });
}

bool ArsenalWindow::event(QEvent* event) {
    // Ctrl+S saves 持ち球 itself, where elsewhere it saves the main window: the shortcut is
    // taken here, before the program-wide one sees it.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Save)) {
        event->accept();
        QMetaObject::invokeMethod(this, &ArsenalWindow::askSave, Qt::QueuedConnection);
        return true;
    }
    return QWidget::event(event);
}

void ArsenalWindow::askSave() {
    const QStringList filters = page_output::kImageFilters + QStringList{"CSV (*.csv)"};
    const QString path =
        page_output::askSaveName(this, "持ち球を保存", "arsenal.png", filters, filters[0]);
    if (path.isEmpty()) return;
    // The image of the window as it stands, or the two tables as --arsenal writes them.
    const QString failure =
        !path.endsWith(".csv", Qt::CaseInsensitive)
            ? page_output::saveImage(this, path)
            : QString::fromStdString(ball::saveFile(path.toStdString(),
                                                    ball::arsenalCsv(arsenal_) + "\n" +
                                                        ball::pairsCsv(arsenal_))
                                         .value_or(""));
    if (!failure.isEmpty()) showError(this, failure);
}

void ArsenalWindow::setSessions(std::vector<ReadSession> sessions, int current) {
    sessions_->clear();
    for (const ReadSession& s : sessions) sessions_->addItem(s.name);
    sessions_->setCurrentIndex(current);
    sessions_->setVisible(sessions.size() > 1);
    sessionsLabel_->setVisible(sessions.size() > 1);
    compare_->setSessions(std::move(sessions), arsenal_.batterSide, arsenal_.pitcher);
}

void ArsenalWindow::setArsenal(const ball::Arsenal& arsenal, const QString& file) {
    WhatIfDialog::closeAll(this);  // its type may be gone
    arsenal_ = arsenal;
    file_ = file;
    const int pitches = static_cast<int>(arsenal_.bullpen.pitches.size());
    const int skipped = static_cast<int>(arsenal_.bullpen.skippedLines.size());
    source_->setText(QString("%1: %2 球").arg(file).arg(pitches) +
                     (skipped ? QString("（%1 行は読みませんでした）").arg(skipped) : QString()));
    showTarget();
    types_->fill(arsenal_);
    pairs_->fill(arsenal_);
    pitches_->fill(arsenal_);
    chart_->setTypes(ball::chartGroups(arsenal_));
    // Wide enough for every column of the types beside the chart, as far as the screen allows.
    const int tables = types_->horizontalHeader()->length() + types_->verticalHeader()->width() +
                       2 * types_->frameWidth() + 30;
    const int wanted = tables + chart_->minimumWidth() + 40;
    const int room = screen() ? screen()->availableGeometry().width() : wanted;
    resize(std::max(width(), std::min(wanted, room)), height());
    body_->setSizes({tables, std::max(chart_->minimumWidth(), body_->width() - tables)});
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

void ArsenalWindow::throwChosen() {
    const int chosen = pairs_->chosen();
    if (chosen < 0) return;
    const ball::TypePair& p = arsenal_.pairs[chosen];
    const ball::PitchType& one = arsenal_.types[p.first];
    const ball::PitchType& two = arsenal_.types[p.second];
    if (!one.fitted() || !two.fitted()) return;
    emit throwPair(ball::ball1PanelOf(arsenal_, one), ball::ball2PanelOf(two));
}
