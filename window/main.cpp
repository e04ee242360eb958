#include <QApplication>

#include "form1.h"
#include "japanese.h"
#include "shapes.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    speakJapanese(app);
    QApplication::setApplicationName("ballview");
    QApplication::setApplicationDisplayName("ボールの軌道");
    QApplication::setWindowIcon(baseballIcon());
    Form1 form;
    form.fitToScreen();
    form.show();
    return app.exec();
}
