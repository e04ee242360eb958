#include "arsenal/session_comparison.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "arsenal/table_cells.h"
#include "bullpen/session_compare.h"

using namespace arsenal_cells;

namespace {

// A change with its sign, "+1.2", sorting by its number; "—" where either session lacks it.
QTableWidgetItem* changeItem(const std::optional<double>& v, int decimals) {
    auto* item = new NumberItem(v.value_or(std::nan("")), decimals);
    if (v && item->text().front() != '-' && item->text() != fixed(0.0, decimals)) {
        item->setText('+' + item->text());
    }
    return item;
}

}  // namespace

SessionComparison::SessionComparison(QWidget* parent) : QWidget(parent) {
    before_ = new QComboBox(this);
    before_->setObjectName("compareBefore");
    before_->setAccessibleName("比べる前のセッション");
    after_ = new QComboBox(this);
    after_->setObjectName("compareAfter");
    after_->setAccessibleName("比べる後のセッション");
    for (QComboBox* c : {before_, after_}) {
        connect(c, &QComboBox::activated, this, [this] { fill(); });
    }
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    table_ = arsenal_cells::table(this, "sessionComparison",
                   {"投手", "球種", "球数\n前", "球数\n後", "速度\nkm/h", "回転数\nrpm",
                    "回転軸の向き\n分", "縦の変化量\ncm", "横の変化量\n三塁側+ cm", "リリースの\n高さ cm",
                    "リリースの\n横 cm", "エクステンション\ncm", "プレートの\n高さ cm",
                    "プレートの\n左右 cm"});
    table_->setAccessibleName("セッションの比較（後から前を引いた差）");
    table_->setToolTip("後のセッションの平均から前のセッションの平均を引いた差。回転軸の向きは時計の"
                       "向きに進んだ分が＋。横の変化量は三塁側（投手の右）が＋、プレートの左右は捕手から見て右が＋、"
                       "リリースの横は投手の右が＋。");
    auto* choose = new QHBoxLayout;
    choose->addWidget(new QLabel("前", this));
    choose->addWidget(before_, 1);
    choose->addWidget(new QLabel("後", this));
    choose->addWidget(after_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choose);
    layout->addWidget(note_);
    layout->addWidget(table_, 1);
}

void SessionComparison::setSessions(std::vector<ReadSession> sessions, ball::BatterSide side,
                                    const std::string& pitcher) {
    const bool added = sessions.size() != sessions_.size();
    sessions_ = std::move(sessions);
    side_ = side, pitcher_ = pitcher;
    const int before = before_->currentIndex(), after = after_->currentIndex();
    for (QComboBox* c : {before_, after_}) {
        c->clear();
        for (const ReadSession& s : sessions_) c->addItem(s.name);
    }
    const int last = static_cast<int>(sessions_.size()) - 1;
    before_->setCurrentIndex(added || before < 0 ? std::max(last - 1, 0) : before);
    after_->setCurrentIndex(added || after < 0 ? last : after);
    fill();
}

void SessionComparison::fill() {
    const int one = before_->currentIndex(), two = after_->currentIndex();
    const bool pair = sessions_.size() > 1 && one >= 0 && two >= 0 && one != two;
    note_->setText(sessions_.size() < 2
                       ? "比べるには、もう一つのセッションのファイルを開いてください"
                         "（ファイル → 投球データを開く…）。開いたセッションは加わります。"
                   : !pair ? "前と後に違うセッションを選んでください。"
                           : "後の平均 − 前の平均。投手と打者の選び方は上のとおりです。");
    table_->setSortingEnabled(false);
    table_->setRowCount(0);
    if (!pair) return;
    const std::vector<ball::TypeChange> changes =
        ball::compareSessions(*sessions_[one].bullpen, *sessions_[two].bullpen, side_, pitcher_);
    table_->setRowCount(static_cast<int>(changes.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const ball::TypeChange& c = changes[r];
        const auto tilt = c.tiltMinutes ? std::optional<double>(*c.tiltMinutes) : std::nullopt;
        QTableWidgetItem* cells[] = {
            new QTableWidgetItem(QString::fromStdString(c.pitcher)),
            new QTableWidgetItem(QString::fromStdString(c.type)),
            new NumberItem(c.countBefore, 0), new NumberItem(c.countAfter, 0),
            changeItem(c.speedKmh, 1), changeItem(c.rpm, 0), changeItem(tilt, 0),
            changeItem(c.verticalCm, 1), changeItem(c.horizontalCm, 1),
            changeItem(c.relHeightCm, 1), changeItem(c.relSideCm, 1), changeItem(c.extensionCm, 1),
            changeItem(c.plateHeightCm, 1), changeItem(c.plateSideCm, 1)};
        for (int k = 0; k < static_cast<int>(std::size(cells)); ++k) table_->setItem(r, k, cells[k]);
    }
    table_->setSortingEnabled(true);
}
