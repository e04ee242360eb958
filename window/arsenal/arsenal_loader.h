#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <string>
#include <vector>

#include "arsenal/session_comparison.h"
#include "bullpen/arsenal.h"

class ArsenalWindow;
class FitWorker;
class QProgressDialog;
class QWidget;

/// Opens a measured session: from a file dialog, or a .csv dropped on the window it watches. It
/// reads the columns (asking once for a header it does not know, and remembering the answer),
/// fits the types off the window's thread with a progress bar and a cancel button when that
/// takes more than half a second, and shows "持ち球".
class ArsenalLoader : public QObject {
    Q_OBJECT

public:
    explicit ArsenalLoader(QWidget* window);

    /// Asks which file, then loads it.
    void open();
    /// Shows 持ち球 again, or asks for a file when none was loaded.
    void showArsenal();
    /// Reads, fits and shows the session in the file, beside those read before (in place of its
    /// own earlier reading); says why in a message box when it cannot. With remap, the columns
    /// are asked again whatever was known or remembered of them.
    void load(const QString& path, bool remap = false);
    /// The window of the last session loaded, if any.
    ArsenalWindow* arsenalWindow() const;
    /// Waits for a fit under way to end.
    void waitForFit();

signals:
    void throwPair(const ball::Ball1Panel& one, const ball::Ball2Panel& two);
    /// A session was read and fitted: what to confirm.
    void loaded(const std::string& said);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit(ball::Arsenal arsenal, int session);
    void showFitted(const ball::Arsenal& fitted);

    QWidget* window_;
    std::vector<ReadSession> sessions_;  // in the order read
    std::vector<QString> paths_;         // of each
    int current_ = -1;                   // the one shown
    std::vector<std::string> notes_;  // what reading it changed or left out, until 持ち球 says it
    QPointer<ArsenalWindow> shown_;
    FitWorker* fitter_;
    QPointer<QProgressDialog> bar_;  // of the fit under way
    int fitSession_ = -1;            // the session it fits
};
