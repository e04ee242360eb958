#include <QApplication>
#include <QLocale>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include <unistd.h>

#include "main/form1.h"
#include "arsenal/column_maps.h"
#include "bullpen/arsenal_command.h"
#include "kit/japanese.h"
#include "kit/shapes.h"

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
    "  --arsenal FILE.csv [--pairs [--pairing means|consecutive]]\n"
    "                 計測した投球の CSV から、球種ごとの数値と模型を CSV で出します\n"
    "                 (--pairs では球種の組ごとのトンネル。--pairing means は球種の平均\n"
    "                 どうし、consecutive は同じ打者への続けた 2 球の中央値)。画面は\n"
    "                 いりません。ファイルの大きさに限りはありません (シーズン全体も\n"
    "                 読めます。投手ごとに球種は 20 まで)。\n"
    "                 知らない列は、窓で選んだものを使います。\n"
    "  --columns \"ROLE=列名[:単位[:側]],...\"\n"
    "                 --arsenal とともに、列を名前で指定します。ROLE: pitcher hand type\n"
    "                 auto_type speed spin efficiency tilt axis ivb hb rel_height\n"
    "                 rel_side extension plate_height plate_side batter batter_side game\n"
    "                 inning pa。単位: 速度は km/h mph m/s、変化量と、リリースとプレート\n"
    "                 通過の位置は cm in ft m。hb の側: catcher か pitcher (その右が +)。\n"
    "                 rel_side は投手の右、plate_side は捕手の右が +。\n"
    "                 例: --columns \"type=Pitch Type,speed=Velocity:mph,ivb=VB:in,hb=HB:in:pitcher\"\n"
    "  --what-if \"type=球種[,pitcher=投手][,rpm=R][,eff=E][,speed=S][,tilt=T][,altitude=A]\"\n"
    "                 --arsenal とともに、その球種の回転を変えたときの行を出します\n"
    "                 (--pairs では、その投手のほかの球種との組)。rpm (回転数)、eff\n"
    "                 (回転効率 %)、speed (km/h) は値か、+/- つきの増減。tilt は h:mm か、\n"
    "                 +/- つきの分 (+ が時計回り)。変化量は実際の球に近い模型で動かします。\n"
    "                 temp (°C)、humidity (%)、altitude (m) は投げる場所の空気 (計測は海面、\n"
    "                 20 °C、50 % とします)。コンマのある名前は二重引用符で囲みます\n"
    "                 (pitcher=\\\"Sato, Kenta\\\")。\n"
    "                 例: --what-if \"type=Fastball,rpm=+200\"\n"
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
    "  --arsenal FILE.csv [--pairs [--pairing means|consecutive]]\n"
    "                 Print each pitch type of a measured session and its model as CSV\n"
    "                 (with --pairs, each pair of types' tunnel: of the types' means, or\n"
    "                 the medians of consecutive pitches to one batter). Needs no display.\n"
    "                 A file of any size, a League's season too (20 types a pitcher at most).\n"
    "                 Columns it does not know are read as chosen once in the window.\n"
    "  --columns \"ROLE=HEADER[:UNIT[:SIDE]],...\"\n"
    "                 With --arsenal, name the columns. ROLE: pitcher hand type auto_type\n"
    "                 speed spin efficiency tilt axis ivb hb rel_height rel_side extension\n"
    "                 plate_height plate_side batter batter_side game inning pa. UNIT:\n"
    "                 km/h, mph or m/s for speed; cm, in, ft or m for the breaks, and for\n"
    "                 the release and plate locations. SIDE of hb: catcher or pitcher\n"
    "                 (whose right is +). rel_side is + to the pitcher's right, plate_side\n"
    "                 to the catcher's right.\n"
    "                 E.g. --columns \"type=Pitch Type,speed=Velocity:mph,ivb=VB:in,hb=HB:in:pitcher\"\n"
    "  --what-if \"type=TYPE[,pitcher=NAME][,rpm=R][,eff=E][,speed=S][,tilt=T][,altitude=A]\"\n"
    "                 With --arsenal, print that type's row with its spin changed (with\n"
    "                 --pairs, its pairs with the pitcher's other types). rpm, eff (spin\n"
    "                 efficiency, %) and speed (km/h): a value, or a change signed + or -.\n"
    "                 tilt: h:mm, or signed minutes (+ clockwise). The realistic model\n"
    "                 moves the break. temp (°C), humidity (%) and altitude (m): the air it\n"
    "                 is thrown in (the session's taken as sea level's, 20 °C, 50 %).\n"
    "                 Quote a name with a comma: pitcher=\\\"Sato, Kenta\\\".\n"
    "                 E.g. --what-if \"type=Fastball,rpm=+200\"\n"
    "\n"
    "It keeps its files \"initdir.txt\" and \"Ball1Traj.txt\" in the folder it was started in\n"
    "(the home folder when started from the desktop menu).\n";

// Writes what the command line answers, every byte, and gives its exit status: a write that
// fails on either stream (a full disk, a closed pipe) is a failure, said on standard error
// while that still takes it.
int answered(int status, const std::string& out, std::string err = {}) {
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe fails the write instead of ending us unheard
    const auto put = [](std::FILE* to, const std::string& text) {
        return std::fwrite(text.data(), 1, text.size(), to) == text.size() && std::fflush(to) == 0;
    };
    if (!put(stdout, out) || std::fclose(stdout) != 0) {
        err += std::string("ballview: standard output: ") + std::strerror(errno) + "\n";
        status = 1;
    }
    if (!put(stderr, err)) status = 1;
    return status;
}

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
            return answered(0, english ? kHelpEnglish : kHelpJapanese);
        }
        if (a == "-v" || a == "--version") {
            return answered(0, std::string("ballview ") + BALL_VERSION + "\n");
        }
    }
    if (const int at = arguments.indexOf("--arsenal"); at >= 0) {
        QStringList rest = arguments;
        rest.removeAt(at);
        const bool pairs = rest.removeAll("--pairs") > 0;
        ball::ColumnSources columns;
        const int given = rest.indexOf("--columns");
        bool usable = given < 0 || given + 1 < rest.size();
        if (given >= 0 && usable) {
            columns.option = rest[given + 1].toStdString();
            rest.remove(given, 2);
        }
        ball::Pairing pairing = ball::Pairing::Means;
        if (const int how = rest.indexOf("--pairing"); how >= 0 && usable) {
            const QString named = how + 1 < rest.size() ? rest[how + 1] : QString();
            usable = named == "means" || named == "consecutive";
            if (named == "consecutive") pairing = ball::Pairing::Consecutive;
            if (usable) rest.remove(how, 2);
        }
        std::optional<std::string> whatIf;
        if (const int asked = rest.indexOf("--what-if"); asked >= 0 && usable) {
            usable = asked + 1 < rest.size() && pairing == ball::Pairing::Means;
            if (usable) whatIf = rest[asked + 1].toStdString(), rest.remove(asked, 2);
        }
        if (usable && rest.size() == 1 && !rest[0].startsWith('-')) {
            // The window's settings, where it remembers the columns chosen for a header.
            QCoreApplication::setOrganizationName("ballview");
            QCoreApplication::setApplicationName("ballview");
            columns.remembered = rememberedColumns;
            // Progress only where someone watches: a script's log keeps the notes alone.
            std::function<void(const std::string&)> progress;
            if (::isatty(STDERR_FILENO)) {
                progress = [](const std::string& line) {
                    std::fprintf(stderr, "\r\033[Kballview: %s", line.c_str());
                };
            }
            const ball::Language language =
                english ? ball::Language::English : ball::Language::Japanese;
            const ball::CommandResult r =
                whatIf ? ball::whatIfCommand(rest[0].toStdString(), *whatIf, pairs, language, columns)
                       : ball::arsenalCommand(rest[0].toStdString(), pairs, language, columns,
                                              pairing, progress);
            if (progress) std::fprintf(stderr, "\r\033[K");
            return answered(r.status, r.out, r.err);
        }
        return answered(2, "",
                        std::string("ballview: ") +
                            (english ? "--arsenal takes one file: ballview --arsenal FILE.csv "
                                       "[--pairs [--pairing means|consecutive]] [--columns TEXT] "
                                       "[--what-if CHANGE]\n"
                                     : "--arsenal にはファイルを一つ指定します: ballview --arsenal "
                                       "FILE.csv [--pairs [--pairing means|consecutive]] "
                                       "[--columns TEXT] [--what-if CHANGE]\n"));
    }
    if (!arguments.isEmpty()) {
        const QString& a = arguments.first();
        const QString what =
            a.startsWith('-')
                ? QString(english ? "unknown option '%1'" : "知らないオプション「%1」です。")
                      .arg(shown(a))
                : QString(english ? "takes no arguments: %1" : "引数はとりません: %1")
                      .arg(shown(a));
        return answered(2, "",
                        "ballview: " + what.toStdString() + "\n" +
                            (english ? "Try 'ballview --help'.\n"
                                     : "使い方は 'ballview --help' で示します。\n"));
    }
    // Without a display Qt would abort with advice to reinstall: say what is missing instead.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return answered(1, "",
                        english ? "ballview: no display: neither DISPLAY nor WAYLAND_DISPLAY is "
                                  "set.\n"
                                : "ballview: 画面がありません（DISPLAY も WAYLAND_DISPLAY も設定"
                                  "されていません）。\n");
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
