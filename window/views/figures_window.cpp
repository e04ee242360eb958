#include "views/figures_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "views/movement_chart.h"

FiguresWindow::FiguresWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("figuresWindow");
    setWindowTitle("投球の数値");
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName("figuresTable");
    table_->setAccessibleName("投球の数値");
    table_->setHorizontalHeaderLabels({"ボール１", "ボール２"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A table to read, not to work in: nothing selected, and the keys go to the window.
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->horizontalHeader()->setMinimumSectionSize(90);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* note = new QLabel(QString::fromStdString(ball::decisionPointNote()), this);
    note->setObjectName("decisionPointNote");
    note->setWordWrap(true);
    chart_ = new MovementChart(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* chartColumn = new QVBoxLayout;
    chartColumn->addWidget(new QLabel("変化量の図（cm、投手の後ろから見た向き）", this));
    chartColumn->addWidget(chart_);
    chartColumn->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(table_);
    row->addLayout(chartColumn);
    layout->addLayout(row);
    layout->addWidget(note);
    setFocusPolicy(Qt::StrongFocus);
}

void FiguresWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(tabSeparated());
    } else if (event->matches(QKeySequence::Cancel)) {
        close();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void FiguresWindow::setFigures(const std::vector<ball::FigureRow>& rows,
                               const std::array<std::optional<ball::Break>, 2>& breaks) {
    chart_->setBreaks(breaks);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const ball::FigureRow& row = rows[r];
        table_->setVerticalHeaderItem(r, new QTableWidgetItem(QString::fromStdString(row.caption)));
        for (int b = 0; b < (row.together ? 1 : 2); ++b) {
            auto* item = new QTableWidgetItem(QString::fromStdString(row.cells[b]));
            item->setTextAlignment(row.together ? Qt::AlignCenter
                                                : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, b, item);
        }
        if (row.together && table_->columnSpan(r, 0) != 2) table_->setSpan(r, 0, 1, 2);
    }
    fitToContents();
}

void FiguresWindow::setPanelChanged(const std::array<bool, 2>& changed) {
    for (int b = 0; b < 2; ++b) {
        auto* item =
            new QTableWidgetItem(QString(b == 0 ? "ボール１" : "ボール２") +
                                 (changed[b] ? "（パネル変更）" : ""));
        if (changed[b]) {
            item->setToolTip("パネルの値が、描いたボールを投げたときと違います。"
                             "投げるまで、この列は描いたボールの数値です。");
        }
        table_->setHorizontalHeaderItem(b, item);
    }
    fitToContents();
}

void FiguresWindow::fitToContents() {
    // At the size of its contents, with no scroll bar.
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    const int frame = 2 * table_->frameWidth();
    table_->setFixedSize(
        table_->verticalHeader()->sizeHint().width() + table_->horizontalHeader()->length() + frame,
        table_->horizontalHeader()->sizeHint().height() + table_->verticalHeader()->length() +
            frame);
    adjustSize();
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
