// Form1's actions, the menu bar that shows them with their keys, and the right-click menus.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>

#include "arsenal/arsenal_loader.h"
#include "main/form1.h"
#include "views/picture_box.h"

void Form1::buildActions() {
    // Each works from every window of the program, and says what it does on the status bar.
    const auto action = [this](const QString& text, QKeySequence keys, const QString& tip,
                               auto slot) {
        auto* a = new QAction(text, this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::ApplicationShortcut);
        a->setStatusTip(tip);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
        return a;
    };
    viewActions_ = {
        action("投球の数値…", QKeySequence(Qt::CTRL | Qt::Key_I),
               "描いたボールの数値と変化量の図を開きます", [this] { showFigures(); }),
        action("画像を保存…", QKeySequence::Save, "この窓を PNG か PDF で保存します",
               [this] { askSaveImage("PNG 画像 (*.png)"); }),
        action("軌道を CSV で保存…", QKeySequence(Qt::CTRL | Qt::Key_E),
               "描いたボールの点を CSV で保存します", [this] { askSaveCsv(); }),
        action("印刷…", QKeySequence::Print, "プリンタと部数を選んで印刷します",
               [this] { printWithDialog(); }),
        action("打者から見た投球…", QKeySequence(Qt::CTRL | Qt::Key_B),
               "二つのボールを打席から見て、ゆっくり再生します", [this] { showBatter(); }),
    };
    printAction_ = viewActions_[3];
    for (QAction* a : viewActions_) a->setShortcutVisibleInContextMenu(true);
    QAction* const throws[] = {
        action("ボール１", QKeySequence(Qt::Key_F5), "ボール１のパネルの値で投げ、青で描きます",
               [this] { Command1_Click(); }),
        action("ボール２", QKeySequence(Qt::Key_F6),
               "ボール１が見つけた向きにボール２を投げ、赤で描きます",
               [this] { Command2_Click(); }),
    };
    // Each panel's own menu: a measured pitch into it.
    for (int b = 0; b < 2; ++b) {
        const QKeySequence keys(b == 0 ? Qt::CTRL | Qt::Key_1 : Qt::CTRL | Qt::Key_2);
        measuredActions_[b] =
            action(b == 0 ? "計測値から入力（ボール１）…" : "計測値から入力（ボール２）…", keys,
                   "計測機器で測った投球を、回転か変化量でパネルに入れます",
                   [this, b] { enterMeasured(b + 1); });
        measuredActions_[b]->setShortcutVisibleInContextMenu(true);
        QWidget* panel = ui_.panel(b + 1).frame;
        panel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(panel, &QWidget::customContextMenuRequested, this, [this, panel, b](QPoint at) {
            QMenu menu(this);
            menu.setObjectName("panelMenu");
            menu.addAction(measuredActions_[b]);
            menu.exec(panel->mapToGlobal(at));
        });
    }
    QAction* bullpen = action("投球データを開く…", QKeySequence::Open,
                              "計測機器の CSV を開き、球種ごとの模型とトンネルを示します",
                              [this] { arsenal_->open(); });
    QAction* arsenal = action("持ち球…", {}, "開いた投球データの球種とトンネルを示します",
                              [this] { arsenal_->showArsenal(); });
    QAction* quit = action("終わり", QKeySequence(Qt::CTRL | Qt::Key_Q), "プログラムを終わります",
                           [this] { Command4_Click(); });
    QAction* guide = action("使い方", QKeySequence::HelpContents, "この道具の使い方を開きます",
                            [this] { showHelp(); });
    QAction* about = action("バージョン情報", {}, "版を示します", [this] {
        QMessageBox::about(this, "バージョン情報",
                           "ボールの軌道 " + QCoreApplication::applicationVersion() +
                               "\n投げたボールの軌道を計算し、二つの投球を三つの図で比べます。");
    });

    // The menu bar, above the form.
    auto* bar = new QMenuBar(this);
    bar->setObjectName("menuBar");
    const auto menu = [&](const char* name, const QString& title, QList<QAction*> actions) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(name);
        for (QAction* a : actions) {
            if (a) {
                m->addAction(a);
            } else {
                m->addSeparator();
            }
        }
        connect(m, &QMenu::hovered, this,
                [this](QAction* a) { status_->showMessage(a->statusTip()); });
        // A hint lasts as long as its menu.
        connect(m, &QMenu::aboutToHide, status_, &QStatusBar::clearMessage);
    };
    menu("menuFile", "ファイル(&F)",
         {bullpen, nullptr, viewActions_[1], viewActions_[2], nullptr, printAction_, nullptr, quit});
    menu("menuView", "表示(&V)", {viewActions_[0], viewActions_[4], arsenal});
    menu("menuInput", "入力(&I)",
         {throws[0], throws[1], nullptr, measuredActions_[0], measuredActions_[1]});
    menu("menuHelp", "ヘルプ(&H)", {guide, about});
    layout()->setMenuBar(bar);

    // The Menu key and Shift+F10 open the right-click menu of whatever has the focus.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &Form1::openFocusMenu);
    }
    for (PictureBox* box : ui_.views()) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this, [this, box](QPoint at) {
            QMenu menu(this);
            menu.setObjectName("viewMenu");
            menu.addActions(viewActions_);
            menu.exec(box->mapToGlobal(at));
        });
    }
}

void Form1::openFocusMenu() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus)) return;
    // At the text cursor in a text box, in the middle of anything else.
    const QRect cursor = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint at = cursor.isValid() ? cursor.center() : focus->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
    QCoreApplication::sendEvent(focus, &event);
}
