#pragma once

#include <QWidget>

#include "bullpen/arsenal.h"
#include "arsenal/session_comparison.h"
#include "session/batter_view.h"

class BatterCanvas;
class MovementChart;
class PairTable;
class PitchTable;
class QComboBox;
class QSplitter;
class SessionComparison;
class TypeTable;
class QLabel;
class QSpinBox;
class QTableWidget;

/// "持ち球": a measured session's pitch types, device and model figures side by side, every
/// pitch on the movement chart, and how each pair of a pitcher's types tunnels; a pair goes
/// into the panels from here.
class ArsenalWindow : public QWidget {
    Q_OBJECT

public:
    explicit ArsenalWindow(QWidget* parent);

    /// Shows an arsenal read from a file, fitted.
    void setArsenal(const ball::Arsenal& arsenal, const QString& file);
    const ball::Arsenal& arsenal() const { return arsenal_; }
    /// Puts the target boxes and the pairing back to those the arsenal shown was fitted for.
    void showTarget();
    /// The sessions read, the latest last, and the one shown: to choose one, and to compare two.
    void setSessions(std::vector<ReadSession> sessions, int current);
    /// The name of the file it was read from.
    const QString& file() const { return file_; }

signals:
    /// The user asked for the chosen pair in the panels, thrown.
    void throwPair(const ball::Ball1Panel& one, const ball::Ball2Panel& two);
    /// The user picked another target cell for every Ball 1: the arsenal is to be fitted anew.
    void targetChanged(int column, int row);
    /// The user picked another way to pair the types (a ball::Pairing): to be fitted anew.
    void pairingChanged(int pairing);
    /// The user picked the batters whose pitches count (a ball::BatterSide): to be read anew.
    void batterSideChanged(int side);
    /// The user picked one pitcher (empty: every one): to be read anew.
    void pitcherChanged(const QString& pitcher);
    /// The user picked another of the sessions read: to be shown instead.
    void sessionChanged(int session);
    /// The user asked to choose the file's columns again.
    void remapColumns();

protected:
    bool event(QEvent* event) override;

private:
    /// Asks where, then saves 持ち球: an image of it (PNG or a PDF page), or its tables as CSV.
    void askSave();
    void throwChosen();
    void showChosen();

    ball::Arsenal arsenal_;
    QString file_;
    QLabel* source_;
    QSpinBox* column_;
    QSpinBox* row_;
    QComboBox* pairing_;
    QComboBox* batters_;
    QLabel* battersLabel_;
    QComboBox* sessions_;
    QLabel* sessionsLabel_;
    QComboBox* pitchers_;
    QLabel* pitchersLabel_;
    TypeTable* types_;
    PairTable* pairs_;
    PitchTable* pitches_;
    SessionComparison* compare_;
    QSplitter* body_;
    MovementChart* chart_;
    ball::BatterScene pairScene_;  // of the pair chosen
    BatterCanvas* pairView_;
};
