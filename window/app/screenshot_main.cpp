// Saves a picture of the window after "ボール１" and "ボール２" at the default values, drawn
// offscreen, for the README; one of "投球の数値" when a second name is given, and one of
// "打者から見た投球" at the decision instant, at 1/4 speed, when a third is:
// ballview-screenshot OUT.png [FIGURES.png [BATTER.png]]
// and "持ち球" of a measured session: ballview-screenshot --arsenal SESSION.csv OUT.png
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QStatusBar>
#include <QTemporaryDir>
#include <algorithm>

#include "arsenal/arsenal_loader.h"
#include "arsenal/arsenal_window.h"
#include "views/batter_window.h"
#include "main/form1.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2 || argc > 4) return 2;
    const QString out = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    const QDir here = QDir::current();
    if (QString(argv[1]) == "--arsenal" && argc == 4) {
        Form1 form;
        auto* loader = form.findChild<ArsenalLoader*>();
        loader->load(here.absoluteFilePath(QString::fromLocal8Bit(argv[2])));
        loader->waitForFit();
        QWidget* arsenal = loader->arsenalWindow();
        if (!arsenal) return 1;
        arsenal->resize(1480, 640);  // as on a desktop wider than the offscreen screen
        QApplication::processEvents();
        return arsenal->grab().save(here.absoluteFilePath(QString::fromLocal8Bit(argv[3]))) ? 0 : 1;
    }

    QTemporaryDir work;  // the runs write their files into the working folder
    if (!work.isValid() || !QDir::setCurrent(work.path())) return 1;
    Form1 form;
    form.show();
    form.Command1_Click();
    form.Command2_Click();
    // The picture of the window at rest: a click's confirmation lasts only a few seconds.
    form.findChild<QStatusBar*>("statusBar")->clearMessage();
    QApplication::processEvents();
    if (!form.grab().save(out)) return 1;
    if (argc >= 3) {
        form.showFigures();
        QApplication::processEvents();
        auto* figures = form.findChild<QWidget*>("figuresWindow");
        const QString name = here.absoluteFilePath(QString::fromLocal8Bit(argv[2]));
        if (!figures || !figures->grab().save(name)) return 1;
    }
    if (argc == 4) {
        form.showBatter();
        auto* batter = form.findChild<BatterWindow*>("batterWindow");
        if (!batter) return 1;
        batter->setPlaying(false);
        batter->findChild<QComboBox*>("batterSpeed")->setCurrentIndex(1);
        // Both balls just past the decision point: the separation shows.
        const ball::BatterScene scene = form.session().batterScene();
        batter->seek(std::max(scene.decision[0]->time, scene.decision[1]->time));
        QApplication::processEvents();
        const QString name = here.absoluteFilePath(QString::fromLocal8Bit(argv[3]));
        if (!batter->grab().save(name)) return 1;
    }
    return 0;
}
