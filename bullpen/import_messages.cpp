#include "import_messages.h"

namespace ball {

namespace {

std::string quoted(const std::string& file) { return "「" + file + "」"; }

}  // namespace

std::string noKnownColumnsMessage(const std::string& file) {
    return "ファイル" + quoted(file) +
           "の列は TrackMan のものでも、このプログラムのもの（投手、利き腕、球種、速度、回転数、"
           "回転効率、回転方向、縦の変化量、横の変化量）でもありません。どの列が何かを選んでください。";
}

std::string noUsableRowMessage(const std::string& file) {
    return "ファイル" + quoted(file) + "には使える行がありません（球種、速度、縦と横の変化量が"
           "そろい、範囲の中にある行がありません）。何も変えていません。";
}

std::string tooManyTypesMessage(const std::string& file, const std::string& pitcher, int count,
                                int limit) {
    return "ファイル" + quoted(file) + "の球種が多すぎます（" +
           (pitcher.empty() ? std::string("全部で ") : "投手" + quoted(pitcher) + "に ") +
           std::to_string(count) + " 種類。" + std::to_string(limit) +
           " 種類まで）。球種の列が正しいか確かめてください。何も変えていません。";
}

std::string cutTableMessage() {
    return "ファイルが大きいため、初めの " + std::to_string(kMaxCsvRows) + " 行（1 行に " +
           std::to_string(kMaxCsvFields) + " 列まで）だけを読みました。";
}

std::string unreadableTableMessage(const CsvTable& table, const std::string& file,
                                   bool english) {
    if (table.binary) {
        return english ? "'" + file + "' is not text (a program, an image, or text in UTF-16?): "
                                      "save it as CSV in UTF-8 or Shift_JIS"
                       : "ファイル" + quoted(file) +
                             "はテキストではありません（プログラムや画像、UTF-16 の文字など）。"
                             "UTF-8 か Shift_JIS の CSV として保存し直してください。";
    }
    if (table.header.empty()) {
        return english ? "'" + file + "' is empty"
                       : "ファイル" + quoted(file) + "は空です。何も変えていません。";
    }
    return {};
}

std::vector<std::string> tableReadingNotes(const CsvTable& table, const std::string& file,
                                           bool english) {
    std::vector<std::string> notes;
    const auto note = [&](std::string text) { notes.push_back(std::move(text)); };
    if (table.badByteLine > 0) {
        const std::string line = std::to_string(table.badByteLine);
        note(english ? "'" + file + "': bytes that are not " + table.encoding +
                           " were read as \uFFFD (the first on line " + line + ")"
                     : "ファイル" + quoted(file) + "には " + table.encoding +
                           " として読めないバイトがあり、\uFFFD として読みました（初めは " + line +
                           " 行目）。");
    }
    if (table.unclosedQuoteLine > 0) {
        const std::string line = std::to_string(table.unclosedQuoteLine);
        note(english ? "'" + file + "': the quote on line " + line +
                           " is never closed; it was read as a character"
                     : "ファイル" + quoted(file) + "の " + line +
                           " 行目の引用符（\"）が閉じていません。引用符を文字として読み、その後の行も"
                           "行として読みました。");
    }
    if (table.cut) {
        note(english ? "only the first " + std::to_string(kMaxCsvRows) + " rows (" +
                           std::to_string(kMaxCsvFields) + " fields each) were read"
                     : cutTableMessage());
    }
    return notes;
}

}  // namespace ball
