#include "arsenal/pitch_table.h"

#include <cmath>

#include "arsenal/table_cells.h"
#include "session/measured_pitch.h"

using namespace arsenal_cells;

PitchTable::PitchTable(QWidget* parent) : QTableWidget(parent) {
    setUpTable(this, "arsenalPitches",
               {"行", "投手", "球種", "速度\nkm/h", "回転数\nrpm", "回転効率\n%", "回転軸の\n向き",
                "縦の変化量\ncm", "横の変化量\n三塁側+ cm", "リリースの\n高さ m", "リリースの\n横 m",
                "エクステンション\nm", "プレート通過\nの高さ m", "プレート通過\nの横 m"});
    setAccessibleName("読んだ投球");
    setToolTip("読んだ投球の一つ一つ。横の変化量とリリースの横は投手から見て右（三塁側）、"
               "プレート通過の横は捕手から見て右が＋。列の見出しで並べ替えます。");
    setSortingEnabled(true);
}

void PitchTable::fill(const ball::Arsenal& arsenal, int type) {
    setSortingEnabled(false);
    clearContents();
    std::vector<int> shown;
    for (int t = 0; t < static_cast<int>(arsenal.types.size()); ++t) {
        if (type >= 0 && t != type) continue;
        shown.insert(shown.end(), arsenal.types[t].pitches.begin(), arsenal.types[t].pitches.end());
    }
    setRowCount(static_cast<int>(shown.size()));
    const double none = std::nan("");
    for (int r = 0; r < rowCount(); ++r) {
        const ball::BullpenPitch& p = arsenal.bullpen.pitches[shown[r]];
        const auto clock = [](std::optional<double> minutes) {
            // Half a degree a minute, as the clock of a direction.
            if (!minutes) return QString("—");
            return QString::fromStdString(ball::clockText(ball::axisAngleToClock(*minutes / 2)));
        };
        setItem(r, 0, new NumberItem(p.line, 0));
        setItem(r, 1, new QTableWidgetItem(QString::fromStdString(p.pitcher)));
        setItem(r, 2, new QTableWidgetItem(QString::fromStdString(p.type)));
        const double figures[] = {p.speedKmh, p.rpm.value_or(none), p.efficiency.value_or(none)};
        for (int k = 0; k < 3; ++k) setItem(r, 3 + k, new NumberItem(figures[k], k ? 0 : 1));
        setItem(r, 6, new QTableWidgetItem(clock(p.tiltMinutes)));
        const double places[] = {p.verticalCm,
                                 -p.horizontalCm,
                                 p.relHeightM.value_or(none),
                                 p.relSideM.value_or(none),
                                 p.extensionM.value_or(none),
                                 p.plateHeightM.value_or(none),
                                 p.plateSideM.value_or(none)};
        for (int k = 0; k < 7; ++k) setItem(r, 7 + k, new NumberItem(places[k], k < 2 ? 1 : 2));
    }
    setSortingEnabled(true);
}
