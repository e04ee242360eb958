#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <functional>
#include <vector>

#include "print_job.h"
#include "session/pitch_session.h"
#include "setup/panels.h"

class QGroupBox;
class QLabel;
class FiguresWindow;
class BatterWindow;
class QAction;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QRadioButton;
class QScrollArea;
class PictureBox;
struct PanelLayout;
struct PanelTexts;

/// The one window, "ボールの軌道": three views, the Ball-1 and Ball-2 panels, four buttons.
/// It owns the controls and hands each click to the session, which owns the comparison of the
/// two balls. Controls carry their names (with the member index, as in SpeedTxt_0) as their
/// objectName.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    /// Fits the window to the screen's free area: unchanged where the whole layout fits,
    /// otherwise as large as the area allows, with the content scrolling.
    void fitToScreen();
    /// The same for a given free area, in screen coordinates.
    void fitTo(const QRect& available);

    /// The Ball-1 panel's values as the user left them.
    ball::Ball1Panel ball1Panel() const;
    /// The Ball-2 panel's values.
    ball::Ball2Panel ball2Panel() const;

    /// The comparison the window shows.
    const ball::PitchSession& session() const { return session_; }

    /// Opens "打者から見た投球", the balls drawn seen from the batter's box, from release.
    void showBatter();
    /// Opens "投球の数値", the figures of the balls drawn, or brings it forward.
    void showFigures();
    /// Saves an image of the window: a PDF page of vectors for a name ending in .pdf, a PNG of
    /// the window's size otherwise, replacing the file whole. Says why in a message box when it
    /// cannot.
    bool saveImage(const QString& path);
    /// Saves the drawn balls' stored points as CSV, replacing the file whole.
    bool saveCsv(const QString& path);

public slots:
    void Command1_Click();  // ボール１
    void Command2_Click();  // ボール２
    void Command3_Click();  // 印刷, sent off the window's thread; 印刷 waits meanwhile
    void Command4_Click();  // 終わり

private:
    struct PanelControls {
        QLineEdit* SpeedTxt = nullptr;
        QLineEdit* Omega0Txt = nullptr;
        QLineEdit* Omega1Txt = nullptr;
        QRadioButton* OrdinaryOpb = nullptr;
        QRadioButton* gyroOpb = nullptr;
        QLineEdit* thitaTxtBox = nullptr;
        QLineEdit* gyroHorizontal = nullptr;  // Text2(0) or Text2(4)
        QLineEdit* gyroSide = nullptr;        // Text2(2) or Text2(3)
    };

    void buildViews();
    void buildButtons();
    QGroupBox* buildBallPanel(const PanelLayout& layout, const PanelTexts& defaults,
                              PanelControls& controls);
    void buildPitchKind(QGroupBox* panel, const PanelLayout& layout, const PanelTexts& defaults,
                        PanelControls& controls);
    void buildTargetGrid(QGroupBox* panel, const ball::Ball1Panel& defaults);
    void buildTabOrder();

    /// Runs one click in the session; an error ends it with a message box, the boxes keep their
    /// previous drawing, and the window stays open.
    void runClick(const std::function<ball::ClickOutcome(ball::Views)>& run, PanelControls& p);
    QMessageBox* showError(const QString& text);

    void buildActions();
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString viewTip(PictureBox* box, QPoint pixel) const;
    void askSaveImage(const QString& filter);
    void askSaveCsv();
    void print(const PrintChoice& choice);
    void printWithDialog();
    void printFinished();
    void openFocusMenu();
    void enterMeasured(int ball);
    void recordLayout();
    void layoutContent();

    // A control placed relative to the views as they grow: the index of the view it stays
    // centred on (-1: right of the views) and of the view below which it keeps its distance
    // (-1: it keeps its top).
    struct Anchored {
        QWidget* widget;
        QRect base;  // its place in the layout as drawn
        int across;
        int below;
    };

    ball::PitchSession session_;
    std::vector<QRect> views_;  // the three views' places in the layout as drawn
    std::vector<Anchored> anchored_;
    QScrollArea* scroll_ = nullptr;
    QWidget* content_ = nullptr;  // the layout's surface, inside scroll_
    FiguresWindow* figures_ = nullptr;
    BatterWindow* batter_ = nullptr;
    QList<QAction*> viewActions_;
    QAction* printAction_ = nullptr;
    QAction* measuredActions_[2] = {};  // 計測値から入力… for Ball 1 and Ball 2
    QFutureWatcher<PrintOutcome>* printJob_ = nullptr;
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture3 = nullptr;
    PanelControls ball1_;
    PanelControls ball2_;
    QRadioButton* TargetOP_0 = nullptr;
    QRadioButton* TargetOP_1 = nullptr;
    QLineEdit* TargetPTxt_0 = nullptr;
    QLineEdit* TargetPTxt_1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
};
