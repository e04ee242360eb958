#include "figures_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTableWidget>
#include <QVBoxLayout>

FiguresWindow::FiguresWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("figuresWindow");
    setWindowTitle("投球の数値");
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName("figuresTable");
    table_->setHorizontalHeaderLabels({"ボール１", "ボール２"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(table_);
    setFocusProxy(table_);
    resize(460, 300);
    // The table, which holds the window's focus, would copy only its current cell: Ctrl+C
    // copies it all.
    table_->installEventFilter(this);
}

bool FiguresWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(tabSeparated());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FiguresWindow::showFigures(const std::vector<ball::FigureRow>& rows) {
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
