#include <QApplication>

#include "form1.h"
#include "shapes.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ballview");
    QApplication::setApplicationDisplayName("ボールの軌道");
    QApplication::setWindowIcon(baseballIcon());
    Form1 form;
    form.fitToScreen();
    form.show();
    return app.exec();
}
