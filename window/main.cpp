#include <QApplication>
#include <QLocale>
#include <cstdio>

#include "form1.h"
#include "session/arsenal_command.h"
#include "japanese.h"
#include "shapes.h"

namespace {

// Messages in English only under an English locale; Japanese otherwise.
bool inEnglish() { return QLocale::system().language() == QLocale::English; }

const char kHelpJapanese[] =
    "使い方: ballview [オプション]\n"
    "ボールの軌道: 投げたボールの軌道を計算し、二つの投球を三つの図で比べます。\n"
    "\n"
    "オプション:\n"
    "  -h, --help     この説明を示して終わります。\n"
    "  -v, --version  版を示して終わります。\n"
    "  --arsenal FILE.csv [--pairs]\n"
    "                 計測した投球の CSV から、球種ごとの数値と模型を CSV で出します\n"
    "                 (--pairs では球種の組ごとのトンネル)。画面はいりません。\n"
    "\n"
    "データのファイル \"initdir.txt\" と \"Ball1Traj.txt\" は、起動したフォルダに置きます\n"
    "(デスクトップのメニューから起動するとホームフォルダ)。\n";

const char kHelpEnglish[] =
    "Usage: ballview [option]\n"
    "Computes the flight of two pitched baseballs and draws them side by side in three views.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "  --arsenal FILE.csv [--pairs]\n"
    "                 Print each pitch type of a measured session and its model as CSV\n"
    "                 (with --pairs, each pair of types' tunnel). Needs no display.\n"
    "\n"
    "It keeps its files \"initdir.txt\" and \"Ball1Traj.txt\" in the folder it was started in\n"
    "(the home folder when started from the desktop menu).\n";

// An argument as typed, cut short enough for one line.
QString shown(const QString& argument) {
    constexpr int kLongest = 40;
    return argument.size() > kLongest ? argument.left(kLongest) + "…" : argument;
}

// Answers --help, --version and a mistaken option the way command-line tools do, and a missing
// display in one line, before any window is made; returns the exit status, or -1 to go on to the
// window.
int answerCommandLine(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool english = inEnglish();
    for (const QString& a : arguments) {
        if (a == "-h" || a == "--help" || a == "--help-all") {
            std::fputs(english ? kHelpEnglish : kHelpJapanese, stdout);
            return 0;
        }
        if (a == "-v" || a == "--version") {
            std::printf("ballview %s\n", BALL_VERSION);
            return 0;
        }
    }
    if (const int at = arguments.indexOf("--arsenal"); at >= 0) {
        QStringList rest = arguments;
        rest.removeAt(at);
        const bool pairs = rest.removeAll("--pairs") > 0;
        if (at < rest.size() && !rest[at].startsWith('-') && rest.size() == 1) {
            const ball::CommandResult r =
                ball::arsenalCommand(rest[at].toStdString(), pairs, english);
            std::fputs(r.out.c_str(), stdout);
            std::fputs(r.err.c_str(), stderr);
            return r.status;
        }
        std::fprintf(stderr, "ballview: %s\n",
                     english ? "--arsenal takes one file: ballview --arsenal FILE.csv [--pairs]"
                             : "--arsenal にはファイルを一つ指定します: ballview --arsenal "
                               "FILE.csv [--pairs]");
        return 2;
    }
    if (!arguments.isEmpty()) {
        const QString& a = arguments.first();
        const QString what =
            a.startsWith('-')
                ? QString(english ? "unknown option '%1'" : "知らないオプション「%1」です。")
                      .arg(shown(a))
                : QString(english ? "takes no arguments: %1" : "引数はとりません: %1")
                      .arg(shown(a));
        std::fprintf(
            stderr, "ballview: %s\n%s\n", qUtf8Printable(what),
            english ? "Try 'ballview --help'." : "使い方は 'ballview --help' で示します。");
        return 2;
    }
    // Without a display Qt would abort with advice to reinstall: say what is missing instead.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs(english ? "ballview: no display: neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
                           : "ballview: 画面がありません（DISPLAY も WAYLAND_DISPLAY も設定されて"
                             "いません）。\n",
                   stderr);
        return 1;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = answerCommandLine(argc, argv); status >= 0) return status;
    QApplication app(argc, argv);
    speakJapanese(app);
    QApplication::setOrganizationName("ballview");  // the settings: ~/.config/ballview/
    QApplication::setApplicationName("ballview");
    QApplication::setApplicationVersion(BALL_VERSION);
    QApplication::setApplicationDisplayName("ボールの軌道");
    QApplication::setWindowIcon(baseballIcon());
    Form1 form;
    form.fitToScreen();
    form.show();
    return app.exec();
}
