#include "figures_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

/// 変化量の図: the balls' breaks as dots, as the catcher sees them (third-base side on the
/// left), Ball 1 blue and Ball 2 red, on a grid of 10 cm with equal scales.
class MovementChart : public QWidget {
public:
    explicit MovementChart(QWidget* parent) : QWidget(parent) {
        setObjectName("movementChart");
        setFixedSize(230, 230);
        setToolTip("変化量の図（cm、捕手から見た向き、目盛り 10 cm）");
    }
    void setBreaks(const std::array<std::optional<ball::Break>, 2>& breaks) {
        breaks_ = breaks;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        // Wide enough for both dots and 60 cm either way, in whole grid squares.
        double reach = 60;
        for (const auto& b : breaks_) {
            if (b)
                reach = std::max(
                    {reach, std::abs(b->horizontal) * 100 + 10, std::abs(b->vertical) * 100 + 10});
        }
        reach = std::ceil(reach / 10) * 10;
        const double scale = (width() / 2.0 - 6) / reach;  // pixels a cm, both ways
        const QPointF centre = QRectF(rect()).center();
        const auto at = [&](double cmRight, double cmUp) {
            return centre + QPointF(cmRight * scale, -cmUp * scale);
        };
        for (double cm = -reach; cm <= reach; cm += 10) {
            p.setPen(cm == 0 ? QColor(120, 120, 120) : QColor(225, 225, 225));
            p.drawLine(at(cm, -reach), at(cm, reach));
            p.drawLine(at(-reach, cm), at(reach, cm));
        }
        p.setRenderHint(QPainter::Antialiasing);
        const QColor colours[] = {QColor(0, 0, 255), QColor(255, 0, 0)};
        for (int b = 0; b < 2; ++b) {
            if (!breaks_[b]) continue;
            p.setPen(Qt::NoPen);
            p.setBrush(colours[b]);
            p.drawEllipse(at(breaks_[b]->horizontal * 100, breaks_[b]->vertical * 100), 4, 4);
        }
    }

private:
    std::array<std::optional<ball::Break>, 2> breaks_;
};

FiguresWindow::FiguresWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("figuresWindow");
    setWindowTitle("投球の数値");
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName("figuresTable");
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
    chartColumn->addWidget(new QLabel("変化量の図（cm、捕手から見た向き）", this));
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
