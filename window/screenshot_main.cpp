// Saves a picture of the window after "ボール１" and "ボール２" at the default values, drawn
// offscreen, for the README, and one of "投球の数値" when a second name is given:
// ballview-screenshot OUT.png [FIGURES.png]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include "form1.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) return 2;
    const QString out = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    const QDir here = QDir::current();

    QTemporaryDir work;  // the runs write their files into the working folder
    if (!work.isValid() || !QDir::setCurrent(work.path())) return 1;
    Form1 form;
    form.show();
    form.Command1_Click();
    form.Command2_Click();
    QApplication::processEvents();
    if (!form.grab().save(out)) return 1;
    if (argc == 3) {
        form.showFigures();
        QApplication::processEvents();
        auto* figures = form.findChild<QWidget*>("figuresWindow");
        const QString name = here.absoluteFilePath(QString::fromLocal8Bit(argv[2]));
        if (!figures || !figures->grab().save(name)) return 1;
    }
    return 0;
}
