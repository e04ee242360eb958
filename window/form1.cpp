#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtMath>
#include <QtConcurrent>

#include "batter_window.h"
#include "figures_window.h"
#include "page_output.h"
#include "picture_box.h"
#include "measured_dialog.h"
#include "print_dialog.h"
#include "shapes.h"

namespace {

// The layout as drawn, in pixels: the views and buttons in kViewsWidth on the left, the panels
// in the rest. The views shrink no further than kSmallestViews on a small screen.
constexpr QSize kLayoutSize(15240 / 15, 10905 / 15);
constexpr int kViewsWidth = 10680 / 15;
constexpr int kPanelsWidth = kLayoutSize.width() - kViewsWidth;
constexpr double kSmallestViews = 0.45;

// Layout is given in twips; 15 twips are one logical pixel.
QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QString controlName(const char* name, int index) {
    return index < 0 ? QString(name) : QStringLiteral("%1_%2").arg(name).arg(index);
}

template <class W, class... Args>
W* place(QWidget* parent, const char* name, int index, QRect geometry, Args&&... args) {
    W* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(controlName(name, index));
    w->setGeometry(geometry);
    return w;
}

// Labels keep their place and the window's one text size. One laid out a line high grows to
// the right when the font needs more room; a taller one wraps and grows downward.
QLabel* label(QWidget* parent, const char* name, int index, const QString& text, QRect g) {
    QLabel* l = place<QLabel>(parent, name, index, g, text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (g.height() < 25) {
        l->resize(std::max(g.width(), l->sizeHint().width()), g.height());
        return l;
    }
    l->setWordWrap(true);
    l->resize(g.width(), std::max(g.height(), l->heightForWidth(g.width())));
    return l;
}

// A caption whose place is too small for this font: it takes the empty room around its place,
// given here in twips, so that it neither shrinks nor runs into its neighbours.
QLabel* roomyLabel(QWidget* parent, const char* name, int index, const QString& text, QRect room) {
    QLabel* l = label(parent, name, index, text, room);
    l->setWordWrap(true);
    l->resize(room.width(), std::max(room.height(), l->heightForWidth(room.width())));
    return l;
}

QLineEdit* textBox(QWidget* parent, const char* name, int index, const QString& text, QRect g) {
    QLineEdit* t = place<QLineEdit>(parent, name, index, g, text);
    t->setAccessibleName(controlName(name, index));
    return t;
}

QRadioButton* option(QWidget* parent, const char* name, int index, const QString& text, QRect g,
                     bool checked) {
    QRadioButton* o = place<QRadioButton>(parent, name, index, g, text);
    o->setChecked(checked);
    // Too low a place would squash the round indicator, too narrow a one cut the caption: the
    // button grows about its middle and to the right instead.
    const QSize hint = o->sizeHint();
    const int height = std::max(g.height(), hint.height());
    o->setGeometry(g.left(), g.center().y() - height / 2, std::max(g.width(), hint.width()),
                   height);
    return o;
}

QGroupBox* frame(QWidget* parent, const char* name, int index, const QString& title, QRect g) {
    return place<FrameBox>(parent, name, index, g, title);
}

// A line control from (x1, y1) to (x2, y2) in twips, horizontal or vertical.
void lineControl(QWidget* parent, const char* name, int index, int x1, int y1, int x2, int y2) {
    QRect g(x1 / 15, y1 / 15, std::max(1, (x2 - x1) / 15), std::max(1, (y2 - y1) / 15));
    place<LineShape>(parent, name, index, g);
}

std::string text(const QLineEdit* box) { return box->text().toStdString(); }

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

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

namespace {

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

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    // One style for every control, set before any exists: the screen's own, which can draw a
    // page of vectors too.
    if (!qobject_cast<PageStyle*>(QApplication::style())) QApplication::setStyle(new PageStyle);
    setObjectName("Form1");
    setWindowTitle("ボールの軌道");
    setWindowIcon(baseballIcon());
    QFont font = this->font();
    font.setPixelSize(12);  // 9 point at 96 dots per inch, as the layout was drawn for
    setFont(font);

    // The controls stand on a surface that follows the window's size (see layoutContent), and
    // scrolls only when the window is smaller than the smallest layout.
    content_ = new QWidget;
    content_->setObjectName("content");
    content_->setMinimumSize(kPanelsWidth + qCeil(kViewsWidth * kSmallestViews),
                             kLayoutSize.height());
    content_->resize(kLayoutSize);
    content_->installEventFilter(this);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    resize(kLayoutSize);
    // A control reached by the keyboard scrolls into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && content_->isAncestorOf(now)) scroll_->ensureWidgetVisible(now);
    });

    buildViews();
    buildButtons();
    const ball::Ball1Panel ball1Defaults;
    buildTargetGrid(buildBallPanel(kBall1Layout, textsOf(ball1Defaults), ball1_), ball1Defaults);
    buildBallPanel(kBall2Layout, textsOf(ball::Ball2Panel{}), ball2_);
    buildTabOrder();
    buildActions();
    recordLayout();
    printJob_ = new QFutureWatcher<PrintOutcome>(this);
    connect(printJob_, &QFutureWatcherBase::finished, this, &Form1::printFinished);
}

Form1::~Form1() = default;

void Form1::fitToScreen() {
    if (const QScreen* s = screen()) fitTo(s->availableGeometry());
}

void Form1::fitTo(const QRect& available) {
    // Room the window system takes around the window; before it is first shown, the size of a
    // common title bar and border.
    QMargins frame(frameGeometry().left() - geometry().left(),
                   geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(),
                   frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull()) frame = QMargins(8, 32, 8, 8);
    const QSize room = available.size().shrunkBy(frame);
    const QSize full = kLayoutSize;
    if (room.width() >= full.width() && room.height() >= full.height()) {
        resize(full);
        return;
    }
    setMinimumSize(QSize(240, 180).boundedTo(room));
    resize(full.boundedTo(room));
    move(available.topLeft() + QPoint(frame.left(), frame.top()));
}

void Form1::recordLayout() {
    views_ = {Picture1->geometry(), Picture2->geometry(), Picture3->geometry()};
    // Each control with the view it stays centred on as the views grow (kRightOfViews: it
    // stays right of them), and the view whose bottom it keeps its distance to (kKeepsTop: it
    // keeps its own top).
    constexpr int kRightOfViews = -1, kKeepsTop = -1;
    const std::tuple<const char*, int, int> anchors[] = {
        {"Label18", 0, 0},  {"Label19", 1, 1},  {"Label20", 2, 2},
        {"Command1", 2, 2}, {"Command2", 2, 2}, {"Command3", 2, 2},
        {"Command4", 2, 1}, {"Ball1setFrm", kRightOfViews, kKeepsTop},
        {"Ball2Frm", kRightOfViews, kKeepsTop},
    };
    for (const auto& [name, across, below] : anchors) {
        QWidget* w = content_->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        anchored_.push_back({w, w->geometry(), across, below});
    }
    layoutContent();
}

void Form1::layoutContent() {
    if (anchored_.empty()) return;
    // The views scale by the largest factor that lets them and the panels fit.
    const QSize size = content_->size();
    const double k = std::max(kSmallestViews,
                              std::min(double(size.width() - kPanelsWidth) / kViewsWidth,
                                       double(size.height()) / kLayoutSize.height()));
    const auto scaled = [k](const QRect& r) {
        return QRect(qRound(r.x() * k), qRound(r.y() * k), qRound(r.width() * k),
                     qRound(r.height() * k));
    };
    PictureBox* boxes[] = {Picture1, Picture2, Picture3};
    QRect now[3];
    for (int v = 0; v < 3; ++v) boxes[v]->setGeometry(now[v] = scaled(views_[v]));
    const auto right = [](const QRect& r) { return r.x() + r.width(); };
    const auto bottom = [](const QRect& r) { return r.y() + r.height(); };
    for (const Anchored& a : anchored_) {
        QRect g = a.base;
        if (a.across < 0) {
            g.moveLeft(right(now[2]) + a.base.x() - right(views_[2]));
        } else {
            const double centre = a.base.x() + a.base.width() / 2.0 - views_[a.across].x();
            g.moveLeft(now[a.across].x() + qRound(centre * k - a.base.width() / 2.0));
        }
        if (a.below >= 0) g.moveTop(bottom(now[a.below]) + a.base.y() - bottom(views_[a.below]));
        a.widget->setGeometry(g);
    }
}

void Form1::buildViews() {
    Picture1 = place<PictureBox>(content_, "Picture1", -1, twips(0, 0, 8055, 4815));
    label(content_, "Label18", -1, "三塁側から見た図", twips(3000, 4920, 2535, 255));
    Picture2 = place<PictureBox>(content_, "Picture2", -1, twips(0, 5160, 8055, 5415));
    // Laid out at top 10680, where this font's line would reach past the window's bottom edge.
    label(content_, "Label19", -1, "真上から見た図", twips(3240, 10620, 1935, 255));
    Picture3 = place<PictureBox>(content_, "Picture3", -1, twips(8280, 0, 2415, 4815));
    label(content_, "Label20", -1, "キャッチャーから見た図", twips(8400, 4920, 1935, 255));
}

void Form1::buildButtons() {
    Command1 = place<QPushButton>(content_, "Command1", -1, twips(8520, 5400, 1575, 615), "ボール１");
    Command2 = place<QPushButton>(content_, "Command2", -1, twips(8520, 6360, 1575, 615), "ボール２");
    Command3 = place<QPushButton>(content_, "Command3", -1, twips(8520, 7320, 1575, 615), "印刷");
    Command4 = place<QPushButton>(content_, "Command4", -1, twips(8400, 9960, 1575, 615), "終わり");
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
}

void Form1::buildPitchKind(QGroupBox* panel, const PanelLayout& l, const PanelTexts& d,
                           PanelControls& c) {
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

QGroupBox* Form1::buildBallPanel(const PanelLayout& l, const PanelTexts& d, PanelControls& c) {
    const int i = l.index;
    QGroupBox* p = frame(content_, l.name, -1, l.title, l.panel);
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
    return p;
}

void Form1::buildTargetGrid(QGroupBox* p, const ball::Ball1Panel& d) {
    // Its three lines would end on the 指定する title below: it starts a few pixels higher, still
    // clear of the pitch-kind frame above.
    roomyLabel(p, "Label17", -1, "ボールを投げるところ(2-4がストライク)",
               twips(120, 4110, 1335, 1335));
    QGroupBox* target = frame(p, "Frame1", -1, "指定する", twips(240, 4920, 1095, 975));
    TargetOP_0 = option(target, "TargetOP", 0, "する", twips(120, 240, 855, 255), d.TargetOP_0);
    TargetOP_1 = option(target, "TargetOP", 1, "しない", twips(120, 600, 855, 255), !d.TargetOP_0);

    // The numbers centred on the grid's columns (240 twips wide from x 1920) and rows (360 twips
    // high from y 4560), whatever their labels' own extent.
    place<SpreadLabel>(p, "Label15", -1, twips(1920, 4200, 1215, 255), " 1   2   3   4  5",
                       Qt::Horizontal, 120 / 15.0, 240 / 15.0);
    TargetPTxt_0 = textBox(p, "TargetPTxt", 0, qs(d.TargetPTxt_0), twips(3480, 4200, 255, 270));
    place<SpreadLabel>(p, "Label16", -1, twips(1680, 4680, 135, 1815), "1  2  3  4  5",
                       Qt::Vertical, (4560 + 180 - 4680) / 15.0, 360 / 15.0);
    TargetPTxt_1 = textBox(p, "TargetPTxt", 1, qs(d.TargetPTxt_1), twips(1320, 6240, 255, 270));

    place<RectShape>(p, "Shape1", -1, twips(1920, 4560, 1215, 1815), QColor(255, 128, 0));
    place<RectShape>(p, "Shape2", -1, twips(2160, 4920, 735, 1095), QColor(0, 255, 0));
    const std::pair<const char*, int> columns[] = {
        {"Line6", 2160}, {"Line8", 2400}, {"Line9", 2640}, {"Line7", 2880}};
    for (const auto& [name, x] : columns) lineControl(p, name, -1, x, 4560, x, 6360);
    const std::tuple<const char*, int, int> rows[] = {
        {"Line3", -1, 4920}, {"Line2", 0, 5280}, {"Line4", -1, 5640}, {"Line5", -1, 6000}};
    for (const auto& [name, index, y] : rows) lineControl(p, name, index, 1920, y, 3120, y);
}

void Form1::buildTabOrder() {
    // Each panel in reading order, then the buttons, then the views (for their menu).
    std::vector<QWidget*> chain;
    for (const PanelControls* c : {&ball1_, &ball2_}) {
        chain.insert(chain.end(), {c->SpeedTxt, c->Omega0Txt, c->Omega1Txt, c->OrdinaryOpb,
                                   c->gyroOpb, c->thitaTxtBox, c->gyroHorizontal, c->gyroSide});
        if (c == &ball1_) {
            chain.insert(chain.end(), {TargetOP_0, TargetOP_1, TargetPTxt_0, TargetPTxt_1});
        }
    }
    chain.insert(chain.end(), {Command1, Command2, Command3, Command4, Picture1, Picture2, Picture3});
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

ball::Ball1Panel Form1::ball1Panel() const {
    ball::Ball1Panel p;
    p.SpeedTxt_0 = text(ball1_.SpeedTxt);
    p.Omega0Txt_0 = text(ball1_.Omega0Txt);
    p.Omega1Txt_0 = text(ball1_.Omega1Txt);
    p.OrdinaryOpb_0 = ball1_.OrdinaryOpb->isChecked();
    p.thitaTxtBox_0 = text(ball1_.thitaTxtBox);
    p.Text2_0 = text(ball1_.gyroHorizontal);
    p.Text2_2 = text(ball1_.gyroSide);
    p.TargetOP_0 = TargetOP_0->isChecked();
    p.TargetPTxt_0 = text(TargetPTxt_0);
    p.TargetPTxt_1 = text(TargetPTxt_1);
    return p;
}

ball::Ball2Panel Form1::ball2Panel() const {
    ball::Ball2Panel p;
    p.SpeedTxt_1 = text(ball2_.SpeedTxt);
    p.Omega0Txt_1 = text(ball2_.Omega0Txt);
    p.Omega1Txt_1 = text(ball2_.Omega1Txt);
    p.OrdinaryOpb_1 = ball2_.OrdinaryOpb->isChecked();
    p.thitaTxtBox_1 = text(ball2_.thitaTxtBox);
    p.Text2_4 = text(ball2_.gyroHorizontal);
    p.Text2_3 = text(ball2_.gyroSide);
    return p;
}

void Form1::runClick(const std::function<ball::ClickOutcome(ball::Views)>& run,
                     PanelControls& panel) {
    PictureBox* boxes[] = {Picture1, Picture2, Picture3};
    for (PictureBox* b : boxes) b->beginDrawing();
    const ball::ClickOutcome out = run({*Picture1, *Picture2, *Picture3});
    if (!out.ok()) {
        for (PictureBox* b : boxes) b->discardDrawing();
        showError(qs(out.message));
        return;
    }
    for (PictureBox* b : boxes) b->commitDrawing();
    if (figures_) figures_->showFigures(session_.figures(), session_.breaks());
    if (batter_) batter_->setScene(session_.batterScene());
    // The setup's own writes agree with what the panel shows.
    (out.writes.gyroOpb ? panel.gyroOpb : panel.OrdinaryOpb)->setChecked(true);
    if (out.writes.TargetOP_1 == false) TargetOP_0->setChecked(true);
}

void Form1::Command1_Click() {
    const ball::Ball1Panel panel = ball1Panel();
    runClick([&](ball::Views v) { return session_.runBall1(panel, v); }, ball1_);
}

void Form1::Command2_Click() {
    const ball::Ball2Panel panel = ball2Panel();
    runClick([&](ball::Views v) { return session_.runBall2(panel, v); }, ball2_);
}

void Form1::Command3_Click() { print({}); }

void Form1::printWithDialog() {
    if (printJob_->isRunning()) return;
    PrintDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) print(dialog.choice());
}

void Form1::print(const PrintChoice& choice) {
    if (printJob_->isRunning()) return;
    Command3->setEnabled(false);
    printAction_->setEnabled(false);
    printJob_->setFuture(
        QtConcurrent::run(sendToPrinter, page_output::pdf(content_, true), choice));
}

void Form1::printFinished() {
    Command3->setEnabled(true);
    printAction_->setEnabled(true);
    const PrintOutcome out = printJob_->result();
    if (out.message.isEmpty()) return;
    QMessageBox* box = showError(out.message);
    if (out.noPrinter) {
        // Offer the same page as a PDF instead.
        QPushButton* pdf = box->addButton("PDFとして保存…", QMessageBox::ActionRole);
        pdf->setObjectName("savePdfButton");
        connect(pdf, &QPushButton::clicked, this, [this] { askSaveImage("PDF (*.pdf)"); });
    }
}

void Form1::Command4_Click() { close(); }

void Form1::showBatter() {
    if (!batter_) batter_ = new BatterWindow(this);
    batter_->show();
    batter_->setScene(session_.batterScene());
    batter_->raise();
    batter_->activateWindow();
}

void Form1::showFigures() {
    if (!figures_) figures_ = new FiguresWindow(this);
    figures_->showFigures(session_.figures(), session_.breaks());
    figures_->show();
    figures_->raise();
    figures_->activateWindow();
    figures_->setFocus();
}

bool Form1::saveImage(const QString& path) {
    const QString failure = page_output::saveImage(content_, path);
    if (!failure.isEmpty()) showError(failure);
    return failure.isEmpty();
}

bool Form1::saveCsv(const QString& path) {
    const std::optional<std::string> failure = session_.saveCsv(path.toStdString());
    if (failure) showError(qs(*failure));
    return !failure;
}

void Form1::askSaveImage(const QString& filter) {
    const QString path = page_output::askSaveName(
        this, "画像を保存", filter.contains("pdf") ? "ballview.pdf" : "ballview.png",
        page_output::kImageFilters, filter);
    if (!path.isEmpty()) saveImage(path);
}

void Form1::askSaveCsv() {
    const QString path = page_output::askSaveName(this, "軌道を保存", "ballview.csv",
                                                  {"CSV (*.csv)"}, "CSV (*.csv)");
    if (!path.isEmpty()) saveCsv(path);
}

void Form1::buildActions() {
    const auto action = [this](const QString& text, QKeySequence keys, auto slot) {
        auto* a = new QAction(text, this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
        return a;
    };
    viewActions_ = {
        action("投球の数値…", QKeySequence(Qt::CTRL | Qt::Key_I), [this] { showFigures(); }),
        action("画像を保存…", QKeySequence::Save, [this] { askSaveImage("PNG 画像 (*.png)"); }),
        action("軌道を CSV で保存…", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { askSaveCsv(); }),
        action("印刷…", QKeySequence::Print, [this] { printWithDialog(); }),
        action("打者から見た投球…", QKeySequence(Qt::CTRL | Qt::Key_B), [this] { showBatter(); }),
    };
    printAction_ = viewActions_[3];
    for (QAction* a : viewActions_) a->setShortcutVisibleInContextMenu(true);
    // Each panel's own menu: a measured pitch into it.
    for (int b = 0; b < 2; ++b) {
        const QKeySequence keys(b == 0 ? Qt::CTRL | Qt::Key_1 : Qt::CTRL | Qt::Key_2);
        measuredActions_[b] = action("計測値から入力…", keys, [this, b] { enterMeasured(b + 1); });
        measuredActions_[b]->setShortcutVisibleInContextMenu(true);
        QWidget* panel = content_->findChild<QWidget*>(b == 0 ? "Ball1setFrm" : "Ball2Frm");
        panel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(panel, &QWidget::customContextMenuRequested, this, [this, panel, b](QPoint at) {
            QMenu menu(this);
            menu.setObjectName("panelMenu");
            menu.addAction(measuredActions_[b]);
            menu.exec(panel->mapToGlobal(at));
        });
    }
    // The Menu key and Shift+F10 open the right-click menu of whatever has the focus.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &Form1::openFocusMenu);
    }
    for (PictureBox* box : {Picture1, Picture2, Picture3}) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this, [this, box](QPoint at) {
            QMenu menu(this);
            menu.setObjectName("viewMenu");
            menu.addActions(viewActions_);
            menu.exec(box->mapToGlobal(at));
        });
        box->installEventFilter(this);
    }
}

void Form1::enterMeasured(int ball) {
    PanelControls& panel = ball == 1 ? ball1_ : ball2_;
    MeasuredDialog dialog(ball, panel.SpeedTxt->text(), this);
    // A measurement the model cannot take is said, and the dialog stays for a correction.
    while (dialog.exec() == QDialog::Accepted) {
        const ball::PanelFill fill =
            session_.fillFromMeasurement(dialog.measurement(), ball, ball1Panel(), ball2Panel());
        if (!fill.error.empty()) {
            QMessageBox::warning(&dialog, "計測値から入力", qs(fill.error));
            continue;
        }
        panel.SpeedTxt->setText(qs(fill.speed));
        panel.Omega0Txt->setText(qs(fill.spin));
        panel.Omega1Txt->setText(qs(fill.spin));
        panel.OrdinaryOpb->setChecked(true);
        panel.thitaTxtBox->setText(qs(fill.axis));
        if (!fill.found.empty()) {
            QMessageBox::information(this, "計測値から入力",
                                     "同じ変化量になる回転: " + qs(fill.found));
        }
        return;
    }
}

void Form1::openFocusMenu() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus)) return;
    // At the text cursor in a text box, in the middle of anything else.
    const QRect cursor = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint at = cursor.isValid() ? cursor.center() : focus->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
    QCoreApplication::sendEvent(focus, &event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_ && event->type() == QEvent::Resize) layoutContent();
    auto* box = qobject_cast<PictureBox*>(watched);
    if (box && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = viewTip(box, help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, box);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QString Form1::viewTip(PictureBox* box, QPoint pixel) const {
    const std::optional<QPointF> at = box->toWorld(pixel);
    if (!at) return {};
    const ball::View view = box == Picture1   ? ball::View::Side
                            : box == Picture2 ? ball::View::Top
                                              : ball::View::Catcher;
    return qs(session_.viewTip(view, at->x(), at->y()));
}

QMessageBox* Form1::showError(const QString& text) {
    // Also on the error output, for whoever started the program from a terminal.
    qWarning("%s", qUtf8Printable(text));
    auto* box = new QMessageBox(QMessageBox::Critical, "ボールの軌道", text, QMessageBox::Ok, this);
    box->setObjectName("errorBox");
    // Japanese may wrap between any two characters: wide enough for the longest sentence, the
    // lines break only where the message does.
    if (auto* label = box->findChild<QLabel*>("qt_msgbox_label")) {
        int widest = 0;
        for (const QString& line : text.split('\n')) {
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        }
        const int room = screen() ? screen()->availableGeometry().width() * 3 / 4 : 800;
        label->setMinimumWidth(std::min(widest + 2, room));
    }
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}
