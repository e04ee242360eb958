#include "arsenal/table_cells.h"

#include <QHeaderView>
#include <QTableWidget>
#include <cmath>
#include <vector>

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
    t->setTabKeyNavigation(false);  // Tab goes on to the next control; the arrows move within
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
}

QString tablesText(std::initializer_list<const QTableWidget*> tables) {
    const auto cellText = [](const QTableWidgetItem* item) {
        QString cell = item ? item->text() : QString();
        return cell.replace('\n', ' ').replace('\t', ' ');
    };
    QString text;
    for (const QTableWidget* t : tables) {
        // A spread ("149.8 ±1.4") goes to a column of its own: a spreadsheet gets numbers.
        std::vector<bool> spreads(t->columnCount(), false);
        for (int r = 0; r < t->rowCount(); ++r) {
            for (int c = 0; c < t->columnCount(); ++c) {
                spreads[c] = spreads[c] || cellText(t->item(r, c)).contains(" ±");
            }
        }
        for (int r = -1; r < t->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < t->columnCount(); ++c) {
                const QString cell = cellText(r < 0 ? t->horizontalHeaderItem(c) : t->item(r, c));
                QStringList parts = !spreads[c] ? QStringList{cell}
                                    : r < 0     ? QStringList{cell, "± " + cell}
                                                : cell.split(" ±");
                while (parts.size() < (spreads[c] ? 2 : 1)) parts << QString();
                for (const QString& part : parts) {
                    // No value is an empty cell, not a dash.
                    const QString value = part == "—" ? QString() : part;
                    cells << QString::fromStdString(ball::spreadsheetText(value.toStdString()));
                }
            }
            text += cells.join('\t') + '\n';
        }
        text += '\n';
    }
    return text;
}

}  // namespace arsenal_cells
