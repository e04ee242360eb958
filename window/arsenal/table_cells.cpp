#include "arsenal/table_cells.h"

#include <QHeaderView>
#include <QTableWidget>
#include <cmath>

#include "files/csv_table.h"
#include "files/number_text.h"

namespace arsenal_cells {

QString fixed(double v, int decimals) {
    return QString::fromStdString(
        ball::figureText(std::isnan(v) ? std::nullopt : std::optional(v), decimals));
}

QString fixed(const std::optional<double>& v, int decimals) {
    return fixed(v.value_or(std::nan("")), decimals);
}

QString spread(double mean, double sd) { return fixed(mean, 1) + " ±" + fixed(sd, 1); }

NumberItem::NumberItem(double v, int decimals) : QTableWidgetItem(fixed(v, decimals)) {
    setData(Qt::UserRole, std::isnan(v) ? 1e300 : v);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool NumberItem::operator<(const QTableWidgetItem& other) const {
    return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
}

QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(parent);
    setUpTable(t, name, headers);
    return t;
}

void setUpTable(QTableWidget* t, const char* name, const QStringList& headers) {
    t->setObjectName(name);
    t->setColumnCount(static_cast<int>(headers.size()));
    t->setHorizontalHeaderLabels(headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
}

QString tablesText(std::initializer_list<const QTableWidget*> tables) {
    QString text;
    for (const QTableWidget* t : tables) {
        for (int r = -1; r < t->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < t->columnCount(); ++c) {
                const QTableWidgetItem* item = r < 0 ? t->horizontalHeaderItem(c) : t->item(r, c);
                QString cell = item ? item->text() : QString();
                cell.replace('\n', ' ').replace('\t', ' ');
                cells << QString::fromStdString(ball::spreadsheetText(cell.toStdString()));
            }
            text += cells.join('\t') + '\n';
        }
        text += '\n';
    }
    return text;
}

}  // namespace arsenal_cells
