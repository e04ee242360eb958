#include "messages.h"

#include <cmath>
#include <utility>

#include "files/number_text.h"
#include "physics/pitch_state.h"
#include "physics/trajectory.h"
#include "setup/ball_setup.h"

namespace ball {

namespace {

std::string quoted(const std::string& file) { return "「" + file + "」"; }

// One slowest speed in every message: the one the measured-pitch dialog takes too, computed
// from the limit that decides it.
std::string slowestSpeedAdvice() {
    return "速度は約 " + shortestText(slowestStorableSpeed()) + " km/h 以上にしてください。";
}

// The click that writes one of the program's files anew.
std::string writingClick(FileRole role) {
    switch (role) {
        case FileRole::Initdir: return "目標を「する」にして「ボール１」";
        case FileRole::Ball1Traj: return "「ボール１」";
        case FileRole::None: break;
    }
    return {};
}

// What to do about a missing program file: make it.
std::string makeIt(FileRole role) {
    const std::string click = writingClick(role);
    return click.empty() ? "" : "\n先に" + click + "を実行してください。このファイルが作られます。";
}

// What to do about a damaged program file: make it anew.
std::string remakeIt(FileRole role) {
    const std::string click = writingClick(role);
    return click.empty() ? "" : "\n" + click + "を実行すると、このファイルが作り直されます。";
}

// A file's size for a person: bytes, KiB or MiB (binary units, as a file manager counts).
std::string sizeText(unsigned long long bytes) {
    const auto in = [&](double unit, const char* name) {
        const double v = static_cast<double>(bytes) / unit;
        return (v == std::floor(v) ? std::to_string(static_cast<unsigned long long>(v))
                                   : fixedText(v, 1)) +
               " " + name;
    };
    if (bytes >= (1ull << 20)) return in(1 << 20, "MiB");
    if (bytes >= (1ull << 10)) return in(1 << 10, "KiB");
    return std::to_string(bytes) + " バイト";
}

// A text box as the user sees it on the panel, by its control name and member index.
std::string boxCaption(const std::string& box) {
    static constexpr std::pair<const char*, const char*> kCaptions[] = {
        {"SpeedTxt(0)", "ボール１の「速度」"},
        {"Omega0Txt(0)", "ボール１の回転数「投げた直後」"},
        {"Omega1Txt(0)", "ボール１の回転数「キャッチャ位置」"},
        {"thitaTxtBox(0)", "ボール１の「回転軸角度」"},
        {"Text2(0)", "ボール１の「水平からの角度」"},
        {"Text2(2)", "ボール１の「左右の角度」"},
        {"TargetPTxt(0)", "ボール１の投げるところの列"},
        {"TargetPTxt(1)", "ボール１の投げるところの行"},
        {"SpeedTxt(1)", "ボール２の「速度」"},
        {"Omega0Txt(1)", "ボール２の回転数「投げた直後」"},
        {"Omega1Txt(1)", "ボール２の回転数「キャッチャ位置」"},
        {"thitaTxtBox(1)", "ボール２の「回転軸角度」"},
        {"Text2(4)", "ボール２の「水平からの角度」"},
        {"Text2(3)", "ボール２の「左右の角度」"},
    };
    for (const auto& [name, caption] : kCaptions) {
        if (box == name) return caption;
    }
    return box;
}

std::string overflow(const RunError& e) {
    const std::string text = "数が扱える範囲を超えました（overflow）。\n";
    if (!e.detail().empty()) {
        return "ファイル" + quoted(e.detail()) + "の数が大きすぎます（overflow）。" +
               remakeIt(e.role());
    }
    if (e.tooSlow()) return text + boxCaption(e.box()) + "が遅すぎます。" + slowestSpeedAdvice();
    if (!e.box().empty()) return text + boxCaption(e.box()) + "の数が大きすぎます。";
    return "計算の途中で" + text + "回転数や角度の数を確かめてください。";
}

// Whose file or link it is, where that is another user.
std::string owner(const RunError& e) {
    return e.owner().empty() ? std::string() : "「" + e.owner() + "」";
}

std::string writeFailure(const RunError& e) {
    const std::string text =
        "ファイル" + quoted(e.detail()) + "に書き込めません（file write failure）。\n";
    // Every replace is all or nothing: a refused one changed no file.
    const std::string unchanged = "どのファイルも変わっていません。";
    switch (e.refuser()) {
        case Refuser::File:
            return text + "このファイルは書き込みが禁止されています。" + unchanged;
        case Refuser::Folder:
            return text + "このファイルのフォルダに書き込む権限がありません。" + unchanged;
        case Refuser::OtherUser:
            return text + "このファイルはほかのユーザー" + owner(e) +
                   "のもので、共有のフォルダ（スティッキービットのあるフォルダ）では持ち主しか"
                   "置き換えられません。" +
                   unchanged + "\n持ち主に消してもらうか、ほかのフォルダで実行してください。";
        case Refuser::Link:
            return text + "この名前は" +
                   (e.owner().empty() ? std::string("ほかのユーザーもファイルを作れるフォルダにある")
                                      : "ほかのユーザー" + owner(e) + "が作った") +
                   "リンクです。リンクの先を書き換えることはしません。" + unchanged +
                   "\nリンクを消すか、自分だけが書き込めるフォルダで実行してください。";
        case Refuser::InTheWay:
            return quoted(e.detail()) +
                   (e.owner().empty()
                        ? std::string("は、このプログラムが書いた記録として読めません（リンクか、"
                                      "ほかのファイルを指す記録です）。")
                        : "はほかのユーザー" + owner(e) + "のファイルです。") +
                   "このプログラムがファイルの横に使う名前をふさいでいるため、書き込みませんでした"
                   "（file write failure）。" +
                   unchanged +
                   "\n中身を確かめて消す（持ち主に消してもらう）か、ほかのフォルダで実行してくだ"
                   "さい。";
        case Refuser::Unknown:
            break;
    }
    return text + "ディスクの空きとフォルダを確かめてください。" + unchanged;
}

}  // namespace

std::string errorMessage(const RunError& e) {
    const std::string& file = e.detail();
    switch (e.kind()) {
        case ErrorKind::DivisionByZero:
            return "ゼロで割る計算になりました（division by zero）。\n"
                   "速度に 0 以外の数を入れてください。";
        case ErrorKind::Overflow:
            return overflow(e);
        case ErrorKind::SubscriptOutOfRange:
            if (!file.empty()) {
                return "ファイル" + quoted(file) + "の点の数が " + std::to_string(kMaxTrajPoints) +
                       " を超えています（subscript out of range）。" + remakeIt(e.role());
            }
            return "軌道の点が " + std::to_string(kMaxTrajPoints) +
                   " を超えました（subscript out of range）。\n" +
                   (e.box().empty() ? std::string("速度") : boxCaption(e.box())) +
                   "が遅すぎます。" + slowestSpeedAdvice();
        case ErrorKind::FileNotFound:
            return "ファイル" + quoted(file) + "が見つかりません（file not found）。" +
                   makeIt(e.role());
        case ErrorKind::InputPastEndOfFile:
            return "ファイル" + quoted(file) + "の数が足りません（input past end of file）。" +
                   remakeIt(e.role());
        case ErrorKind::FileWriteFailure:
            return writeFailure(e);
        case ErrorKind::BadFileData:
            if (e.limit() > 0) {
                return "ファイル" + quoted(file) + "は " + sizeText(e.size()) +
                       " あり、読める大きさ（" + sizeText(e.limit()) +
                       " まで）を超えています（bad data in file）。" + remakeIt(e.role());
            }
            return "ファイル" + quoted(file) +
                   "に数でないデータがあるか、大きすぎます（bad data in file）。" +
                   remakeIt(e.role());
        case ErrorKind::PermissionDenied:
            return "ファイル" + quoted(file) + "を読む権限がありません（permission denied）。\n" +
                   "ファイルの読み取りの権限を確かめてください。";
        case ErrorKind::NotARegularFile:
            return quoted(file) +
                   "は普通のファイルではありません（not a regular file）。\n"
                   "同じ名前のフォルダなどを移すか、名前を変えてください。";
        case ErrorKind::NegativeSpeed:
            return boxCaption(e.box()) +
                   "が負の数です（negative speed）。\n速度には正の数を入れてください。";
        case ErrorKind::FolderBusy:
            return "ほかのプログラムがフォルダ" + quoted(file) +
                   "のファイルを使っています（folder busy）。\nしばらく待っても空かなかったため、"
                   "何もしていません。どのファイルも変わっていません。\nそのプログラムを終えてから、"
                   "もう一度実行してください。";
    }
    return e.what();
}

std::string unexpectedErrorMessage(const std::string& what) {
    return "予期しないエラーが発生しました: " + what;
}

std::string noPrinterMessage() {
    return "プリンタが見つかりません。印刷できませんでした。\n代わりに PDF として保存できます。";
}

std::string printerRefusedMessage(const std::string& printer, bool rejecting,
                                  const std::string& reason) {
    return "プリンタ" + quoted(printer) + "は" +
           (rejecting ? "印刷ジョブを受け付けていません" : "停止しています") +
           (reason.empty() ? "" : "（" + reason + "）") + "。印刷しませんでした。";
}

std::string printerMissingMessage(const std::string& printer, const std::string& variable) {
    const std::string text = "プリンタ" + quoted(printer) + "がありません。";
    if (variable.empty()) return text + "印刷しませんでした。";
    return text + "環境変数 " + variable +
           " がこのプリンタを指しています。ほかのプリンタにも印刷しませんでした。";
}

std::string printServerSilentMessage(const std::string& server, int seconds) {
    return "印刷サーバー" + quoted(server) + "が " + std::to_string(seconds) +
           " 秒待っても応答しません。印刷しませんでした。";
}

std::string printServerLateMessage(const std::string& server, int seconds) {
    return "印刷サーバー" + quoted(server) + "の応答が遅く、" + std::to_string(seconds) +
           " 秒たっても印刷を終えられません。印刷しませんでした。";
}

std::string printedMessage(const std::string& printer) { return "印刷しました（" + printer + "）"; }

std::string printFailedMessage(const std::string& printer, const std::string& failure) {
    return "プリンタ" + quoted(printer) + "で印刷できませんでした: " + failure;
}

std::string aimMissedMessage(int passes, std::optional<double> missMetres) {
    const std::string advice =
        "\n速度を上げるか、トップスピン（下へ落ちる回転）を減らしてください。"
        "描いた軌道と保存した向きは、最後に投げたものです。";
    if (!missMetres) {
        return "ボール１は " + std::to_string(passes) +
               " 回投げても捕手の位置まで届かず、目標をねらえませんでした。" + advice;
    }
    return "ボール１は " + std::to_string(passes) + " 回投げても目標に " +
           fixedText(kAimTolerance * 100, 0) + " cm 以内まで届かず、" +
           fixedText(*missMetres * 100, 1) + " cm 外れました。" + advice;
}

std::string ball2ShortMessage() {
    return "ボール２は捕手の位置まで届きませんでした。速度を上げるか、トップスピン（下へ落ちる回転）を"
           "減らしてください。投げる向きは「initdir.txt」に保存された向き（ボール１が見つけた向き）"
           "です。ボール１をもう一度投げると保存し直されます。";
}

std::string recoveredFilesMessage() {
    return "前回「ボール１」の途中で終わったため、「initdir.txt」と「Ball1Traj.txt」を"
           "その前の組に戻しました。";
}

std::string recoveryWaitingMessage() {
    return "ほかのプログラムがデータのフォルダを使っているため、前回の「ボール１」が途中で"
           "終わっていないかを、空いてから確かめます。";
}

std::string recoveryBlockedMessage() {
    return "データのファイルの横に、このプログラムが書いたものではない記録"
           "（initdir.txt.journal）があります。手を付けていません。「ボール１」で詳しく示します。";
}

std::string folderWaitMessage() {
    return "ほかのプログラムがデータのフォルダを使っています。空くのを待っています…";
}

std::string thrownMessage(int ball) {
    return ball == 1 ? "ボール１を投げました（initdir.txt と Ball1Traj.txt を保存）"
                     : "ボール２を投げました";
}

std::string filledMessage(int ball) {
    // The views still show the pitch thrown before: the panel is not thrown yet.
    return std::string(ball == 1 ? "ボール１" : "ボール２") +
           "のパネルに入れました。まだ投げていません。" + (ball == 1 ? "F5" : "F6") +
           " で投げます";
}

std::string savedMessage(const std::string& path) { return "保存しました（" + path + "）"; }

std::string pairThrownMessage() { return "持ち球の組をボール１・２で投げました"; }

std::string readAsMessage(const std::string& caption, const std::string& text, double value) {
    return caption + quoted(text) + "を " + shortestText(value) + " と読みました";
}

}  // namespace ball
