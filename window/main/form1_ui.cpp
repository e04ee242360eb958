#include "main/form1_ui.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <tuple>
#include <vector>

#include "main/form_controls.h"
#include "views/picture_box.h"
#include "kit/shapes.h"

using namespace form_controls;

namespace {

// Where a ball panel's controls stand, in twips relative to the panel.
struct PanelLayout {
    int index;  // member index of the panel's controls
    const char* name;
    const char* title;
    QRect panel, Label1, SpeedTxt, Label2, Label7, Label8, Omega0Txt, Label9, Omega1Txt;
    int kindTop;     // top of the pitch-kind frame
    int horizontal;  // Text2 member of the gyro axis angle from the horizontal
    int side;        // Text2 member of the gyro axis left-right angle
};

// A panel's start-up texts, taken from the panel structs so that they live in one place.
struct PanelTexts {
    std::string speed, omega0, omega1, thita, horizontal, side;
    bool ordinary;
};

const PanelLayout kBall1Layout = {
    .index = 0,
    .name = "Ball1setFrm",
    .title = "ボール１",
    .panel = twips(10680, 120, 4455, 6615),
    .Label1 = twips(120, 600, 735, 375),
    .SpeedTxt = twips(1080, 480, 1215, 375),
    .Label2 = twips(2520, 600, 495, 255),
    .Label7 = twips(1560, 1200, 1215, 255),
    .Label8 = twips(240, 1680, 975, 255),
    .Omega0Txt = twips(1200, 1560, 855, 375),
    .Label9 = twips(2640, 1560, 855, 375),
    .Omega1Txt = twips(3480, 1560, 735, 375),
    .kindTop = 2280,
    .horizontal = 0,
    .side = 2,
};

const PanelLayout kBall2Layout = {
    .index = 1,
    .name = "Ball2Frm",
    .title = "ボール２",
    .panel = twips(10680, 6960, 4455, 3855),
    .Label1 = twips(480, 600, 735, 375),
    .SpeedTxt = twips(1320, 480, 1215, 375),
    .Label2 = twips(2640, 600, 495, 255),
    .Label7 = twips(1320, 1080, 1215, 255),
    .Label8 = twips(120, 1440, 975, 255),
    .Omega0Txt = twips(1080, 1320, 855, 375),
    .Label9 = twips(2520, 1320, 855, 375),
    .Omega1Txt = twips(3360, 1320, 735, 375),
    .kindTop = 1920,
    .horizontal = 4,
    .side = 3,
};

PanelTexts textsOf(const ball::Ball1Panel& p) {
    return {.speed = p.SpeedTxt_0,
            .omega0 = p.Omega0Txt_0,
            .omega1 = p.Omega1Txt_0,
            .thita = p.thitaTxtBox_0,
            .horizontal = p.Text2_0,
            .side = p.Text2_2,
            .ordinary = p.OrdinaryOpb_0};
}

PanelTexts textsOf(const ball::Ball2Panel& p) {
    return {.speed = p.SpeedTxt_1,
            .omega0 = p.Omega0Txt_1,
            .omega1 = p.Omega1Txt_1,
            .thita = p.thitaTxtBox_1,
            .horizontal = p.Text2_4,
            .side = p.Text2_3,
            .ordinary = p.OrdinaryOpb_1};
}

std::string text(const QLineEdit* box) { return box->text().toStdString(); }

QString qs(const std::string& s) { return QString::fromStdString(s); }

void buildViews(Form1Ui& ui, QWidget* content) {
    ui.Picture1 = place<PictureBox>(content, "Picture1", -1, twips(0, 0, 8055, 4815));
    label(content, "Label18", -1, "三塁側から見た図", twips(3000, 4920, 2535, 255));
    ui.Picture2 = place<PictureBox>(content, "Picture2", -1, twips(0, 5160, 8055, 5415));
    // Laid out at top 10680, where this font's line would reach past the window's bottom edge.
    label(content, "Label19", -1, "真上から見た図", twips(3240, 10620, 1935, 255));
    ui.Picture3 = place<PictureBox>(content, "Picture3", -1, twips(8280, 0, 2415, 4815));
    label(content, "Label20", -1, "キャッチャーから見た図", twips(8400, 4920, 1935, 255));
}

void buildButtons(Form1Ui& ui, QWidget* content) {
    ui.Command1 =
        place<QPushButton>(content, "Command1", -1, twips(8520, 5400, 1575, 615), "ボール１");
    ui.Command2 =
        place<QPushButton>(content, "Command2", -1, twips(8520, 6360, 1575, 615), "ボール２");
    ui.Command3 = place<QPushButton>(content, "Command3", -1, twips(8520, 7320, 1575, 615), "印刷");
    ui.Command4 =
        place<QPushButton>(content, "Command4", -1, twips(8400, 9960, 1575, 615), "終わり");
}

void buildPitchKind(QGroupBox* panel, const PanelLayout& l, const PanelTexts& d,
                    Form1Ui::PanelControls& c) {
    const int i = l.index;
    QGroupBox* kind = frame(panel, "BallsetFrm", i, "球種選択", twips(120, l.kindTop, 4215, 1815));
    c.OrdinaryOpb =
        option(kind, "OrdinaryOpb", i, "普通の球", twips(120, 360, 1215, 255), d.ordinary);
    // Laid out at twips(1680, 240, 1215, 495), too narrow for two lines of this text: it takes
    // the empty room to its left and above, clear of the frame's border and of Line1.
    roomyLabel(kind, "Label11", i, "直球0、シュート90、カーブ-90", twips(1560, 150, 1425, 495));
    label(kind, "Label10", i, "回転軸角度", twips(3000, 120, 1095, 255));
    c.thitaTxtBox = textBox(kind, "thitaTxtBox", i, qs(d.thita), twips(3000, 360, 855, 270));
    lineControl(kind, "Line1", i, 360, 720, 3600, 720);
    c.gyroOpb =
        option(kind, "gyroOpb", i, "ジャイロボール", twips(120, 840, 1455, 180), !d.ordinary);
    // Near its text box, leaving the gyro-ball caption room to its left.
    QLabel* label12 = label(kind, "Label12", i, "水平からの角度", twips(1680, 840, 1335, 255));
    label12->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label12->setContentsMargins(0, 0, 2, 0);
    c.gyroHorizontal =
        textBox(kind, "Text2", l.horizontal, qs(d.horizontal), twips(3000, 840, 855, 270));
    label(kind, "Label14", i, "左右の角度", twips(1920, 1320, 975, 255));
    c.gyroSide = textBox(kind, "Text2", l.side, qs(d.side), twips(3000, 1320, 855, 270));
}

void buildBallPanel(QWidget* content, const PanelLayout& l, const PanelTexts& d,
                    Form1Ui::PanelControls& c) {
    const int i = l.index;
    QGroupBox* p = c.frame = frame(content, l.name, -1, l.title, l.panel);
    label(p, "Label1", i, "速度", l.Label1);
    c.SpeedTxt = textBox(p, "SpeedTxt", i, qs(d.speed), l.SpeedTxt);
    label(p, "Label2", i, "km", l.Label2);
    label(p, "Label7", i, "毎秒の回転数", l.Label7);
    label(p, "Label8", i, "投げた直後", l.Label8);
    c.Omega0Txt = textBox(p, "Omega0Txt", i, qs(d.omega0), l.Omega0Txt);
    // Two lines in a place one line high: a little wider, up to the text box beside it.
    const QRect label9(l.Omega1Txt.left() - 61, l.Label9.top(), 60, l.Label9.height());
    roomyLabel(p, "Label9", i, "キャッチャ位置", label9);
    c.Omega1Txt = textBox(p, "Omega1Txt", i, qs(d.omega1), l.Omega1Txt);
    buildPitchKind(p, l, d, c);
}

void buildTargetGrid(Form1Ui& ui, QGroupBox* p, const ball::Ball1Panel& d) {
    // Its three lines would end on the 指定する title below: it starts a few pixels higher, still
    // clear of the pitch-kind frame above.
    roomyLabel(p, "Label17", -1, "ボールを投げるところ(2-4がストライク)",
               twips(120, 4110, 1335, 1335));
    QGroupBox* target = frame(p, "Frame1", -1, "指定する", twips(240, 4920, 1095, 975));
    ui.TargetOP_0 = option(target, "TargetOP", 0, "する", twips(120, 240, 855, 255), d.TargetOP_0);
    ui.TargetOP_1 =
        option(target, "TargetOP", 1, "しない", twips(120, 600, 855, 255), !d.TargetOP_0);

    // The numbers centred on the grid's columns (240 twips wide from x 1920) and rows (360 twips
    // high from y 4560), whatever their labels' own extent.
    place<SpreadLabel>(p, "Label15", -1, twips(1920, 4200, 1215, 255), " 1   2   3   4  5",
                       Qt::Horizontal, 120 / 15.0, 240 / 15.0);
    ui.TargetPTxt_0 = textBox(p, "TargetPTxt", 0, qs(d.TargetPTxt_0), twips(3480, 4200, 255, 270));
    place<SpreadLabel>(p, "Label16", -1, twips(1680, 4680, 135, 1815), "1  2  3  4  5",
                       Qt::Vertical, (4560 + 180 - 4680) / 15.0, 360 / 15.0);
    ui.TargetPTxt_1 = textBox(p, "TargetPTxt", 1, qs(d.TargetPTxt_1), twips(1320, 6240, 255, 270));

    place<RectShape>(p, "Shape1", -1, twips(1920, 4560, 1215, 1815), QColor(255, 128, 0));
    place<RectShape>(p, "Shape2", -1, twips(2160, 4920, 735, 1095), QColor(0, 255, 0));
    const std::pair<const char*, int> columns[] = {
        {"Line6", 2160}, {"Line8", 2400}, {"Line9", 2640}, {"Line7", 2880}};
    for (const auto& [name, x] : columns) lineControl(p, name, -1, x, 4560, x, 6360);
    const std::tuple<const char*, int, int> rows[] = {
        {"Line3", -1, 4920}, {"Line2", 0, 5280}, {"Line4", -1, 5640}, {"Line5", -1, 6000}};
    for (const auto& [name, index, y] : rows) lineControl(p, name, index, 1920, y, 3120, y);
}

void buildTabOrder(const Form1Ui& ui) {
    // Each panel in reading order, then the buttons, then the views (for their menu).
    std::vector<QWidget*> chain;
    for (const Form1Ui::PanelControls* c : {&ui.ball1, &ui.ball2}) {
        chain.insert(chain.end(), {c->SpeedTxt, c->Omega0Txt, c->Omega1Txt, c->OrdinaryOpb,
                                   c->gyroOpb, c->thitaTxtBox, c->gyroHorizontal, c->gyroSide});
        if (c == &ui.ball1) {
            chain.insert(chain.end(),
                         {ui.TargetOP_0, ui.TargetOP_1, ui.TargetPTxt_0, ui.TargetPTxt_1});
        }
    }
    chain.insert(chain.end(), {ui.Command1, ui.Command2, ui.Command3, ui.Command4, ui.Picture1,
                               ui.Picture2, ui.Picture3});
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace

void Form1Ui::setupUi(QWidget* content) {
    buildViews(*this, content);
    buildButtons(*this, content);
    const ball::Ball1Panel ball1Defaults;
    buildBallPanel(content, kBall1Layout, textsOf(ball1Defaults), ball1);
    buildTargetGrid(*this, ball1.frame, ball1Defaults);
    buildBallPanel(content, kBall2Layout, textsOf(ball::Ball2Panel{}), ball2);
    buildTabOrder(*this);
    nameForPeople();
}

ball::Ball1Panel Form1Ui::ball1Panel() const {
    ball::Ball1Panel p;
    p.SpeedTxt_0 = text(ball1.SpeedTxt);
    p.Omega0Txt_0 = text(ball1.Omega0Txt);
    p.Omega1Txt_0 = text(ball1.Omega1Txt);
    p.OrdinaryOpb_0 = ball1.OrdinaryOpb->isChecked();
    p.thitaTxtBox_0 = text(ball1.thitaTxtBox);
    p.Text2_0 = text(ball1.gyroHorizontal);
    p.Text2_2 = text(ball1.gyroSide);
    p.TargetOP_0 = TargetOP_0->isChecked();
    p.TargetPTxt_0 = text(TargetPTxt_0);
    p.TargetPTxt_1 = text(TargetPTxt_1);
    return p;
}

ball::Ball2Panel Form1Ui::ball2Panel() const {
    ball::Ball2Panel p;
    p.SpeedTxt_1 = text(ball2.SpeedTxt);
    p.Omega0Txt_1 = text(ball2.Omega0Txt);
    p.Omega1Txt_1 = text(ball2.Omega1Txt);
    p.OrdinaryOpb_1 = ball2.OrdinaryOpb->isChecked();
    p.thitaTxtBox_1 = text(ball2.thitaTxtBox);
    p.Text2_4 = text(ball2.gyroHorizontal);
    p.Text2_3 = text(ball2.gyroSide);
    return p;
}

std::vector<QLineEdit*> Form1Ui::textBoxes(int ball) {
    const PanelControls& p = panel(ball);
    std::vector<QLineEdit*> boxes = {p.SpeedTxt,    p.Omega0Txt,      p.Omega1Txt,
                                     p.thitaTxtBox, p.gyroHorizontal, p.gyroSide};
    if (ball == 1) boxes.insert(boxes.end(), {TargetPTxt_0, TargetPTxt_1});
    return boxes;
}

QStringList Form1Ui::panelTexts(int ball) {
    QStringList texts;
    for (const QLineEdit* box : textBoxes(ball)) texts << box->text();
    texts << QString::number(panel(ball).OrdinaryOpb->isChecked());
    if (ball == 1) texts << QString::number(TargetOP_0->isChecked());
    return texts;
}

void Form1Ui::fill(int ball, const ball::PanelFill& values) {
    PanelControls& p = panel(ball);
    p.SpeedTxt->setText(qs(values.speed));
    p.Omega0Txt->setText(qs(values.spin));
    p.Omega1Txt->setText(qs(values.spin));
    p.OrdinaryOpb->setChecked(true);
    p.thitaTxtBox->setText(qs(values.axis));
}

void Form1Ui::setPanels(const ball::Ball1Panel& one, const ball::Ball2Panel& two) {
    const std::pair<QLineEdit*, const std::string&> boxes[] = {
        {ball1.SpeedTxt, one.SpeedTxt_0},  {ball1.Omega0Txt, one.Omega0Txt_0},
        {ball1.Omega1Txt, one.Omega1Txt_0}, {ball1.thitaTxtBox, one.thitaTxtBox_0},
        {ball1.gyroHorizontal, one.Text2_0}, {ball1.gyroSide, one.Text2_2},
        {TargetPTxt_0, one.TargetPTxt_0},   {TargetPTxt_1, one.TargetPTxt_1},
        {ball2.SpeedTxt, two.SpeedTxt_1},  {ball2.Omega0Txt, two.Omega0Txt_1},
        {ball2.Omega1Txt, two.Omega1Txt_1}, {ball2.thitaTxtBox, two.thitaTxtBox_1},
        {ball2.gyroHorizontal, two.Text2_4}, {ball2.gyroSide, two.Text2_3}};
    for (const auto& [box, text] : boxes) box->setText(qs(text));
    (one.OrdinaryOpb_0 ? ball1.OrdinaryOpb : ball1.gyroOpb)->setChecked(true);
    (two.OrdinaryOpb_1 ? ball2.OrdinaryOpb : ball2.gyroOpb)->setChecked(true);
    (one.TargetOP_0 ? TargetOP_0 : TargetOP_1)->setChecked(true);
}

void Form1Ui::applyWrites(int ball, const ball::OptionWrites& writes) {
    PanelControls& p = panel(ball);
    (writes.gyroOpb ? p.gyroOpb : p.OrdinaryOpb)->setChecked(true);
    if (writes.TargetOP_1 == false) TargetOP_0->setChecked(true);
}
