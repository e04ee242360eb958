#include "arsenal/arsenal_loader.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressDialog>
#include <QThread>

#include "arsenal/arsenal_window.h"
#include "arsenal/column_maps.h"
#include "arsenal/column_map_dialog.h"
#include "kit/error_box.h"
#include "bullpen/import_messages.h"
#include "session/messages.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The one local .csv file a drag carries, if it carries one.
QString droppedCsv(const QMimeData* data) {
    if (!data || data->urls().size() != 1 || !data->urls()[0].isLocalFile()) return {};
    const QString path = data->urls()[0].toLocalFile();
    return path.endsWith(".csv", Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

ArsenalLoader::ArsenalLoader(QWidget* window) : QObject(window), window_(window) {
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
}

ArsenalLoader::~ArsenalLoader() { stopFit(); }

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
    shown_->show();
    shown_->raise();
    shown_->activateWindow();
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
    const std::string file = name.toStdString();
    ball::CsvTable table;
    try {
        table = ball::readCsv(path.toStdString());
    } catch (const ball::RunError& e) {
        showError(window_, qs(ball::errorMessage(e)));
        return;
    }
    if (const std::string why = ball::unreadableTableMessage(table, file, false); !why.empty()) {
        showError(window_, qs(why));
        return;
    }
    std::optional<ball::ColumnMap> map = ball::knownColumns(table.header);
    const bool remembered = !map;
    if (!map) map = rememberedColumns(table.header);
    ball::Bullpen bullpen;
    if (map && map->usable() && !remap) bullpen = ball::readBullpen(table, *map);
    // Asked for a header not known, again when asked for, and again when a remembered answer
    // reads no row at all (a choice made wrongly once is not kept for ever).
    if (!map || !map->usable() || remap || (remembered && bullpen.pitches.empty())) {
        ColumnMapDialog ask(table, map.value_or(ball::ColumnMap{}), window_);
        if (ask.exec() != QDialog::Accepted) return;
        map = ask.map();
        rememberColumns(table.header, *map);
        bullpen = ball::readBullpen(table, *map);
    }
    if (bullpen.pitches.empty()) {
        const std::string skipped = ball::skippedRowsMessage(bullpen.skippedLines);
        showError(window_,
                  qs(ball::noUsableRowMessage(file) + (skipped.empty() ? "" : "\n" + skipped)));
        return;
    }
    ball::Arsenal arsenal = ball::groupArsenal(std::move(bullpen));
    if (const auto many = ball::typeExcess(arsenal)) {
        showError(window_,
                  qs(ball::tooManyTypesMessage(file, many->pitcher, many->count, many->limit)));
        return;
    }
    path_ = path;
    // Said once for this reading, with the rows it skipped, when 持ち球 shows it.
    notes_ = ball::tableReadingNotes(table, file, false);
    fit(std::move(arsenal), name);
}

void ArsenalLoader::fit(ball::Arsenal arsenal, const QString& file) {
    stopFit();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto result = std::make_shared<ball::Arsenal>(std::move(arsenal));
    auto* progress = new QProgressDialog("球種ごとに模型を合わせています…", "中止", 0, 1, window_);
    progress->setObjectName("arsenalProgress");
    progress->setWindowTitle("持ち球");
    progress->setMinimumDuration(500);
    progress->setWindowModality(Qt::WindowModal);
    progress->setValue(0);
    const QPointer<QProgressDialog> bar(progress);
    QThread* worker = QThread::create([this, result, cancel, bar] {
        ball::FitControl control;
        control.cancel = cancel.get();
        // Said on the window's thread; the loader outlives every fit it starts.
        control.progress = [this, bar](int done, int total) {
            QMetaObject::invokeMethod(
                this,
                [bar, done, total] {
                    if (!bar) return;
                    bar->setMaximum(total);
                    bar->setValue(done);
                },
                Qt::QueuedConnection);
        };
        ball::fitArsenal(*result, control);
    });
    connect(progress, &QProgressDialog::canceled, this, [cancel] { *cancel = true; });
    connect(worker, &QThread::finished, this, [this, worker, bar, result, cancel, file] {
        worker->deleteLater();
        if (bar) bar->deleteLater();
        if (*cancel) {
            // Cancelled by the user, not replaced by a newer fit: the boxes go back to the
            // cell the tables and the throw still use.
            if (shown_ && worker_ == worker) shown_->showTarget();
            return;
        }
        if (!shown_) {
            shown_ = new ArsenalWindow(window_);
            connect(shown_, &ArsenalWindow::throwPair, this, &ArsenalLoader::throwPair);
            connect(shown_, &ArsenalWindow::remapColumns, this, [this] { load(path_, true); });
            connect(shown_, &ArsenalWindow::targetChanged, this, [this](int column, int row) {
                ball::Arsenal again = shown_->arsenal();
                again.targetColumn = column, again.targetRow = row;
                fit(std::move(again), shown_->file());
            });
        }
        shown_->setArsenal(*result, file);
        showArsenal();
        const std::string skipped = ball::skippedRowsMessage(result->bullpen.skippedLines);
        const std::string said = notes_ + (notes_.empty() || skipped.empty() ? "" : "\n") + skipped;
        notes_.clear();  // a fit anew for another cell reads nothing anew
        if (!said.empty()) showNotice(shown_, qs(said));
    });
    worker->setParent(this);  // waited for before the loader goes, then freed with it
    worker_ = worker;
    cancel_ = cancel;
    worker->start();
}

void ArsenalLoader::stopFit() {
    if (!worker_) return;
    *cancel_ = true;
    worker_->wait();
}

void ArsenalLoader::waitForFit() {
    if (worker_) worker_->wait();
    QCoreApplication::sendPostedEvents();
}
