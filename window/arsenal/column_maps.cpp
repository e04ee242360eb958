#include "arsenal/column_maps.h"

#include <QCryptographicHash>
#include <QSettings>
#include <algorithm>

namespace {

QString settingsKey(const std::vector<std::string>& header) {
    QByteArray joined;
    for (const std::string& h : header) joined += QByteArray::fromStdString(h) + '\x1f';
    return "columnMaps/" + QCryptographicHash::hash(joined, QCryptographicHash::Sha1).toHex();
}

}  // namespace

std::optional<ball::ColumnMap> rememberedColumns(const std::vector<std::string>& header) {
    const std::optional<ball::ColumnMap> map =
        ball::parseColumnMap(QSettings().value(settingsKey(header)).toString().toStdString());
    const bool fits = map && std::all_of(map->column.begin(), map->column.end(), [&](int c) {
                          return c < static_cast<int>(header.size());
                      });
    return fits ? map : std::nullopt;
}

void rememberColumns(const std::vector<std::string>& header, const ball::ColumnMap& map) {
    QSettings().setValue(settingsKey(header), QString::fromStdString(ball::columnMapText(map)));
}
