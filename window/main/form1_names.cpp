// The words a screen reader says for each control of the form.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "main/form1_ui.h"
#include "views/picture_box.h"

void Form1Ui::nameForPeople() {
    for (int ball : {1, 2}) {
        const QString of = ball == 1 ? "ボール１ " : "ボール２ ";
        const PanelControls& p = panel(ball);
        const std::pair<QWidget*, QString> names[] = {
            {p.SpeedTxt, of + "速度 (km/h)"},
            {p.Omega0Txt, of + "毎秒の回転数 投げた直後 (回/秒)"},
            {p.Omega1Txt, of + "毎秒の回転数 キャッチャ位置 (回/秒)"},
            {p.OrdinaryOpb, of + "普通の球"},
            {p.thitaTxtBox, of + "回転軸角度 (度、直球 0、シュート 90、カーブ -90)"},
            {p.gyroOpb, of + "ジャイロボール"},
            {p.gyroHorizontal, of + "ジャイロボールの水平からの角度 (度)"},
            {p.gyroSide, of + "ジャイロボールの左右の角度 (度)"},
        };
        for (const auto& [control, name] : names) control->setAccessibleName(name);
    }
    const std::pair<QWidget*, const char*> names[] = {
        {TargetOP_0, "ボール１ 投げるところを指定する"},
        {TargetOP_1, "ボール１ 投げるところを指定しない"},
        {TargetPTxt_0, "ボール１ 投げるところの列 (1 から 5、キャッチャーから見て左が 1)"},
        {TargetPTxt_1, "ボール１ 投げるところの行 (1 から 5、上が 1)"},
        {Command1, "ボール１"},
        {Command2, "ボール２"},
        {Command3, "印刷"},
        {Command4, "終わり"},
        {Picture1, "三塁側から見た図"},
        {Picture2, "真上から見た図"},
        {Picture3, "キャッチャーから見た図"},
    };
    for (const auto& [control, name] : names) control->setAccessibleName(name);
    Command1->setAccessibleDescription("ボール１のパネルの値で投げ、青で描きます");
    Command2->setAccessibleDescription("ボール１が見つけた向きにボール２を投げ、赤で描きます");
}
