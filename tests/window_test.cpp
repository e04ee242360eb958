#include <QClipboard>
#include <QDir>
#include <QRegularExpression>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QToolTip>
#include <optional>
#include <QtTest>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStatusBar>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "arsenal/arsenal_loader.h"
#include "arsenal/arsenal_window.h"
#include "bullpen/arsenal_fit.h"
#include "bullpen/column_guess.h"
#include "views/batter_canvas.h"
#include "views/batter_window.h"
#include "files/atomic_file.h"
#include "views/figures_window.h"
#include "main/form1.h"
#include "kit/japanese.h"
#include "views/movement_chart.h"
#include "views/picture_box.h"
#include "kit/shapes.h"
#include "print/print_worker.h"

namespace {

struct World {
    double left, top, right, bottom;
};

const World kSide{-1, 2.2, 20, -0.2};
const World kTop{-1, 1.2, 20, -1.2};
const World kCatcher{-1.2, 2.2, 1.2, -0.2};

bool isBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60; }
bool isRed(QRgb c) { return qRed(c) > 200 && qBlue(c) < 60 && qGreen(c) < 60; }
bool isDark(QRgb c) { return qGray(c) < 128; }

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Form1> form_;

    template <class T>
    T* control(const QString& name) {
        T* w = form_->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QImage image(const char* box) { return control<PictureBox>(box)->grab().toImage(); }

    // The pixel where a world point of a box lands.
    QPoint pixel(const char* box, const World& w, double x, double y) {
        const QRect area = control<PictureBox>(box)->contentsRect();
        return QPoint(int(area.left() + (x - w.left) / (w.right - w.left) * area.width()),
                      int(area.top() + (y - w.top) / (w.bottom - w.top) * area.height()));
    }

    // Whether a pixel passing the test lies within `radius` of p.
    static bool near(const QImage& img, QPoint p, bool (*test)(QRgb), int radius = 2) {
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                const QPoint q = p + QPoint(dx, dy);
                if (img.valid(q) && test(img.pixel(q))) return true;
            }
        }
        return false;
    }
    static int count(const QImage& img, bool (*test)(QRgb)) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) n += test(img.pixel(x, y));
        }
        return n;
    }
    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    static QWidget* nextTabStop(QWidget* w) {
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    }
    QMessageBox* errorBox() { return form_->findChild<QMessageBox*>("errorBox"); }
    static QByteArray file(const char* name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(dir_->path()));
        form_ = std::make_unique<Form1>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() {
        form_.reset();
        QDir::setCurrent(QDir::tempPath());
        dir_.reset();
    }

    // The form at its designed size, with the menu bar above it and the status bar below.
    void window() {
        QCOMPARE(form_->windowTitle(), QString("ボールの軌道"));
        QCOMPARE(control<QWidget>("content")->size(), QSize(1016, 727));
        QCOMPARE(form_->width(), 1016);
        QCOMPARE(control<QWidget>("menuBar")->geometry().bottom() + 1,
                 control<QWidget>("content")->mapTo(form_.get(), QPoint()).y());
        QVERIFY(!form_->windowIcon().isNull());
        QVERIFY(form_->windowIcon().availableSizes().contains(QSize(16, 16)));
    }

    void defaults_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        // Each box starts with its panel struct's default, the one place those values live.
        const ball::Ball1Panel one;
        const ball::Ball2Panel two;
        const std::pair<const char*, std::string> rows[] = {
            {"SpeedTxt_0", one.SpeedTxt_0},       {"Omega0Txt_0", one.Omega0Txt_0},
            {"Omega1Txt_0", one.Omega1Txt_0},     {"thitaTxtBox_0", one.thitaTxtBox_0},
            {"Text2_0", one.Text2_0},             {"Text2_2", one.Text2_2},
            {"TargetPTxt_0", one.TargetPTxt_0},   {"TargetPTxt_1", one.TargetPTxt_1},
            {"SpeedTxt_1", two.SpeedTxt_1},       {"Omega0Txt_1", two.Omega0Txt_1},
            {"Omega1Txt_1", two.Omega1Txt_1},     {"thitaTxtBox_1", two.thitaTxtBox_1},
            {"Text2_4", two.Text2_4},             {"Text2_3", two.Text2_3},
        };
        for (const auto& [name, text] : rows) {
            QTest::newRow(name) << name << QString::fromStdString(text);
        }
    }
    void defaults() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(control<QLineEdit>(name)->text(), text);
    }

    void captions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char* rows[][2] = {
            {"Command1", "ボール１"}, {"Command2", "ボール２"}, {"Command3", "印刷"},
            {"Command4", "終わり"},   {"Label18", "三塁側から見た図"},
            {"Label19", "真上から見た図"}, {"Label20", "キャッチャーから見た図"},
            {"Ball1setFrm", "ボール１"}, {"Ball2Frm", "ボール２"}, {"BallsetFrm_1", "球種選択"},
            {"Frame1", "指定する"},   {"OrdinaryOpb_0", "普通の球"}, {"gyroOpb_1", "ジャイロボール"},
            {"TargetOP_0", "する"},   {"TargetOP_1", "しない"}, {"Label9_1", "キャッチャ位置"},
            {"Label15", " 1   2   3   4  5"}, {"Label16", "1  2  3  4  5"},
        };
        for (const auto& r : rows) QTest::newRow(r[0]) << r[0] << r[1];
    }
    void captions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QWidget* w = control<QWidget>(name);
        QString shown;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) shown = b->text();
        if (auto* l = qobject_cast<QLabel*>(w)) shown = l->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) shown = g->title();
        QCOMPARE(shown, caption);
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("Picture1") << "Picture1" << QRect(0, 0, 537, 321);
        QTest::newRow("Picture2") << "Picture2" << QRect(0, 344, 537, 361);
        QTest::newRow("Picture3") << "Picture3" << QRect(552, 0, 161, 321);
        QTest::newRow("Command4") << "Command4" << QRect(560, 664, 105, 41);
        QTest::newRow("Ball2Frm") << "Ball2Frm" << QRect(712, 464, 297, 257);
        QTest::newRow("SpeedTxt_1") << "SpeedTxt_1" << QRect(88, 32, 81, 25);
        QTest::newRow("Text2_3") << "Text2_3" << QRect(200, 88, 57, 18);
        QTest::newRow("TargetPTxt_1") << "TargetPTxt_1" << QRect(88, 416, 17, 18);
        QTest::newRow("Shape2") << "Shape2" << QRect(144, 328, 49, 73);
    }
    void geometry() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QCOMPARE(control<QWidget>(name)->geometry(), rect);
    }

    // Where a widget puts ink of its own (no background, no children), in window coordinates,
    // at whatever pixel density the screen has; only within `part` of it when one is given.
    QRect ink(QWidget* w, QRect part = {}) {
        const qreal dpr = w->devicePixelRatioF();
        QImage img(w->size() * dpr, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::transparent);
        w->render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
        if (part.isNull()) part = w->rect();
        QRect found;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QPoint p(int(x / dpr), int(y / dpr));
                if (qAlpha(img.pixel(x, y)) > 0 && part.contains(p)) found |= QRect(p, QSize(1, 1));
            }
        }
        return found.translated(w->mapTo(form_.get(), QPoint()));
    }
    QRect inWindow(QWidget* w) { return QRect(w->mapTo(form_.get(), QPoint()), w->size()); }

    void captionsStandClear_data() {
        QTest::addColumn<QString>("name");
        init();
        for (QWidget* w : form_->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(w) || qobject_cast<QRadioButton*>(w) ||
                qobject_cast<FrameBox*>(w)) {
                QTest::newRow(qPrintable(w->objectName())) << w->objectName();
            }
        }
        cleanup();
    }
    // Every caption's ink stays clear of every frame border (but its own frame's title gap),
    // every other control and the window's edge; the row numbers stand level with the rows.
    void captionsStandClear() {
        QFETCH(QString, name);
        QWidget* caption = control<QWidget>(name);
        auto* ownFrame = qobject_cast<FrameBox*>(caption);
        const QRect mine = ownFrame ? ink(caption, ownFrame->titleRect()) : ink(caption);
        QVERIFY(!mine.isEmpty());
        QVERIFY2(form_->rect().contains(mine), "beyond the window's edge");
        // One text size throughout, and room enough for a round indicator.
        QCOMPARE(caption->font().pixelSize(), form_->font().pixelSize());
        if (qobject_cast<QRadioButton*>(caption)) {
            QVERIFY(caption->height() >= caption->sizeHint().height());
        }

        for (FrameBox* f : form_->findChildren<FrameBox*>()) {
            const QRect b = f->borderRect().translated(f->mapTo(form_.get(), QPoint()));
            const QRect top(b.topLeft(), QSize(b.width(), 1));
            QList<QRect> lines = {QRect(b.topLeft(), QSize(1, b.height())),
                                  QRect(b.bottomLeft(), QSize(b.width(), 1)),
                                  QRect(b.topRight(), QSize(1, b.height()))};
            if (f != ownFrame) lines << top;
            for (const QRect& line : lines) {
                QVERIFY2(!mine.intersects(line),
                         qPrintable("crosses the border of " + f->objectName()));
            }
        }
        for (QWidget* other : form_->findChildren<QWidget*>()) {
            if (other == caption || other->isAncestorOf(caption) || !other->isVisible() ||
                qobject_cast<FrameBox*>(other) || other->parent() == nullptr ||
                !other->findChildren<QWidget*>().isEmpty()) {
                continue;
            }
            const bool captionLike =
                qobject_cast<QLabel*>(other) || qobject_cast<QRadioButton*>(other);
            const QRect theirs = captionLike ? ink(other) : inWindow(other);
            QVERIFY2(!mine.intersects(theirs), qPrintable("runs into " + other->objectName()));
        }

        if (name == "Label16") {
            // Each number's ink centred on its row of the grid, within 2 px.
            QWidget* grid = control<QWidget>("Shape1");
            const QRect g = inWindow(grid);
            QList<int> tops, bottoms;
            const QRect all = ink(caption);
            for (int y = all.top(); y <= all.bottom(); ++y) {
                const bool inked = !ink(caption, QRect(0, y - inWindow(caption).top(),
                                                       caption->width(), 1)).isEmpty();
                if (inked && (tops.size() == bottoms.size())) tops << y;
                if (!inked && tops.size() > bottoms.size()) bottoms << y - 1;
            }
            if (tops.size() > bottoms.size()) bottoms << all.bottom();
            QCOMPARE(tops.size(), 5);
            for (int row = 0; row < 5; ++row) {
                const double centre = (tops[row] + bottoms[row]) / 2.0;
                const double rowCentre = g.top() + g.height() * (row + 0.5) / 5;
                QVERIFY2(std::abs(centre - rowCentre) <= 2,
                         qPrintable(QString("row %1: %2 against %3")
                                        .arg(row + 1)
                                        .arg(centre)
                                        .arg(rowCentre)));
            }
        }
    }

    // At any pixel density each grid line runs to within one device pixel of the box's far edge.
    void gridLinesMeetTheirBox() {
        QWidget* box = control<QWidget>("Shape1");
        const QImage img = box->parentWidget()->grab().toImage();
        const qreal dpr = img.devicePixelRatio();
        const QRect g = box->geometry();
        const int right = qRound((g.x() + g.width()) * dpr) - 1;
        const int bottom = qRound((g.y() + g.height()) * dpr) - 1;
        for (QWidget* line : box->parentWidget()->findChildren<LineShape*>()) {
            const QRect l = line->geometry();
            if (!g.contains(l.center())) continue;
            const bool across = l.width() > l.height();
            const QPoint mid = (l.topLeft() + l.bottomRight()) / 2 * dpr;
            int end = across ? qRound(l.x() * dpr) : qRound(l.y() * dpr);
            while (qGray(img.pixel(across ? QPoint(end + 1, mid.y()) : QPoint(mid.x(), end + 1))) < 64) ++end;
            QVERIFY2((across ? right : bottom) - end <= 1, qPrintable(line->objectName()));
        }
    }

    void fitsASmallScreen_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("1280 x 1024 at scale 1.5") << QRect(0, 0, 853, 682) << true;
        QTest::newRow("1366 x 768 laptop") << QRect(0, 0, 1366, 728) << true;
        QTest::newRow("full HD") << QRect(0, 0, 1920, 1040) << false;
    }
    // A window larger than the free area fits it, and every control scrolls into reach; on a
    // large enough screen nothing changes.
    void fitsASmallScreen() {
        QFETCH(QRect, available);
        QFETCH(bool, scrolls);
        form_->fitTo(available);
        QTest::qWait(0);
        if (!scrolls) {
            QCOMPARE(control<QWidget>("content")->size(), QSize(1016, 727));
            QVERIFY(form_->maximumWidth() > 1016 && form_->maximumHeight() > 727);
            return;
        }
        // The views come first: all three in sight, side by side, before any scrolling.
        auto* views = form_->findChild<QScrollArea*>()->viewport();
        for (const char* name : {"Picture1", "Picture2", "Picture3"}) {
            QWidget* w = control<QWidget>(name);
            QVERIFY2(views->rect().contains(QRect(w->mapTo(views, QPoint()), w->size())), name);
        }
        QVERIFY(form_->width() <= available.width() && form_->height() <= available.height());
        auto* area = form_->findChild<QScrollArea*>();
        QVERIFY(area);
        for (const char* name : {"Command4", "Text2_3", "TargetPTxt_1", "Label19", "SpeedTxt_1"}) {
            QWidget* w = control<QWidget>(name);
            const QRect at(w->mapTo(area->widget(), QPoint()), w->size());
            area->ensureVisible(at.center().x(), at.center().y(), at.width() / 2 + 1,
                                at.height() / 2 + 1);
            const QRect shown(w->mapTo(area->viewport(), QPoint()), w->size());
            QVERIFY2(area->viewport()->rect().contains(shown), name);
        }
    }

    void optionGroups_data() {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QStringList>("unchecked");
        QTest::newRow("gyro on panel 1")
            << "gyroOpb_0" << QStringList{"gyroOpb_0", "OrdinaryOpb_1", "TargetOP_0"}
            << QStringList{"OrdinaryOpb_0", "gyroOpb_1"};
        QTest::newRow("gyro on panel 2")
            << "gyroOpb_1" << QStringList{"gyroOpb_1", "OrdinaryOpb_0", "TargetOP_0"}
            << QStringList{"OrdinaryOpb_1", "gyroOpb_0"};
        QTest::newRow("target off")
            << "TargetOP_1" << QStringList{"TargetOP_1", "OrdinaryOpb_0", "OrdinaryOpb_1"}
            << QStringList{"TargetOP_0"};
    }
    void optionGroups() {
        QFETCH(QString, clicked);
        QFETCH(QStringList, checked);
        QFETCH(QStringList, unchecked);
        QTest::mouseClick(control<QRadioButton>(clicked), Qt::LeftButton, {}, QPoint(6, 6));
        for (const QString& n : checked) QVERIFY2(control<QRadioButton>(n)->isChecked(), qPrintable(n));
        for (const QString& n : unchecked) QVERIFY2(!control<QRadioButton>(n)->isChecked(), qPrintable(n));
    }

    void tabOrder() {
        const QStringList chain = {"SpeedTxt_0", "Omega0Txt_0", "Omega1Txt_0", "OrdinaryOpb_0"};
        for (int i = 1; i < chain.size(); ++i) {
            QCOMPARE(nextTabStop(control<QWidget>(chain[i - 1])), control<QWidget>(chain[i]));
        }
        QCOMPARE(nextTabStop(control<QWidget>("TargetPTxt_1")), control<QWidget>("SpeedTxt_1"));
        QCOMPARE(nextTabStop(control<QWidget>("Text2_3")), control<QWidget>("Command1"));
        QCOMPARE(nextTabStop(control<QWidget>("Command3")), control<QWidget>("Command4"));
        // Then the views, for their menu, and round again: no stop that shows nothing.
        QCOMPARE(nextTabStop(control<QWidget>("Command4")), control<QWidget>("Picture1"));
        QCOMPARE(nextTabStop(control<QWidget>("Picture3")), control<QWidget>("SpeedTxt_0"));
    }

    // The Menu key and Shift+F10 open the focused view's menu, every action showing its keys.
    void keyboardOpensTheViewMenu() {
        for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Menu),
                                           QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)}) {
            control<QWidget>("Picture2")->setFocus();
            QStringList shown;
            QTimer::singleShot(50, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (QAction* a : menu->actions()) {
                        if (a->isShortcutVisibleInContextMenu()) shown << a->shortcut().toString();
                    }
                    menu->close();
                }
            });
            QTest::keyClick(control<QWidget>("Picture2"), keys.key(), keys.keyboardModifiers());
            QCOMPARE(shown, (QStringList{"Ctrl+I", "Ctrl+S", "Ctrl+E", "Ctrl+P", "Ctrl+B"}));
        }
    }

    // Qt's own texts speak Japanese too, and Ctrl+P asks where to print first.
    void printDialogInJapanese() {
        QString cancel;
        QTimer::singleShot(50, [&] {
            if (auto* dialog = form_->findChild<QDialog*>("printDialog")) {
                auto* buttons = dialog->findChild<QDialogButtonBox*>();
                cancel = buttons->button(QDialogButtonBox::Cancel)->text();
                dialog->reject();
            }
        });
        QTest::keyClick(form_.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(cancel, QString("キャンセル"));
        QVERIFY(!errorBox());
    }

    // 計測値から入力 (Ctrl+1) fills Ball 1's panel from a measured spin, and from a measured
    // break, after which it says the spin it found.
    void measuredPitchFillsThePanel_data() {
        QTest::addColumn<QStringList>("typed");  // speed, then rpm, efficiency, tilt or the break
        QTest::addColumn<QStringList>("panel");  // speed, both spins, axis
        QTest::newRow("spin") << QStringList{"145", "2300", "95", "1:00"}
                              << QStringList{"145", "36.42", "36.42", "30"};
        QTest::newRow("break") << QStringList{"125", "74.2", "0"}
                               << QStringList{"125", "29.98", "29.98", "0.0"};
    }
    void measuredPitchFillsThePanel() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, panel);
        control<QRadioButton>("gyroOpb_0")->setChecked(true);
        QString found;
        int unnamed = -1;  // boxes a screen reader would meet without a name
        QTimer::singleShot(50, [&] {
            auto* dialog = form_->findChild<QDialog*>("measuredDialog");
            if (!dialog) return;
            unnamed = 0;
            for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
                unnamed += box->accessibleName().isEmpty();
            }
            const bool bySpin = typed.size() == 4;
            dialog->findChild<QRadioButton*>(bySpin ? "bySpin" : "byBreak")->setChecked(true);
            const QStringList fields = bySpin ? QStringList{"measuredSpeed", "measuredRpm",
                                                            "measuredEfficiency", "measuredTilt"}
                                              : QStringList{"measuredSpeed", "measuredVertical",
                                                            "measuredHorizontal"};
            for (int i = 0; i < fields.size(); ++i) {
                dialog->findChild<QLineEdit*>(fields[i])->setText(typed[i]);
            }
            QTimer::singleShot(200, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    found = box->text();
                    box->accept();
                }
            });
            dialog->accept();
        });
        QTest::keyClick(form_.get(), Qt::Key_1, Qt::ControlModifier);
        const QStringList boxes = {"SpeedTxt_0", "Omega0Txt_0", "Omega1Txt_0", "thitaTxtBox_0"};
        for (int i = 0; i < boxes.size(); ++i) QCOMPARE(control<QLineEdit>(boxes[i])->text(), panel[i]);
        QVERIFY(control<QRadioButton>("OrdinaryOpb_0")->isChecked());
        QCOMPARE(found.contains("1799 rpm"), typed.size() == 3);
        QCOMPARE(unnamed, 0);
        // Filled, not thrown: the status bar says so until something else is done.
        QVERIFY(control<QStatusBar>("statusBar")->currentMessage().contains("F5 で投げます"));
    }

    // The status bar confirms what was done; a menu's hint lasts as long as its menu.
    void statusBarConfirms() {
        auto* status = control<QStatusBar>("statusBar");
        click("Command1");
        QVERIFY(status->currentMessage().startsWith("ボール１を投げました"));
        click("Command2");
        QVERIFY(status->currentMessage().startsWith("ボール２を投げました"));
        QVERIFY(form_->saveCsv("saved.csv"));
        QVERIFY(status->currentMessage().contains("saved.csv"));
        // A text that is not a plain number is read as always, and said on the box until edited.
        auto* axis = control<QLineEdit>("thitaTxtBox_0");
        axis->setText("9O");
        click("Command1");
        QCOMPARE(status->currentMessage(), QString("ボール１ 回転軸角度「9O」を 9 と読みました"));
        QCOMPARE(axis->toolTip(), status->currentMessage());
        QVERIFY(!axis->styleSheet().isEmpty());
        QVERIFY(control<QLineEdit>("SpeedTxt_0")->styleSheet().isEmpty());
        QTest::keyClick(axis, Qt::Key_Backspace);
        QVERIFY(axis->styleSheet().isEmpty() && axis->toolTip() != status->currentMessage());
        auto* menu = form_->findChild<QMenu*>("menuFile");
        menu->popup(form_->mapToGlobal(QPoint(0, 0)));
        emit menu->hovered(menu->actions().first());
        QVERIFY(!status->currentMessage().isEmpty());
        menu->hide();
        QVERIFY(status->currentMessage().isEmpty());
    }

    // A session of unknown columns dropped on the window: its columns are asked once and
    // remembered, 持ち球 shows its types, and a pair goes into the panels and is thrown as the two
    // buttons throw it, files and all.
    void sessionDroppedAndAPairThrown() {
        // Names as a hostile file may hold them: shown and copied as text, never run.
        const QString name = "<img src=x>.csv";
        QFile csv(name);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("when;kind;kmh;up;side\n1;<h1>FB</h1>;145;40;-20\n2;<h1>FB</h1>;146;42;-22\n"
                  "3;=CU;120;-30;15\n");
        csv.close();
        int asked = 0, unnamed = 0;  // unnamed: the column dialog's choices without a name
        const auto answer = [&] {
            QTimer::singleShot(50, [&] {
                auto* dialog = form_->findChild<QDialog*>("columnMapDialog");
                if (!dialog || !dialog->isVisible()) return;  // none, or answered already
                ++asked;
                for (QComboBox* c : dialog->findChildren<QComboBox*>()) {
                    unnamed += c->accessibleName().isEmpty();
                }
                const QList<QComboBox*> roles = dialog->findChildren<QComboBox*>("columnRole");
                const std::pair<ball::Role, int> chosen[] = {{ball::Role::Type, 2},
                                                             {ball::Role::Speed, 3},
                                                             {ball::Role::Vertical, 4},
                                                             {ball::Role::Horizontal, 5}};
                for (const auto& [role, item] : chosen) roles[int(role)]->setCurrentIndex(item);
                dialog->accept();
            });
        };
        const auto drop = [&](const QString& file) {
            answer();
            auto* data = new QMimeData;
            data->setUrls({QUrl::fromLocalFile(QDir::current().absoluteFilePath(file))});
            QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(form_.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent event(QPointF(100, 100), Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(form_.get(), &event);
            QVERIFY(event.isAccepted());
            QCoreApplication::sendPostedEvents();  // the load, asking while this drop's answer waits
            QTRY_VERIFY(form_->findChild<ArsenalWindow*>("arsenalWindow"));
            form_->findChild<ArsenalLoader*>()->waitForFit();
            delete data;
        };
        QSettings().remove("columnMaps");
        drop(name);
        drop(name);
        QCOMPARE(asked, 1);
        QCOMPARE(unnamed, 0);
        auto* arsenal = form_->findChild<ArsenalWindow*>("arsenalWindow");
        QTRY_COMPARE(arsenal->findChild<QTableWidget*>("arsenalTypes")->rowCount(), 2);
        // The pitches read, all of them, or the chosen type's.
        auto* pitches = arsenal->findChild<QTableWidget*>("arsenalPitches");
        QCOMPARE(pitches->rowCount(), 3);
        arsenal->findChild<QTableWidget*>("arsenalTypes")->selectRow(1);
        QCOMPARE(pitches->rowCount(), 1);
        auto* source = arsenal->findChild<QLabel*>("arsenalSource");
        QCOMPARE(source->textFormat(), Qt::PlainText);
        QVERIFY(source->text().startsWith(name));
        QTest::keyClick(arsenal, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.contains("\t<h1>FB</h1>\t") && copied.contains("\t'=CU\t"));
        // A refit for another cell, cancelled: the boxes show the cell the tables still use.
        auto* column = arsenal->findChild<QSpinBox*>("arsenalTargetColumn");
        column->setValue(1);
        emit column->editingFinished();
        // The newest bar: those of earlier fits wait to be deleted.
        const auto bars = form_->findChildren<QProgressDialog*>("arsenalProgress");
        QVERIFY(!bars.isEmpty());
        emit bars.last()->canceled();  // as its button does
        form_->findChild<ArsenalLoader*>()->waitForFit();
        QCOMPARE(column->value(), arsenal->arsenal().targetColumn);
        // Consecutive pitches: the fastball then the curveball, once (a fastball after a
        // fastball is no pair).
        auto* pairing = arsenal->findChild<QComboBox*>("arsenalPairing");
        pairing->setCurrentIndex(1);
        emit pairing->activated(1);
        form_->findChild<ArsenalLoader*>()->waitForFit();
        QCOMPARE(arsenal->arsenal().pairing, ball::Pairing::Consecutive);
        QCOMPARE(arsenal->findChild<QTableWidget*>("arsenalPairs")->rowCount(), 1);
        // Chosen again at any time.
        answer();
        QTest::mouseClick(arsenal->findChild<QPushButton*>("arsenalRemap"), Qt::LeftButton);
        form_->findChild<ArsenalLoader*>()->waitForFit();
        QCOMPARE(asked, 2);
        const ball::PitchType& fastball = arsenal->arsenal().types[0];
        QVERIFY(fastball.fitted());
        // By keyboard: Tab leaves a table, and Enter on a pair throws it, as its button (Alt+T).
        auto* pairs = arsenal->findChild<QTableWidget*>("arsenalPairs");
        QVERIFY(!pairs->tabKeyNavigation());
        QVERIFY(arsenal->findChild<QPushButton*>("arsenalThrow")->text().endsWith("(&T)"));
        pairs->setFocus();
        pairs->selectRow(0);
        QTest::keyClick(pairs, Qt::Key_Return);
        QCOMPARE(control<QLineEdit>("SpeedTxt_0")->text(), QString::fromStdString(fastball.model.speed));
        QCOMPARE(control<QLineEdit>("thitaTxtBox_1")->text(),
                 QString::fromStdString(arsenal->arsenal().types[1].model.axis));
        QVERIFY(form_->session().shownBall2());
        QVERIFY(!file("initdir.txt").isEmpty() && !file("Ball1Traj.txt").isEmpty());
        QVERIFY(control<QStatusBar>("statusBar")->currentMessage().contains("持ち球の組"));
        // Each of its controls named for a screen reader.
        for (QWidget* w : arsenal->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith("qt_") ||
                qobject_cast<QLabel*>(w)) {
                continue;  // Qt's own parts, and captions
            }
            const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            QVERIFY2(!QRegularExpression("^[A-Za-z0-9_]*$").match(name).hasMatch(),
                     qPrintable(w->objectName() + " is read as \"" + name + "\""));
        }
        // Ctrl+S there saves 持ち球 itself, not the main window.
        QString saving;
        QTimer::singleShot(300, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                saving = dialog->windowTitle();
                dialog->reject();
            }
        });
        QTest::keyClick(arsenal, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(saving, QString("持ち球を保存"));
        // A week later: a second session beside the first (the same file read again replaced
        // itself above), compared type by type, and either one shown.
        QFile later("week2.csv");
        QVERIFY(later.open(QIODevice::WriteOnly));
        later.write("when;kind;kmh;up;side\n1;<h1>FB</h1>;148;45;-20\n2;<h1>FB</h1>;148;45;-20\n");
        later.close();
        drop("week2.csv");
        auto* sessions = arsenal->findChild<QComboBox*>("arsenalSession");
        QCOMPARE(sessions->count(), 2);
        QCOMPARE(sessions->currentIndex(), 1);
        auto* compared = arsenal->findChild<QTableWidget*>("sessionComparison");
        QCOMPARE(compared->rowCount(), 2);  // FB in both, =CU in the first alone
        QCOMPARE(compared->item(0, 4)->text(), "+2.5");
        emit sessions->activated(0);
        form_->findChild<ArsenalLoader*>()->waitForFit();
        QVERIFY(source->text().startsWith(name));
        QCOMPARE(sessions->currentIndex(), 0);
    }

    // A type's spin changed in a what-if, by keyboard: its break and tunnels as changed, a ghost
    // on the chart while the what-if is open, and the realistic model's columns in the table.
    void whatIfMovesATypeAndItsGhost() {
        const std::string text =
            "pitcher,type,speed_kmh,spin_rpm,efficiency_pct,tilt,ivb_cm,hb_cm\n"
            "A,FB,150,2300,90,1:00,40,22\nA,SL,135,2500,30,9:30,3,-12\n";
        const ball::CsvTable t = ball::parseCsv(text);
        ball::Arsenal a = ball::groupArsenal(ball::readBullpen(t, *ball::knownColumns(t.header)));
        ball::fitArsenal(a);
        ArsenalWindow window(nullptr);
        window.setArsenal(a, "a.csv");
        auto* types = window.findChild<QTableWidget*>("arsenalTypes");
        QCOMPARE(types->item(0, 7)->text(),
                 QString::number(*a.types[0].design.impliedEfficiencyPct, 'f', 1));
        auto* chart = window.findChild<MovementChart*>();
        const QImage before = chart->grab().toImage();
        types->setFocus();
        types->selectRow(0);
        QTest::keyClick(types, Qt::Key_Return);
        auto* dialog = window.findChild<QDialog*>("whatIfDialog");
        QVERIFY(dialog);
        dialog->findChild<QSpinBox*>("whatIfRpm")->setValue(2500);
        QTest::mouseClick(dialog->findChild<QPushButton*>("whatIfShow"), Qt::LeftButton);
        const QString result = dialog->findChild<QLabel*>("whatIfResult")->text();
        QVERIFY2(result.contains("縦 42.1（+2.1） cm、横 23.2（+1.2） cm"), qPrintable(result));
        auto* pairs = dialog->findChild<QTableWidget*>("whatIfPairs");
        QCOMPARE(pairs->rowCount(), 1);
        QVERIFY(pairs->item(0, 1)->text().contains(" → "));
        QVERIFY(chart->grab().toImage() != before);
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(chart->grab().toImage(), before);
    }

    // Twenty types on 持ち球's chart: the legend grows a row at a time to hold every name.
    void chartLegendHoldsEveryType() {
        MovementChart chart(nullptr, 360, 3);
        const int three = chart.height();
        std::vector<ball::ChartGroup> groups;
        for (int i = 0; i < 20; ++i) groups.push_back({"Sato, Kenta Type " + std::to_string(i), {}, {}});
        chart.setTypes(groups);
        QVERIFY(chart.height() >= three + 7 * (chart.fontMetrics().height() + 2));
    }

    // A folder another program holds for a moment: the click waits off the window's thread,
    // says so in the status bar, and is thrown once the folder is free; at start, a pair a
    // stopped click left half replaced is put back once the folder is free, and said.
    void aFolderHeldForAMomentIsWaitedFor() {
        const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
        ::flock(folder, LOCK_SH);
        click("Command1");
        auto* status = control<QStatusBar>("statusBar");
        QVERIFY(status->currentMessage().contains("空くのを待っています"));
        QTest::qWait(300);
        QVERIFY(file("Ball1Traj.txt").isEmpty());
        ::flock(folder, LOCK_UN);
        QTRY_VERIFY(!file("Ball1Traj.txt").isEmpty());
        QVERIFY(!errorBox());
        const QByteArray traj = file("Ball1Traj.txt");
        if (::fork() == 0) {
            ball::ReplaceGroup files;
            files.add("initdir.txt", "new", ball::FileRole::Initdir);
            files.add("Ball1Traj.txt", "new", ball::FileRole::Ball1Traj);
            files.commit(nullptr, [](std::size_t renamed) { ::_exit(renamed == 1 ? 0 : 1); });
        }
        ::wait(nullptr);
        QCOMPARE(file("initdir.txt"), QByteArray("new"));
        ::flock(folder, LOCK_SH);
        Form1 started;
        status = started.findChild<QStatusBar*>("statusBar");
        QVERIFY(status->currentMessage().contains("空いてから確かめます"));
        ::close(folder);
        QTRY_VERIFY(status->currentMessage().contains("その前の組に戻しました"));
        QCOMPARE(file("Ball1Traj.txt"), traj);
    }

    // 打者から見た投球 plays both balls from release to the plate at 1x, and stops there.
    void batterWindowPlaysToThePlate() {
        click("Command1");
        click("Command2");
        QTest::keyClick(form_.get(), Qt::Key_B, Qt::ControlModifier);
        auto* batter = form_->findChild<BatterWindow*>("batterWindow");
        QVERIFY(batter);
        QTRY_VERIFY(batter->isVisible());
        QVERIFY(batter->isPlaying());
        control<QComboBox>("batterSpeed")->setCurrentIndex(0);  // 1x
        QTRY_VERIFY_WITH_TIMEOUT(!batter->isPlaying(), 3000);
        QCOMPARE(batter->time(), form_->session().batterScene().endTime);
        QCOMPARE(control<QLabel>("batterSeparation")->text(), QString("判断点での間隔: 31.0 cm"));
        // Opened again where it stood off the screen: brought wholly onto it.
        batter->move(5000, 5000);
        form_->showBatter();
        QVERIFY(batter->screen()->availableGeometry().contains(batter->frameGeometry()));
    }

    // A larger window: the views grow and their drawings with them; the panels and buttons
    // keep their size beside and below them.
    void growsWithTheWindow() {
        form_->resize(1600, 1100);
        QTest::qWait(0);
        // The views fill the width the panels leave and the height, each by its own factor;
        // the gaps between the views (15 px across, 23 down) and the room below them (22 px)
        // keep their size.
        const QSize content = control<QWidget>("content")->size();
        const double kx = (content.width() - 304 - 15.0) / (712 - 15);
        const double ky = (content.height() - 45.0) / (727 - 45);
        QCOMPARE(control<QWidget>("Picture1")->size(), QSize(qRound(537 * kx), qRound(321 * ky)));
        // No blank quarter: the panels stand at the right edge, as at the designed size (to the
        // views' rounding).
        const int margin = content.width() - control<QWidget>("Ball2Frm")->geometry().right();
        QVERIFY2(std::abs(margin - (1016 - 1008)) <= 1, qPrintable(QString::number(margin)));
        const QRect p3 = control<QWidget>("Picture3")->geometry();
        QCOMPARE(control<QWidget>("Ball2Frm")->geometry(),
                 QRect(p3.x() + p3.width() - 1, 464, 297, 257));
        QCOMPARE(control<QWidget>("Command1")->geometry().top(), p3.y() + p3.height() + 39);
        QCOMPARE(control<QWidget>("Command1")->size(), QSize(105, 41));
        click("Command1");
        QVERIFY(near(image("Picture1"), pixel("Picture1", kSide, 8.2795, 1.5623), isBlue));
    }

    void ball1PaintsBlue() {
        click("Command1");
        QVERIFY(QFile::exists("initdir.txt"));
        QVERIFY(file("Ball1Traj.txt").startsWith("114\r\n"));
        QVERIFY(!errorBox());
        // Point 50 of the default Ball 1: y 8.2795, z 1.5623, on the centre line.
        struct Check {
            const char* box;
            World world;
            double x, y;
        };
        const Check checks[] = {{"Picture1", kSide, 8.2795, 1.5623},
                                {"Picture2", kTop, 8.2795, 0},
                                {"Picture3", kCatcher, 0, 1.5623},
                                {"Picture3", kCatcher, 0, 0.8494}};
        for (const Check& c : checks) {
            const QImage img = image(c.box);
            QVERIFY2(near(img, pixel(c.box, c.world, c.x, c.y), isBlue), c.box);
            QCOMPARE(count(img, isRed), 0);
        }
    }

    void ball2PaintsRedUnderBlue() {
        click("Command1");
        const QByteArray traj = file("Ball1Traj.txt");
        const QByteArray initdir = file("initdir.txt");
        click("Command2");
        QVERIFY(!errorBox());
        for (const char* box : {"Picture1", "Picture2", "Picture3"}) {
            const QImage img = image(box);
            QVERIFY2(count(img, isRed) > 20, box);
            QVERIFY2(count(img, isBlue) > 20, box);
        }
        // Both leave the hand at the same point; blue is drawn last.
        const QImage side = image("Picture1");
        const QPoint release = pixel("Picture1", kSide, 0.3, 1.754);
        QVERIFY(near(side, release, isBlue, 1));
        // Ball 2 (shoot, 10 rev/s) ends low and to +x: red where the catcher view puts it.
        QVERIFY(near(image("Picture3"), pixel("Picture3", kCatcher, -0.30, 0.03), isRed, 3));
        QCOMPARE(file("Ball1Traj.txt"), traj);
        QCOMPARE(file("initdir.txt"), initdir);

        click("Command1");
        for (const char* box : {"Picture1", "Picture2", "Picture3"}) {
            QCOMPARE(count(image(box), isRed), 0);
        }
    }

    // An aim that never reaches the catcher is drawn as always, then said once.
    void anAimThatMissesIsSaid() {
        control<QLineEdit>("SpeedTxt_0")->setText("56");
        control<QLineEdit>("thitaTxtBox_0")->setText("180");
        click("Command1");
        QVERIFY(count(image("Picture1"), isBlue) > 20);
        QVERIFY(!errorBox());
        const QList<QMessageBox*> notices =
            form_->findChildren<QMessageBox*>("noticeBox", Qt::FindDirectChildrenOnly);
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0]->text().contains("速度を上げる"));
    }

    // The session's message in a box; the window stays open and keeps its drawing.
    void errorKeepsWindowAndDrawing_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("folderHeld");  // by another program, all along
        QTest::newRow("Ball 2 without initdir.txt") << "Command2"
                                                    << "initdir.txt" << false;
        QTest::newRow("speed 0") << "Command1"
                                 << "division by zero" << false;
        QTest::newRow("a folder another program holds")
            << "Command1" << "ほかのプログラムがフォルダ「.」のファイルを使っています" << true;
    }
    void errorKeepsWindowAndDrawing() {
        QFETCH(QString, button);
        QFETCH(QString, message);
        QFETCH(bool, folderHeld);
        control<QLineEdit>("SpeedTxt_0")->setText("0");
        const QImage before = image("Picture1");
        const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
        if (folderHeld) ::flock(folder, LOCK_SH);
        QElapsedTimer answered;
        answered.start();
        click(button.toUtf8());
        QVERIFY(answered.elapsed() < 100);  // waits for the folder off the window's thread
        QTRY_VERIFY(errorBox());
        ::close(folder);
        QMessageBox* box = errorBox();
        QTRY_VERIFY(box->isVisible());
        QVERIFY2(box->text().contains(message), qPrintable(box->text()));
        QCOMPARE(box->textFormat(), Qt::PlainText);
        // Wide enough that the Japanese lines break only where the message does.
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        for (const QString& line : box->text().split('\n')) {
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(line));
        }
        QVERIFY(form_->isVisible());
        QCOMPARE(image("Picture1"), before);
        box->close();
        QTRY_VERIFY(!errorBox());
    }

    void labelsWhereTheFrameSaysSo_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        // Top-left corners of labels; the text lies right of and below them.
        QTest::newRow("side distance 10") << "Picture1" << 9.8 << -0.05;
        QTest::newRow("side height 1.5") << "Picture1" << -0.9 << 1.5;
        QTest::newRow("top lateral -1") << "Picture2" << -0.9 << -1.0;
        QTest::newRow("catcher lateral -.5") << "Picture3" << -0.7 << -0.05;
    }
    void labelsWhereTheFrameSaysSo() {
        QFETCH(QString, box);
        QFETCH(double, x);
        QFETCH(double, y);
        click("Command1");
        const QByteArray name = box.toUtf8();
        const World& w = box == "Picture1" ? kSide : box == "Picture2" ? kTop : kCatcher;
        const QImage img = image(name);
        const QPoint at = pixel(name, w, x, y);
        int dark = 0;
        for (int dy = 1; dy < 14; ++dy) {
            for (int dx = 1; dx < 20; ++dx) {
                const QPoint q = at + QPoint(dx, dy);
                dark += img.valid(q) && isDark(img.pixel(q));
            }
        }
        QVERIFY2(dark > 5, qPrintable(QString::number(dark)));
    }

    void repaintsAfterBeingHidden() {
        click("Command1");
        const QImage drawn = image("Picture2");
        form_->showMinimized();
        form_->hide();
        form_->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QCOMPARE(image("Picture2"), drawn);
    }

    // The figures window follows each run, a figure of the two balls spanning both columns, and
    // copies as tab-separated text.
    void figuresAfterEachRun() {
        QTest::keyClick(form_.get(), Qt::Key_I, Qt::ControlModifier);
        auto* figures = form_->findChild<FiguresWindow*>("figuresWindow");
        QVERIFY(figures);
        QTRY_VERIFY(figures->isVisible());
        QVERIFY(!figures->isModal());
        click("Command1");
        QVERIFY(figures->tabSeparated().contains("\nプレートでの高さ (cm)\t84.9\t—\n"));
        // At the size of its contents, nothing selected, and a line on the decision point.
        auto* table = figures->findChild<QTableWidget*>("figuresTable");
        QVERIFY(!table->verticalScrollBar()->isVisible() && !table->currentItem());
        QVERIFY(table->viewport()->height() >= table->verticalHeader()->length());
        QVERIFY(control<QLabel>("decisionPointNote")->text().contains("7.25 m"));
        click("Command2");
        const QString both = figures->tabSeparated();
        // Ball 2 bounces 4 cm before the plate: nothing of it there, nor of the pair.
        QVERIFY(both.startsWith("\tボール１\tボール２\nプレートでの左右 (cm、捕手から見て右が＋)"
                                "\t0.0\tワンバウンド（リリースから 18.4 m）\n"));
        QVERIFY(both.endsWith("\n到着の時間差 (ms、ボール２−ボール１)"
                              "\tボール２がワンバウンド（リリースから 18.4 m）\t\n"));
        // One sign for a break, + to the pitcher's right as devices give it: Ball 2's 3:00
        // break (28.7 cm toward third base) reads +28.7 and, on the chart seen from behind the
        // pitcher, plots right of the centre.
        QVERIFY(both.contains("\n横の変化量 (cm、三塁側が＋)\t0.0\t28.7\n"));
        const QImage chart = control<QWidget>("movementChart")->grab().toImage();
        int red = 0, rightOfCentre = 0;
        for (int y = 0; y < chart.height(); ++y) {
            for (int x = 0; x < chart.width(); ++x) {
                if (!isRed(chart.pixel(x, y)) || y > chart.height() * 3 / 4) continue;  // legend
                ++red;
                rightOfCentre += x > chart.width() / 2;
            }
        }
        QVERIFY(red > 10 && rightOfCentre == red);
        QApplication::clipboard()->clear();
        QTest::keyClick(figures, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), both);
        // A panel edited since its ball was drawn is marked until that ball is thrown again.
        control<QLineEdit>("SpeedTxt_0")->setText("130");
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("ボール１（パネル変更）"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("ボール２"));
        click("Command1");
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("ボール１"));
        QTest::keyClick(figures, Qt::Key_Escape);
        QVERIFY(!figures->isVisible());
    }

    // Saved files: the CSV of the balls shown, the PNG is the window's size, the PDF one
    // landscape page.
    void savesTheResult() {
        click("Command1");
        click("Command2");
        QVERIFY(form_->saveCsv("pitches.csv"));
        QCOMPARE(file("pitches.csv").toStdString(), form_->session().csv());
        QVERIFY(file("pitches.csv").count('\n') > 200);

        QVERIFY(form_->saveImage("window.png"));
        QCOMPARE(QImage("window.png").size(), QSize(1016, 727));

        QVERIFY(form_->saveImage("window.pdf"));
        const QByteArray pdf = file("window.pdf");
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                     pdf.count("/Type /Page/") + pdf.count("/Type /Page "),
                 1);
        const QRegularExpressionMatch box =
            QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]").match(QString::fromLatin1(pdf));
        QVERIFY(box.hasMatch());
        QVERIFY(box.captured(1).toDouble() > box.captured(2).toDouble());
    }

    // A saved page's text is found by a search, the captions that share a glyph with a CJK
    // radical included.
    void savedPdfTextSearches() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("no pdftotext");
        QVERIFY(form_->saveImage("window.pdf"));
        QProcess text;
        text.start("pdftotext", {"window.pdf", "-"});
        QVERIFY(text.waitForFinished());
        const QString found = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* caption : {"真上から見た図", "回転軸角度", "水平からの角度"}) {
            QVERIFY2(found.contains(QString::fromUtf8(caption)), caption);
        }
    }

    // The page goes off the window's thread; 印刷 waits meanwhile.
    void printWithoutPrinter() {
        click("Command3");
        QVERIFY(!control<QPushButton>("Command3")->isEnabled());
        QTRY_VERIFY(errorBox());
        QVERIFY(control<QPushButton>("Command3")->isEnabled());
        QMessageBox* box = errorBox();
        QVERIFY2(box->text().contains("プリンタ"), qPrintable(box->text()));
        auto* offer = box->findChild<QPushButton*>("savePdfButton");
        QVERIFY(offer);
        QCOMPARE(offer->text(), QString("PDFとして保存…"));
    }

    // A print server that never answers: the job is ended at its deadline, said as late, and
    // 印刷 comes back.
    void aSilentPrintServerMeetsTheDeadline() {
        form_->findChild<PrintWorker*>()->setSender(
            [](const QByteArray&, const PrintChoice&, const std::shared_ptr<PrintStop>& stop) {
                while (stop->why() == PrintStop::Why::None) QThread::msleep(5);
                return PrintOutcome{stop->why() == PrintStop::Why::Late ? "late" : "stopped"};
            },
            std::chrono::milliseconds(100));
        click("Command3");
        QVERIFY(!control<QPushButton>("Command3")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(errorBox(), 2000);
        QCOMPARE(errorBox()->text(), QString("late"));
        QVERIFY(control<QPushButton>("Command3")->isEnabled());
    }

    // A view's tooltip speaks of the world point under the mouse: the distance of the drawn
    // point nearest it in the catcher's view, of the mouse itself from the side and above.
    void tooltipAtTheWorldPoint_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("distance");
        QTest::newRow("side") << "Picture1" << 8.2795 << 1.5623 << 8.28;
        QTest::newRow("top") << "Picture2" << 12.0 << 0.3 << 12.0;
        QTest::newRow("catcher, point 50") << "Picture3" << 0.0 << 1.5623 << 8.28;
        QTest::newRow("catcher, at the plate") << "Picture3" << 0.0 << 0.8494 << 18.44;
    }
    void tooltipAtTheWorldPoint() {
        QFETCH(QString, box);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, distance);
        click("Command1");
        const QByteArray name = box.toUtf8();
        const World& w = box == "Picture1" ? kSide : box == "Picture2" ? kTop : kCatcher;
        auto* view = control<PictureBox>(name);
        const QPoint at = pixel(name, w, x, y);
        QHelpEvent help(QEvent::ToolTip, at, view->mapToGlobal(at));
        QApplication::sendEvent(view, &help);
        const QRegularExpressionMatch said =
            QRegularExpression("^距離 ([0-9.]+) m\n").match(QToolTip::text());
        QVERIFY2(said.hasMatch(), qPrintable(QToolTip::text()));
        QVERIFY2(std::abs(said.captured(1).toDouble() - distance) < 0.2, qPrintable(QToolTip::text()));
    }

    // The page shows the window as it stands: 印刷 greys out only once the page is drawn, and
    // then with 印刷… (Ctrl+P).
    void printedPageShowsPrintEnabled() {
        struct PaintWatch : QObject {
            std::optional<bool> enabled;
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (event->type() == QEvent::Paint && !enabled) {
                    enabled = static_cast<QWidget*>(watched)->isEnabled();
                }
                return false;
            }
        } watch;
        auto* button = control<QPushButton>("Command3");
        button->installEventFilter(&watch);
        form_->Command3_Click();
        button->removeEventFilter(&watch);
        QVERIFY(watch.enabled.has_value());
        QVERIFY(*watch.enabled);
        // Neither the button nor Ctrl+P sends another page meanwhile.
        QVERIFY(!button->isEnabled());
        int printActions = 0;
        for (QAction* a : form_->actions()) {
            if (a->shortcut() != QKeySequence::Print) continue;
            QVERIFY(!a->isEnabled());
            ++printActions;
        }
        QCOMPARE(printActions, 1);
        QTRY_VERIFY(errorBox());
    }

    // Found without a manual: four menus in the bar, and every control a screen reader meets
    // named in the words the user reads, never by its identifier.
    void menusAndNamesForPeople() {
        QStringList menus;
        for (QAction* a : control<QMenuBar>("menuBar")->actions()) menus << a->text();
        QCOMPARE(menus, (QStringList{"ファイル(&F)", "表示(&V)", "入力(&I)", "ヘルプ(&H)"}));
        const QRegularExpression identifier("^[A-Za-z0-9_]*$");
        // The form and every window of its own the program opens from it.
        form_->showBatter();
        form_->showFigures();
        form_->showHelp();
        QList<QWidget*> controls = control<QWidget>("content")->findChildren<QWidget*>();
        for (const char* window : {"batterWindow", "figuresWindow"}) {
            controls += control<QWidget>(window)->findChildren<QWidget*>();
        }
        for (QWidget* w : controls) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractButton*>(w) &&
                !qobject_cast<PictureBox*>(w) && !qobject_cast<QSlider*>(w) &&
                !qobject_cast<QComboBox*>(w) && !qobject_cast<QTableWidget*>(w) &&
                !dynamic_cast<BatterCanvas*>(w)) {
                continue;
            }
            if (w->inherits("QTableCornerButton")) continue;  // a table's own, not ours
            const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            QVERIFY2(!identifier.match(name).hasMatch(),
                     qPrintable(w->objectName() + " (" + w->metaObject()->className() +
                                ") is read as \"" + name + "\""));
        }
        // The target grid's lines and fills are drawing, passed over, not read as its frame.
        for (QWidget* w : control<QWidget>("content")->findChildren<QWidget*>()) {
            if (!qobject_cast<LineShape*>(w) && !qobject_cast<RectShape*>(w)) continue;
            QVERIFY(QAccessible::queryAccessibleInterface(w)->state().invisible);
        }
    }

    // The keyboard alone: start typing a speed, Enter throws, the figures and the batter's view
    // open from any window and close with Escape, F6 throws Ball 2.
    void keyboardRoute() {
        QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>("SpeedTxt_0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "100");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!file("Ball1Traj.txt").startsWith("114\r\n"));  // 125 km/h has 114 points
        QVERIFY(!file("Ball1Traj.txt").isEmpty());
        QTest::keyClick(form_.get(), Qt::Key_B, Qt::ControlModifier);
        auto* batter = control<BatterWindow>("batterWindow");
        QTRY_VERIFY(batter->isVisible());
        QTest::keyClick(batter, Qt::Key_I, Qt::ControlModifier);  // from the batter's window
        auto* figures = control<FiguresWindow>("figuresWindow");
        QTRY_VERIFY(figures->isVisible());
        QVERIFY(figures->tabSeparated().endsWith("\t—\t\n"));  // one ball: no arrival gap
        QTest::keyClick(figures, Qt::Key_F6);
        QVERIFY(!figures->tabSeparated().endsWith("\t—\t\n"));
        QVERIFY(!errorBox());
        QTest::keyClick(figures, Qt::Key_Escape);
        QVERIFY(!figures->isVisible());
        QTest::keyClick(batter, Qt::Key_Escape);
        QVERIFY(!batter->isVisible());
        QTest::keyClick(form_.get(), Qt::Key_F1);  // the guide, from the program itself
        auto* help = control<QTextBrowser>("helpWindow");
        QTRY_VERIFY(help->isVisible());
        QVERIFY(help->toPlainText().contains("キャッチャーから見て左が 1"));
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    // In the batter's window a key goes first to the control that has the focus: Space presses
    // the focused frame-step button rather than starting the replay.
    void batterKeysGoToTheFocusedControl() {
        click("Command1");
        form_->showBatter();
        auto* batter = control<BatterWindow>("batterWindow");
        batter->setPlaying(false);
        batter->seek(0);
        auto* forward = control<QPushButton>("batterForward");
        forward->setFocus();
        QTest::keyClick(forward, Qt::Key_Space);
        QVERIFY(!batter->isPlaying());
        QVERIFY(batter->time() > 0);
        QTest::keyClick(batter, Qt::Key_Space);  // where no control wants it: play
        QVERIFY(batter->isPlaying());
    }

    // With no printer, the print dialog says so in full and offers the page as a PDF.
    void printDialogOffersAPdf() {
        bool offered = false, whole = false;
        QTimer::singleShot(300, [&] {
            auto* dialog = form_->findChild<QDialog*>("printDialog");
            if (!dialog) return;
            auto* pdf = dialog->findChild<QPushButton*>("savePdfButton");
            offered = pdf && pdf->isVisible();
            for (QLabel* l : dialog->findChildren<QLabel*>()) {
                if (!l->wordWrap() || !l->isVisible()) continue;
                whole = l->height() >= l->heightForWidth(l->width());
            }
            dialog->reject();
        });
        QTest::keyClick(form_.get(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(offered);
        QVERIFY(whole);
    }

    // At every size the window can take, no view, button, panel or caption covers another.
    void nothingOverlapsAtAnySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest") << QSize(0, 0);
        QTest::newRow("800 x 600") << QSize(800, 600);
        QTest::newRow("1600 x 1100") << QSize(1600, 1100);
    }
    void nothingOverlapsAtAnySize() {
        QFETCH(QSize, size);
        form_->resize(size);
        QTest::qWait(0);
        QWidget* content = control<QWidget>("content");
        QList<QPair<QString, QRect>> placed;
        for (QWidget* w : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            // A caption by its ink; a control within its border, which may touch its
            // neighbour's as it was designed to.
            const bool caption = qobject_cast<QLabel*>(w);
            placed.append({w->objectName(), caption ? ink(w) : inWindow(w).adjusted(1, 1, -1, -1)});
        }
        for (int i = 0; i < placed.size(); ++i) {
            for (int j = i + 1; j < placed.size(); ++j) {
                QVERIFY2(!placed[i].second.intersects(placed[j].second),
                         qPrintable(placed[i].first + " covers " + placed[j].first));
            }
        }
    }

    void closeEnds() {
        click("Command4");
        QVERIFY(!form_->isVisible());
    }
};

int main(int argc, char* argv[]) {
    // No print server: printing must say so instead of printing nowhere.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    // The user's settings stay the user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication app(argc, argv);
    speakJapanese(app);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
