// Saves a picture of the window after "ボール１" and "ボール２" at the default values, drawn
// offscreen, for the README: ballview-screenshot OUT.png
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include "form1.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) return 2;
    const QString out = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));

    QTemporaryDir work;  // the runs write their files into the working folder
    if (!work.isValid() || !QDir::setCurrent(work.path())) return 1;
    Form1 form;
    form.show();
    form.Command1_Click();
    form.Command2_Click();
    QApplication::processEvents();
    return form.grab().save(out) ? 0 : 1;
}
