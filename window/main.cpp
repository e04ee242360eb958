#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "form1.h"
#include "japanese.h"
#include "shapes.h"

namespace {

// Answers --help, --version and a mistaken option the way command-line tools do, before any
// window or display is needed; returns the exit status, or -1 to go on to the window.
int answerCommandLine(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("ballview");
    QCoreApplication::setApplicationVersion(BALL_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "ボールの軌道: 投げたボールの軌道を計算し、二つの投球を三つの図で比べます。\n"
        "Computes the flight of two pitched baseballs and draws them side by side.\n"
        "\n"
        "データのファイル \"initdir.txt\" と \"Ball1Traj.txt\" は、起動したフォルダに置きます\n"
        "(デスクトップのメニューから起動するとホームフォルダ)。\n"
        "It keeps its files \"initdir.txt\" and \"Ball1Traj.txt\" in the folder it was started\n"
        "in (the home folder when started from the desktop menu).");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "ballview: %s\nTry 'ballview --help'.\n",
                     qUtf8Printable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help) || parser.isSet("help-all")) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("ballview %s\n", BALL_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "ballview: takes no arguments: %s\nTry 'ballview --help'.\n",
                     qUtf8Printable(parser.positionalArguments().join(' ')));
        return 2;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = answerCommandLine(argc, argv); status >= 0) return status;
    QApplication app(argc, argv);
    speakJapanese(app);
    QApplication::setApplicationName("ballview");
    QApplication::setApplicationVersion(BALL_VERSION);
    QApplication::setApplicationDisplayName("ボールの軌道");
    QApplication::setWindowIcon(baseballIcon());
    Form1 form;
    form.fitToScreen();
    form.show();
    return app.exec();
}
