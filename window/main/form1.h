#pragma once

#include <QList>
#include <QWidget>
#include <chrono>
#include <functional>

#include "main/form1_ui.h"
#include "print/print_job.h"
#include "session/pitch_session.h"

class ArsenalLoader;
class BatterWindow;
class FiguresWindow;
class FolderWaiter;
class HelpWindow;
class PrintWorker;
class QAction;
class QStatusBar;
class ViewLayout;

/// The one window, "ボールの軌道": three views, the Ball-1 and Ball-2 panels, four buttons, with a
/// menu bar above and a status bar below. It wires them: the form (Form1Ui) holds the controls, a ViewLayout places them as the window
/// grows, the session (PitchSession) runs each click, a PrintWorker prints; Form1 owns these
/// and the secondary windows, and hands each click, menu action and shortcut on.
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

    /// The comparison the window shows.
    const ball::PitchSession& session() const { return session_; }

    /// Opens "打者から見た投球", the balls drawn seen from the batter's box, from release.
    void showBatter();
    /// Opens "投球の数値", the figures of the balls drawn, or brings it forward.
    void showFigures();
    /// Opens "使い方", the guide to the program, or brings it forward.
    void showHelp();
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
    using Click = std::function<ball::ClickOutcome(ball::Views)>;
    /// Marks in 投球の数値 a ball whose panel no longer holds what it was drawn with.
    void markChangedPanels();
    /// Confirms in the status bar, for a few seconds, what was done.
    void said(const std::string& text);
    /// Says a file saved, or why not in a message box; whether it was.
    bool saidSaved(const QString& path, const QString& failure);
    /// Runs one click of ball 1 or 2 in the session, then `then` after a success; an error ends
    /// it with a message box, the views keep their previous drawing, and the window stays open.
    /// A folder another program holds is waited for off the window's thread, a short time,
    /// and the click tried again; a newer click replaces one waiting.
    void runClick(int ball, Click run, std::function<void()> then = {});
    void attemptClick(int ball, const Click& run, const std::function<void()>& then,
                      std::chrono::steady_clock::time_point deadline);
    /// Settles the data files a click cut short left, once no other program holds their folder.
    void recoverAtStart();
    void buildActions();
    void askSaveImage(const QString& filter);
    void askSaveCsv();
    void printWithDialog();
    void printFinished(const PrintOutcome& outcome);
    void openFocusMenu();
    void enterMeasured(int ball);

    ball::PitchSession session_;
    Form1Ui ui_;
    QStringList drawnPanels_[2];  // what each panel held when its ball was last drawn
    QWidget* content_ = nullptr;  // the form's surface, inside a scroll area
    ViewLayout* layout_ = nullptr;
    QSize full_;                  // the window at the form's own size, with its bars
    QStatusBar* status_ = nullptr;
    PrintWorker* printer_ = nullptr;
    FolderWaiter* clickWait_ = nullptr;    // a click waiting for the data files' folder
    FolderWaiter* recoveryWait_ = nullptr; // the check at start, waiting likewise
    FiguresWindow* figures_ = nullptr;
    BatterWindow* batter_ = nullptr;
    HelpWindow* help_ = nullptr;
    ArsenalLoader* arsenal_ = nullptr;  // measured sessions: opened, fitted, shown
    QList<QAction*> viewActions_;
    QAction* printAction_ = nullptr;
    QAction* measuredActions_[2] = {};  // 計測値から入力… for Ball 1 and Ball 2
};
