#pragma once

#include <QString>
#include <QStringList>
#include <QTableWidgetItem>
#include <initializer_list>
#include <optional>

class QTableWidget;
class QWidget;

// The cells and tables of 持ち球.
namespace arsenal_cells {

/// A figure to its decimals, or "—" where there is none (NaN, or no value).
QString fixed(double v, int decimals);
QString fixed(const std::optional<double>& v, int decimals);

/// A mean and its standard deviation: "149.9 ±1.2".
QString spread(double mean, double sd);

/// A cell that sorts by its number, not its text; "—" after every number.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(double v, int decimals);
    bool operator<(const QTableWidgetItem& other) const override;
};

/// A read-only table with those column headers, rows as high as the font needs.
QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers);
/// The same, for a table made elsewhere.
void setUpTable(QTableWidget* t, const char* name, const QStringList& headers);

/// Tables as tab-separated text for a spreadsheet, with their headers, a blank line after each:
/// one line a row, and nothing a spreadsheet would run as a formula.
QString tablesText(std::initializer_list<const QTableWidget*> tables);

}  // namespace arsenal_cells
