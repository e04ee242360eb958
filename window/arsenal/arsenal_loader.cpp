#include "arsenal/arsenal_loader.h"

#include <QCoreApplication>
#include <algorithm>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressDialog>

#include "arsenal/arsenal_window.h"
#include "arsenal/column_maps.h"
#include "arsenal/column_map_dialog.h"
#include "arsenal/fit_worker.h"
#include "kit/error_box.h"
#include "kit/on_screen.h"
#include "bullpen/session_import.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The one local .csv file a drag carries, if it carries one.
QString droppedCsv(const QMimeData* data) {
    if (!data || data->urls().size() != 1 || !data->urls()[0].isLocalFile()) return {};
    const QString path = data->urls()[0].toLocalFile();
    return path.endsWith(".csv", Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

ArsenalLoader::ArsenalLoader(QWidget* window)
    : QObject(window), window_(window), fitter_(new FitWorker(this)) {
    connect(fitter_, &FitWorker::progress, this, [this](int done, int total) {
        if (!bar_) return;
        bar_->setMaximum(total);
        bar_->setValue(done);
    });
    connect(fitter_, &FitWorker::finished, this, &ArsenalLoader::showFitted);
    // Stopped by the user: the boxes go back to the cell the tables and the throw still use.
    connect(fitter_, &FitWorker::cancelled, this, [this] {
        if (bar_) bar_->deleteLater();
        if (!shown_) return;
        shown_->showTarget();
        shown_->setSessions(sessions_, current_);
    });
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
}

ArsenalWindow* ArsenalLoader::arsenalWindow() const { return shown_; }

void ArsenalLoader::open() {
    const QString path = QFileDialog::getOpenFileName(
        window_, "投球データを開く", QString(), "CSV ファイル (*.csv *.txt);;すべてのファイル (*)");
    if (!path.isEmpty()) load(path);
}

void ArsenalLoader::showArsenal() {
    if (!shown_) {
        open();
        return;
    }
    present(shown_);
}

bool ArsenalLoader::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!droppedCsv(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
        return !droppedCsv(drag->mimeData()).isEmpty();
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedCsv(drop->mimeData());
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        // After the drop has ended: the load may ask with a dialog of its own.
        QMetaObject::invokeMethod(
            this, [this, path] { load(path); }, Qt::QueuedConnection);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ArsenalLoader::load(const QString& path, bool remap) {
    const QString name = QFileInfo(path).fileName();
    ball::ColumnSources columns;
    columns.remembered = rememberedColumns;
    columns.askAgain = remap;
    columns.ask = [this](const ball::CsvTable& table, const ball::ColumnMap& guess) {
        ColumnMapDialog ask(table, guess, window_);
        if (ask.exec() != QDialog::Accepted) return std::optional<ball::ColumnMap>();
        rememberColumns(table.header, ask.map());
        return std::optional(ask.map());
    };
    ball::SessionImport in =
        ball::importSession(path.toStdString(), name.toStdString(), ball::Language::Japanese, columns);
    if (!in.arsenal) {
        QStringList lines{qs(in.error)};
        for (const std::string& note : in.notes) lines << qs(note);
        if (!in.error.empty()) showError(window_, lines.join('\n'));
        return;
    }
    const auto known = std::find(paths_.begin(), paths_.end(), path);
    const int session = static_cast<int>(known - paths_.begin());
    ReadSession read{name, std::make_shared<const ball::Bullpen>(in.arsenal->bullpen)};
    if (known == paths_.end()) {
        paths_.push_back(path);
        sessions_.push_back(std::move(read));
    } else {
        sessions_[session] = std::move(read);
    }
    // Said once for this reading when 持ち球 shows it.
    notes_ = std::move(in.notes);
    fit(std::move(*in.arsenal), session);
}

void ArsenalLoader::fit(ball::Arsenal arsenal, int session) {
    if (bar_) bar_->deleteLater();
    auto* bar = new QProgressDialog("球種ごとに模型を合わせています…", "中止", 0, 1, window_);
    bar->setObjectName("arsenalProgress");
    bar->setWindowTitle("持ち球");
    bar->setMinimumDuration(500);
    bar->setWindowModality(Qt::WindowModal);
    bar->setValue(0);
    connect(bar, &QProgressDialog::canceled, fitter_, &FitWorker::cancel);
    bar_ = bar;
    fitSession_ = session;
    fitter_->fit(std::move(arsenal));
}

void ArsenalLoader::showFitted(const ball::Arsenal& fitted) {
    if (bar_) bar_->deleteLater();
    if (!shown_) {
        shown_ = new ArsenalWindow(window_);
        connect(shown_, &ArsenalWindow::throwPair, this, &ArsenalLoader::throwPair);
        connect(shown_, &ArsenalWindow::remapColumns, this,
                [this] { load(paths_[current_], true); });
        connect(shown_, &ArsenalWindow::targetChanged, this, [this](int column, int row) {
            ball::Arsenal again = shown_->arsenal();
            again.targetColumn = column, again.targetRow = row;
            fit(std::move(again), current_);
        });
        // Pitches grouped anew, the target and the pairing kept: another session, batters' side
        // or pitcher.
        const auto regroup = [this](const ball::Bullpen& pitches, ball::BatterSide side,
                                    const std::string& pitcher, int session) {
            const ball::Arsenal& now = shown_->arsenal();
            ball::Arsenal again = ball::groupArsenal(pitches, side, pitcher);
            again.targetColumn = now.targetColumn, again.targetRow = now.targetRow;
            again.pairing = now.pairing;
            fit(std::move(again), session);
        };
        // Another session read: its pitches, counted as those shown were.
        connect(shown_, &ArsenalWindow::sessionChanged, this, [this, regroup](int session) {
            const ball::Arsenal& now = shown_->arsenal();
            const ball::Bullpen& pitches = *sessions_[session].bullpen;
            const std::vector<std::string> pitchers = ball::pitchersOf(pitches);
            const bool same = std::count(pitchers.begin(), pitchers.end(), now.pitcher) > 0;
            regroup(pitches, now.batterSide, same ? now.pitcher : std::string(), session);
        });
        connect(shown_, &ArsenalWindow::batterSideChanged, this, [this, regroup](int side) {
            const ball::Arsenal& now = shown_->arsenal();
            regroup(now.bullpen, static_cast<ball::BatterSide>(side), now.pitcher, current_);
        });
        connect(shown_, &ArsenalWindow::pitcherChanged, this,
                [this, regroup](const QString& pitcher) {
                    const ball::Arsenal& now = shown_->arsenal();
                    regroup(now.bullpen, now.batterSide, pitcher.toStdString(), current_);
                });
        connect(shown_, &ArsenalWindow::pairingChanged, this, [this](int pairing) {
            ball::Arsenal again = shown_->arsenal();
            again.pairing = static_cast<ball::Pairing>(pairing);
            fit(std::move(again), current_);
        });
    }
    current_ = fitSession_;
    shown_->setArsenal(fitted, sessions_[current_].name);
    shown_->setSessions(sessions_, current_);
    showArsenal();
    emit loaded(ball::importText(
        ball::Said::Loaded, ball::Language::Japanese,
        {.file = sessions_[current_].name.toStdString(),
         .count = static_cast<long long>(fitted.bullpen.pitches.size())}));
    std::vector<std::string> said = std::move(notes_);
    notes_.clear();  // a fit anew for another cell reads nothing anew
    QStringList lines;
    for (const std::string& line : said) lines << qs(line);
    if (!lines.isEmpty()) showNotice(shown_, lines.join('\n'));
}

void ArsenalLoader::waitForFit() {
    fitter_->waitForFinished();
    QCoreApplication::sendPostedEvents();
}
