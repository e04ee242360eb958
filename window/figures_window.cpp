#include "figures_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

#include "display/pitch_figures.h"

namespace {

// The rows: a ball's own figures first, then those of the two together.
// The decision point is kDecisionBeforePlate (7.25 m) before the catcher plane.
const char* const kRows[] = {
    "プレートでの左右 (cm、捕手から見て右が＋)",
    "プレートでの高さ (cm)",
    "プレートまでの時間 (s)",
    "判断点での左右 (cm、捕手から見て右が＋)",
    "判断点での高さ (cm)",
    "判断点での間隔 (cm)",
    "プレートでの間隔 (cm)",
    "間隔の比 (プレート÷判断点)",
    "到着の時間差 (ms、ボール２−ボール１)",
};
constexpr int kFirstPairRow = 5;

QString number(std::optional<double> v, double scale, int decimals) {
    return v ? QString::number(*v * scale, 'f', decimals) : QStringLiteral("—");
}

}  // namespace

FiguresWindow::FiguresWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("figuresWindow");
    setWindowTitle("投球の数値");
    table_ = new QTableWidget(std::size(kRows), 2, this);
    table_->setObjectName("figuresTable");
    table_->setHorizontalHeaderLabels({"ボール１", "ボール２"});
    QStringList rows;
    for (const char* r : kRows) rows << r;
    table_->setVerticalHeaderLabels(rows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = kFirstPairRow; r < table_->rowCount(); ++r) table_->setSpan(r, 0, 1, 2);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(table_);
    setFocusProxy(table_);
    resize(460, 300);
    // The table, which holds the window's focus, would copy only its current cell: Ctrl+C
    // copies it all.
    table_->installEventFilter(this);
    showFigures(nullptr, nullptr);
}

bool FiguresWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(tabSeparated());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FiguresWindow::showFigures(const ball::DisplaySet* ball1, const ball::DisplaySet* ball2) {
    const ball::DisplaySet* sets[] = {ball1, ball2};
    for (int b = 0; b < 2; ++b) {
        ball::BallFigures f;
        if (sets[b]) f = ball::ballFigures(*sets[b]);
        const auto part = [](const std::optional<ball::PlanePass>& p, double ball::PlanePass::*m) {
            return p ? std::optional<double>((*p).*m) : std::nullopt;
        };
        const QString cells[] = {
            number(part(f.plate, &ball::PlanePass::lateral), 100, 1),
            number(part(f.plate, &ball::PlanePass::height), 100, 1),
            number(part(f.plate, &ball::PlanePass::time), 1, 3),
            number(part(f.decision, &ball::PlanePass::lateral), 100, 1),
            number(part(f.decision, &ball::PlanePass::height), 100, 1),
        };
        for (int r = 0; r < kFirstPairRow; ++r) {
            table_->setItem(r, b, new QTableWidgetItem(cells[r]));
            table_->item(r, b)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    ball::PairFigures pair;
    if (ball1 && ball2) pair = ball::pairFigures(*ball1, *ball2);
    const QString together[] = {number(pair.decisionGap, 100, 1), number(pair.plateGap, 100, 1),
                                number(pair.ratio, 1, 2), number(pair.arrivalGap, 1000, 1)};
    for (int r = kFirstPairRow; r < table_->rowCount(); ++r) {
        table_->setItem(r, 0, new QTableWidgetItem(together[r - kFirstPairRow]));
        table_->item(r, 0)->setTextAlignment(Qt::AlignCenter);
    }
}

QString FiguresWindow::tabSeparated() const {
    QString out = "\tボール１\tボール２\n";
    for (int r = 0; r < table_->rowCount(); ++r) {
        out += table_->verticalHeaderItem(r)->text();
        for (int c = 0; c < 2; ++c) {
            out += '\t';
            if (const QTableWidgetItem* item = table_->item(r, c)) out += item->text();
        }
        out += '\n';
    }
    return out;
}
