#pragma once

#include <QSize>
#include <QStringList>
#include <array>
#include <vector>

#include "session/measured_pitch.h"
#include "setup/panels.h"

class PictureBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

/// The form of "ボールの軌道" as it was designed, in the manner of a uic-generated form: every
/// named control, built on a surface by setupUi, and the panels read and written as values. It
/// holds no behaviour and makes no connections; Form1 wires it.
struct Form1Ui {
    /// The layout as drawn, in pixels: the views and buttons in kViewsWidth on the left, the
    /// panels in the rest. The views shrink no further than kSmallestViews on a small screen,
    /// where the buttons under them still stand clear of one another.
    static constexpr QSize kLayoutSize{15240 / 15, 10905 / 15};
    static constexpr int kViewsWidth = 10680 / 15;
    static constexpr int kPanelsWidth = kLayoutSize.width() - kViewsWidth;
    static constexpr double kSmallestViews = 0.65;

    /// One ball's panel.
    struct PanelControls {
        QGroupBox* frame = nullptr;  // Ball1setFrm or Ball2Frm
        QLineEdit* SpeedTxt = nullptr;
        QLineEdit* Omega0Txt = nullptr;
        QLineEdit* Omega1Txt = nullptr;
        QRadioButton* OrdinaryOpb = nullptr;
        QRadioButton* gyroOpb = nullptr;
        QLineEdit* thitaTxtBox = nullptr;
        QLineEdit* gyroHorizontal = nullptr;  // Text2(0) or Text2(4)
        QLineEdit* gyroSide = nullptr;        // Text2(2) or Text2(3)
    };

    PictureBox* Picture1 = nullptr;  // from the third-base side
    PictureBox* Picture2 = nullptr;  // from straight above
    PictureBox* Picture3 = nullptr;  // from the catcher
    PanelControls ball1;
    PanelControls ball2;
    QRadioButton* TargetOP_0 = nullptr;
    QRadioButton* TargetOP_1 = nullptr;
    QLineEdit* TargetPTxt_0 = nullptr;
    QLineEdit* TargetPTxt_1 = nullptr;
    QPushButton* Command1 = nullptr;  // ボール１
    QPushButton* Command2 = nullptr;  // ボール２
    QPushButton* Command3 = nullptr;  // 印刷
    QPushButton* Command4 = nullptr;  // 終わり

    /// Builds every control on the surface, with the panel defaults and the tab chain.
    void setupUi(QWidget* content);

    /// The three views, side, top and catcher.
    std::array<PictureBox*, 3> views() const { return {Picture1, Picture2, Picture3}; }
    /// Ball 1's or Ball 2's panel (1 or 2).
    PanelControls& panel(int ball) { return ball == 1 ? ball1 : ball2; }
    /// The text boxes of ball 1's or 2's panel, Ball 1's target cell included.
    /// What a panel holds (its texts and choices), to tell whether it changed.
    QStringList panelTexts(int ball);
    std::vector<QLineEdit*> textBoxes(int ball);

    /// The Ball-1 panel's values as the user left them.
    ball::Ball1Panel ball1Panel() const;
    /// The Ball-2 panel's values.
    ball::Ball2Panel ball2Panel() const;
    /// Puts a measured pitch's values into ball 1's or 2's panel, as an ordinary ball.
    void fill(int ball, const ball::PanelFill& values);
    /// Puts every value of both panels in.
    void setPanels(const ball::Ball1Panel& one, const ball::Ball2Panel& two);
    /// Shows the option values a ball's setup set, so the panel agrees with what was run.
    void applyWrites(int ball, const ball::OptionWrites& writes);

private:
    /// Names each control for a screen reader: the words the user reads beside it, with the
    /// ball and the unit, never the control's identifier.
    void nameForPeople();
};
