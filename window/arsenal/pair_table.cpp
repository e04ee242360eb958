#include "arsenal/pair_table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <cmath>

#include "arsenal/table_cells.h"

using namespace arsenal_cells;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PairTable::PairTable(QWidget* parent) : QTableWidget(parent) {
    setUpTable(this, "arsenalPairs",
               {"★", "投手", "球種１", "球種２", "数", "リリースの差\ncm", "判断点での差\ncm",
                "プレートでの差\ncm", "判断点後の変化\ncm", "変化÷判断点の差", "到着の時間差\nms",
                "球速の差\nkm/h", "ワンバウンド"});
    setAccessibleName("球種の組ごとのトンネル");
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // as thrown
    setSortingEnabled(true);
    setToolTip(
        "どちらの球種も、ファイルにあればそのリリース位置からプレートを通った位置へ、なければ"
        "目標のマスへ投げたときの数値。判断点後の変化は、判断点での向きのまま進んだ場合から"
        "二つがさらに離れた量です。★ はこれが判断点の差に対して最も大きい組です。"
        "Ctrl+C で表をコピーします。");
}

int PairTable::chosen() const {
    const QList<QTableWidgetItem*> rows = selectedItems();
    const QTableWidgetItem* mark = rows.isEmpty() ? nullptr : item(rows.first()->row(), 0);
    const int pair = mark ? mark->data(Qt::UserRole + 1).toInt() : -1;
    return pair < rowCount() ? pair : -1;  // a row not filled yet is none
}

void PairTable::fill(const ball::Arsenal& arsenal) {
    setSortingEnabled(false);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    clearContents();  // no row of the pairs before stands for one of these
    setRowCount(static_cast<int>(arsenal.pairs.size()));
    for (int r = 0; r < rowCount(); ++r) {
        const ball::TypePair& p = arsenal.pairs[r];
        const ball::PitchType& one = arsenal.types[p.first];
        const ball::PitchType& two = arsenal.types[p.second];
        const ball::TunnelFigures& f = p.figures;
        const double none = std::nan("");
        auto* mark = new QTableWidgetItem(p.best ? "★" : "");
        mark->setData(Qt::UserRole + 1, r);  // the pair, whatever the order shown
        if (p.best) mark->setToolTip("判断点の差に対して、その後の変化が最も大きい組");
        setItem(r, 0, mark);
        setItem(r, 1, new QTableWidgetItem(qs(one.pitcher)));
        setItem(r, 2, new QTableWidgetItem(qs(one.type)));
        setItem(r, 3, new QTableWidgetItem(qs(two.type)));
        setItem(r, 4, new NumberItem(p.count, 0));
        // Of consecutive pitches the medians, with how widely the pairs spread on hover.
        using T = ball::TunnelFigures;
        const std::pair<std::optional<double> T::*, double> columns[] = {
            {&T::releaseGap, 100}, {&T::tunnelGap, 100}, {&T::plateGap, 100},
            {&T::postTunnelBreak, 100}, {&T::ratio, 1}, {&T::arrivalGap, 1000}};
        for (int k = 0; k < 6; ++k) {
            const auto [field, scale] = columns[k];
            auto* item = new NumberItem(f.*field ? *(f.*field) * scale : none, k == 4 ? 2 : 1);
            if (p.spread.*field) {
                item->setToolTip("中央値。四分位範囲 " + fixed(*(p.spread.*field) * scale, 2));
            }
            setItem(r, 5 + k, item);
        }
        setItem(r, 11, new NumberItem(one.thrown && two.thrown ? f.speedGap : none, 1));
        QStringList bounced;
        for (int k = 0; k < 2; ++k) {
            if (f.bounce[k])
                bounced << qs((k ? two : one).type) + " " + fixed(*f.bounce[k], 1) + " m";
        }
        setItem(r, 12, new QTableWidgetItem(bounced.join("、")));
        if (p.best) {
            for (int c = 0; c < columnCount(); ++c) {
                QFont bold = item(r, c)->font();
                bold.setBold(true);
                item(r, c)->setFont(bold);
            }
        }
    }
    setSortingEnabled(true);
    // The first pitcher's best pair chosen, ready to throw.
    const auto best = std::find_if(arsenal.pairs.begin(), arsenal.pairs.end(),
                                   [](const ball::TypePair& p) { return p.best; });
    if (rowCount() > 0)
        selectRow(best == arsenal.pairs.end() ? 0 : int(best - arsenal.pairs.begin()));
}

void PairTable::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        emit throwAsked();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
