// Draws the program's icon as PNG files for the desktop: ballview-icon FOLDER
// writes FOLDER/ballview-SIZE.png for each size the icon theme uses.
#include <QDir>
#include <QImage>

#include "kit/shapes.h"

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 64, 128}) {
        if (!baseballImage(size).save(dir.filePath(QStringLiteral("ballview-%1.png").arg(size))))
            return 1;
    }
    return 0;
}
