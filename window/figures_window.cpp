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

/// 変化量の図 as the tracking devices draw it: the balls' breaks (gravity removed) seen from
/// behind the pitcher, as the tilt clock is read, so a 1:00 break plots at 1 o'clock. A fixed
/// range of ±60 cm, wider in 20 cm steps only for a break beyond it; labelled ticks every 20 cm
/// on a 10 cm grid, the axis titled, the sides named, and a legend.
class MovementChart : public QWidget {
public:
    explicit MovementChart(QWidget* parent) : QWidget(parent) {
        setObjectName("movementChart");
        setFixedSize(300, 330);
        setToolTip("変化量の図（cm、投手の後ろから見た向き、目盛り 10 cm）");
        setAccessibleName("変化量の図");
    }
    void setBreaks(const std::array<std::optional<ball::Break>, 2>& breaks) {
        breaks_ = breaks;
        reach_ = ball::movementChartReach({breaks[0], breaks[1]});
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const QFontMetrics fm = p.fontMetrics();
        const int line = fm.height();
        // Room for the axis title on the left, the tick numbers, the side names and the legend.
        const QRectF plot(line + fm.horizontalAdvance("-100") + 6, 4,
                          width() - line - fm.horizontalAdvance("-100") - 12,
                          width() - line - fm.horizontalAdvance("-100") - 12);
        const double scale = plot.width() / (2.0 * reach_);  // pixels a cm, both ways
        const auto at = [&](double cmRight, double cmUp) {
            return plot.center() + QPointF(cmRight * scale, -cmUp * scale);
        };
        for (int cm = -reach_; cm <= reach_; cm += 10) {
            p.setPen(cm == 0 ? QColor(120, 120, 120) : QColor(225, 225, 225));
            p.drawLine(at(cm, -reach_), at(cm, reach_));
            p.drawLine(at(-reach_, cm), at(reach_, cm));
        }
        p.setPen(Qt::black);
        p.drawRect(plot);
        for (int cm = -reach_; cm <= reach_; cm += 20) {
            const QString n = QString::number(cm);
            const QPointF below = at(cm, -reach_);
            p.drawText(QRectF(below.x() - 20, below.y() + 2, 40, line), Qt::AlignCenter, n);
            const QPointF left = at(-reach_, cm);
            p.drawText(QRectF(left.x() - 44, left.y() - line / 2.0, 40, line),
                       Qt::AlignRight | Qt::AlignVCenter, n);
        }
        // The sides at the ends of the horizontal axis, seen from behind the pitcher.
        const double sidesY = plot.bottom() + line + 2;
        p.drawText(QRectF(plot.left(), sidesY, plot.width(), line), Qt::AlignLeft, "← 一塁側");
        p.drawText(QRectF(plot.left(), sidesY, plot.width(), line), Qt::AlignRight, "三塁側 →");
        p.save();
        p.translate(2, plot.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter,
                   "縦の変化量（重力を除く, cm）");
        p.restore();
        // The legend, under the sides.
        p.setRenderHint(QPainter::Antialiasing);
        const QColor colours[] = {QColor(0, 0, 255), QColor(255, 0, 0)};
        const char* names[] = {"ボール１", "ボール２"};
        double x = plot.left();
        const double legendY = sidesY + line + 2;
        for (int b = 0; b < 2; ++b) {
            p.setPen(Qt::NoPen);
            p.setBrush(colours[b]);
            p.drawEllipse(QPointF(x + 5, legendY + line / 2.0), 4, 4);
            p.setPen(Qt::black);
            p.drawText(QPointF(x + 13, legendY + fm.ascent()), names[b]);
            x += 13 + fm.horizontalAdvance(names[b]) + 16;
        }
        for (int b = 0; b < 2; ++b) {
            if (!breaks_[b]) continue;
            p.setPen(Qt::NoPen);
            p.setBrush(colours[b]);
            // The catcher's right, as the table gives it, is the pitcher's left.
            p.drawEllipse(at(-breaks_[b]->horizontal * 100, breaks_[b]->vertical * 100), 4, 4);
        }
    }

private:
    std::array<std::optional<ball::Break>, 2> breaks_;
    int reach_ = 60;  // cm each way
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
