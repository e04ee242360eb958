#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "bullpen/arsenal.h"

class QComboBox;
class QLabel;
class QTableWidget;

/// A session read into 持ち球: the name of its file and its pitches.
struct ReadSession {
    QString name;
    std::shared_ptr<const ball::Bullpen> bullpen;
};

/// 持ち球's comparison of two sessions read (last week's and this week's): for each type, its
/// counts in both and how its figures moved from the one chosen as 前 to the one chosen as 後.
class SessionComparison : public QWidget {
    Q_OBJECT

public:
    explicit SessionComparison(QWidget* parent);

    /// The sessions read, the latest last, and which pitches count, as 持ち球 counts them: 前 is
    /// the one before the latest, 後 the latest, until the user picks others.
    void setSessions(std::vector<ReadSession> sessions, ball::BatterSide side,
                     const std::string& pitcher);
    const QTableWidget* table() const { return table_; }

private:
    void fill();

    std::vector<ReadSession> sessions_;
    ball::BatterSide side_ = ball::BatterSide::All;
    std::string pitcher_;
    QComboBox* before_;
    QComboBox* after_;
    QLabel* note_;
    QTableWidget* table_;
};
