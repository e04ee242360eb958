#include "main/form1.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "arsenal/arsenal_loader.h"
#include "views/batter_window.h"
#include "kit/error_box.h"
#include "kit/on_screen.h"
#include "views/figures_window.h"
#include "main/folder_waiter.h"
#include "main/help_window.h"
#include "main/measured_dialog.h"
#include "main/read_as_marks.h"
#include "print/page_output.h"
#include "views/picture_box.h"
#include "print/print_worker.h"
#include "session/messages.h"
#include "kit/shapes.h"
#include "main/view_layout.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

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

    // The controls stand on a surface that follows the window's size, and scrolls only when
    // the window is smaller than the smallest layout; the menu bar above it, the status bar
    // below.
    content_ = new QWidget;
    content_->setObjectName("content");
    content_->resize(Form1Ui::kLayoutSize);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll);
    status_ = new QStatusBar(this);
    status_->setObjectName("statusBar");
    status_->setSizeGripEnabled(false);
    layout->addWidget(status_);
    // A control reached by the keyboard scrolls into view.
    connect(qApp, &QApplication::focusChanged, this, [this, scroll](QWidget*, QWidget* now) {
        if (now && content_->isAncestorOf(now)) scroll->ensureWidgetVisible(now);
    });

    ui_.setupUi(content_);
    connect(ui_.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui_.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui_.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui_.Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    // Enter in a panel's text box throws that panel's ball (not while an input method composes:
    // its Enter only ends the composition).
    for (QLineEdit* box : ui_.textBoxes(1)) {
        connect(box, &QLineEdit::returnPressed, this, &Form1::Command1_Click);
    }
    for (QLineEdit* box : ui_.textBoxes(2)) {
        connect(box, &QLineEdit::returnPressed, this, &Form1::Command2_Click);
    }
    // Whatever changes a panel, typed or filled, is checked against what was drawn.
    for (int ball : {1, 2}) {
        for (QLineEdit* box : ui_.textBoxes(ball)) {
            connect(box, &QLineEdit::textChanged, this, &Form1::markChangedPanels);
        }
        connect(ui_.panel(ball).OrdinaryOpb, &QRadioButton::toggled, this,
                &Form1::markChangedPanels);
    }
    connect(ui_.TargetOP_0, &QRadioButton::toggled, this, &Form1::markChangedPanels);
    const ball::View views[] = {ball::View::Side, ball::View::Top, ball::View::Catcher};
    for (int v = 0; v < 3; ++v) {
        ui_.views()[v]->setTip([this, view = views[v]](QPointF at) {
            return qs(session_.viewTip(view, at.x(), at.y()));
        });
    }
    buildActions();
    layout_ = new ViewLayout(content_, ui_.views());
    full_ = Form1Ui::kLayoutSize +
            QSize(0, layout->menuBar()->sizeHint().height() + status_->sizeHint().height());
    resize(full_);
    printer_ = new PrintWorker(this);
    connect(printer_, &PrintWorker::busyChanged, this, [this](bool busy) {
        ui_.Command3->setEnabled(!busy);
        printAction_->setEnabled(!busy);
    });
    connect(printer_, &PrintWorker::finished, this, &Form1::printFinished);

    // A measured session's pair of types, into the panels and thrown as the buttons throw.
    arsenal_ = new ArsenalLoader(this);
    connect(arsenal_, &ArsenalLoader::loaded, this, &Form1::said);
    connect(arsenal_, &ArsenalLoader::throwPair, this, [this](const auto& one, const auto& two) {
        ui_.setPanels(one, two);
        raise();
        activateWindow();
        runClick(1, [this, one](ball::Views v) { return session_.runBall1(one, v); },
                 [this, two] {
                     runClick(2, [this, two](ball::Views v) { return session_.runBall2(two, v); },
                              [this] { said(ball::pairThrownMessage()); });
                 });
    });

    clickWait_ = new FolderWaiter(this);
    recoveryWait_ = new FolderWaiter(this);
    recoverAtStart();
    ui_.ball1.SpeedTxt->setFocus();  // where a new pitch starts
}

void Form1::recoverAtStart() {
    // A pair of files that a program stopped in the middle of a click left half replaced.
    std::string said;
    switch (session_.recoverFiles()) {
        case ball::Recovery::Nothing: status_->clearMessage(); return;
        case ball::Recovery::PutBack: said = ball::recoveredFilesMessage(); break;
        case ball::Recovery::Blocked: said = ball::recoveryBlockedMessage(); break;
        case ball::Recovery::Busy:
            said = ball::recoveryWaitingMessage();
            recoveryWait_->wait(1, std::chrono::hours(24), [this](bool free) {
                if (free) recoverAtStart();
            });
            break;
    }
    qWarning("%s", said.c_str());
    status_->showMessage(qs(said));
}

Form1::~Form1() = default;

void Form1::fitToScreen() {
    if (const QScreen* s = screen()) fitTo(s->availableGeometry());
}

void Form1::fitTo(const QRect& available) { ViewLayout::fitTo(this, available, full_); }

void Form1::runClick(int ball, Click run, std::function<void()> then) {
    clickWait_->cancel();
    attemptClick(ball, run, then, std::chrono::steady_clock::now() + ball::kFolderWait);
}

void Form1::attemptClick(int ball, const Click& run, const std::function<void()>& then,
                         std::chrono::steady_clock::time_point deadline) {
    const std::string readAs = read_as::mark(ui_.textBoxes(ball));
    const auto boxes = ui_.views();
    for (PictureBox* b : boxes) b->beginDrawing();
    const ball::ClickOutcome out = run({*boxes[0], *boxes[1], *boxes[2]});
    if (!out.ok()) {
        for (PictureBox* b : boxes) b->discardDrawing();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (out.error && out.error->kind() == ball::ErrorKind::FolderBusy && left.count() > 0) {
            status_->showMessage(qs(ball::folderWaitMessage()));
            clickWait_->wait(ball, left, [=, this](bool free) {
                status_->clearMessage();
                if (free) {
                    attemptClick(ball, run, then, deadline);
                } else {
                    showError(this, qs(out.message));
                }
            });
            return;
        }
        showError(this, qs(out.message));
        return;
    }
    for (PictureBox* b : boxes) b->commitDrawing();
    drawnPanels_[ball - 1] = ui_.panelTexts(ball);
    if (figures_) figures_->setFigures(session_.figures(), session_.breaks());
    markChangedPanels();
    if (batter_) batter_->setScene(session_.batterScene());
    ui_.applyWrites(ball, out.writes);
    said(readAs.empty() ? ball::thrownMessage(ball) : readAs);
    if (!out.notice.empty()) showNotice(this, qs(out.notice));  // once, after the drawing
    if (then) then();
}

void Form1::Command1_Click() {
    const ball::Ball1Panel panel = ui_.ball1Panel();
    // By value: a click that waits for the folder runs later, with the values of its press.
    runClick(1, [this, panel](ball::Views v) { return session_.runBall1(panel, v); });
}

void Form1::Command2_Click() {
    const ball::Ball2Panel panel = ui_.ball2Panel();
    runClick(2, [this, panel](ball::Views v) { return session_.runBall2(panel, v); });
}

void Form1::Command3_Click() { printer_->print(content_, {}); }

void Form1::Command4_Click() { close(); }

void Form1::showBatter() {
    if (!batter_) batter_ = new BatterWindow(this);
    batter_->show();  // a shown window plays the scene it is given
    batter_->setScene(session_.batterScene());
    present(batter_);
}

void Form1::showHelp() {
    if (!help_) help_ = new HelpWindow(this);
    present(help_);
}

void Form1::showFigures() {
    if (!figures_) figures_ = new FiguresWindow(this);
    figures_->setFigures(session_.figures(), session_.breaks());
    markChangedPanels();
    present(figures_);
    figures_->setFocus();
}

void Form1::markChangedPanels() {
    if (!figures_) return;
    figures_->setPanelChanged({session_.shownBall1() && ui_.panelTexts(1) != drawnPanels_[0],
                               session_.shownBall2() && ui_.panelTexts(2) != drawnPanels_[1]});
}

// For a few seconds: a confirmation, not a state.
void Form1::said(const std::string& text) { status_->showMessage(qs(text), 8000); }

void Form1::enterMeasured(int ball) {
    MeasuredDialog dialog(ball, ui_.panel(ball).SpeedTxt->text(), this);
    // A measurement the model cannot take is said, and the dialog stays for a correction.
    while (dialog.exec() == QDialog::Accepted) {
        const ball::PanelFill fill = session_.fillFromMeasurement(
            dialog.measurement(), ball, ui_.ball1Panel(), ui_.ball2Panel());
        if (!fill.error.empty()) {
            errorBox(&dialog, qs(fill.error))->exec();
            continue;
        }
        ui_.fill(ball, fill);
        status_->showMessage(qs(ball::filledMessage(ball)));  // until the next word
        if (!fill.found.empty()) {
            QMessageBox::information(this, "計測値から入力",
                                     "同じ変化量になる回転: " + qs(fill.found));
        }
        return;
    }
}
