#include "arsenal/column_map_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "views/movement_chart.h"

namespace {

const char* const kRoleNames[ball::kRoleCount] = {
    "投手",
    "利き腕",
    "球種（必須）",
    "球種（機器の判定）",
    "速度（必須）",
    "回転数 (rpm)",
    "回転効率 (%)",
    "回転軸の向き (h:mm)",
    "回転軸 (度、180 が 12:00)",
    "縦の変化量（必須）",
    "横の変化量（必須）",
    "リリースの高さ",
    "リリースの横（投手から見て右が＋）",
    "エクステンション",
    "プレート通過の高さ",
    "プレート通過の横（捕手から見て右が＋）",
    "打者",
    "打者の左右",
    "試合",
    "回",
    "打席（その回の何人目か）",
    "打席の何球目",
};

QComboBox* choice(QWidget* parent, const char* name, const QStringList& items, int current) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setCurrentIndex(current);
    return c;
}

}  // namespace

ColumnMapDialog::ColumnMapDialog(const ball::CsvTable& table, const ball::ColumnMap& start,
                                 QWidget* parent)
    : QDialog(parent), table_(table) {
    setObjectName("columnMapDialog");
    setWindowTitle("列の対応");
    QStringList columns = {"（なし）"};
    for (const std::string& h : table.header) columns << QString::fromStdString(h);
    auto* form = new QFormLayout;
    for (int r = 0; r < ball::kRoleCount; ++r) {
        QComboBox* c = choice(this, "columnRole", columns, start.column[r] + 1);
        c->setAccessibleName(kRoleNames[r]);
        form->addRow(kRoleNames[r], c);
        roles_ << c;
    }
    speedUnit_ = choice(this, "speedUnit", {"km/h", "mph", "m/s"}, static_cast<int>(start.speed));
    breakUnit_ = choice(this, "breakUnit", {"cm", "インチ", "フィート", "m"},
                        static_cast<int>(start.breaks));
    releaseUnit_ = choice(this, "releaseUnit", {"cm", "インチ", "フィート", "m"},
                          static_cast<int>(start.release));
    plusSide_ =
        choice(this, "plusSide", {"捕手から見て右（一塁側）が＋", "投手から見て右（三塁側）が＋"},
               start.plusToPitchersRight ? 1 : 0);
    const std::pair<QComboBox*, const char*> units[] = {
        {speedUnit_, "速度の単位"},
        {breakUnit_, "変化量の単位"},
        {releaseUnit_, "リリースとプレート通過の単位"},
        {plusSide_, "横の変化量の向き"}};
    for (const auto& [c, label] : units) {
        c->setAccessibleName(label);  // what a screen reader says, as its label reads
        form->addRow(label, c);
    }

    // The first rows as the file has them.
    const int shown = std::min<int>(5, static_cast<int>(table.rows.size()));
    auto* rows = new QTableWidget(shown, static_cast<int>(table.header.size()), this);
    rows->setAccessibleName("ファイルの初めの行");
    rows->setObjectName("columnPreview");
    rows->setHorizontalHeaderLabels(columns.mid(1));
    rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < shown; ++r) {
        for (int c = 0; c < rows->columnCount() && c < static_cast<int>(table.rows[r].size());
             ++c) {
            rows->setItem(r, c, new QTableWidgetItem(QString::fromStdString(table.rows[r][c])));
        }
    }
    rows->setMinimumHeight(150);
    chart_ = new MovementChart(this, 280, 2);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Cancel)->setText("キャンセル");
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(chart_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel("この CSV の列を、それぞれ何として読むか選んでください。"
                   "同じ見出しのファイルには次から同じ対応を使います。",
                   this));
    layout->addLayout(top);
    layout->addWidget(rows);
    layout->addWidget(buttons_);
    for (QComboBox* c :
         roles_ + QList<QComboBox*>{speedUnit_, breakUnit_, releaseUnit_, plusSide_}) {
        connect(c, &QComboBox::currentIndexChanged, this, &ColumnMapDialog::preview);
    }
    preview();
}

ball::ColumnMap ColumnMapDialog::map() const {
    ball::ColumnMap m;
    for (int r = 0; r < ball::kRoleCount; ++r) m.column[r] = roles_[r]->currentIndex() - 1;
    m.speed = static_cast<ball::SpeedUnit>(speedUnit_->currentIndex());
    m.breaks = static_cast<ball::LengthUnit>(breakUnit_->currentIndex());
    m.release = static_cast<ball::LengthUnit>(releaseUnit_->currentIndex());
    m.plusToPitchersRight = plusSide_->currentIndex() == 1;
    return m;
}

// What the choice reads, on the chart: one colour a type.
void ColumnMapDialog::preview() {
    const ball::ColumnMap m = map();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(m.usable());
    // With the means, as 持ち球 will show them.
    chart_->setTypes(m.usable()
                         ? ball::chartGroups(ball::groupArsenal(ball::readBullpen(table_, m)))
                         : std::vector<ball::ChartGroup>{});
}
