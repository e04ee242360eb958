#include "import_messages.h"

#include <cstring>
#include <iterator>

namespace ball {

namespace {

struct Text {
    Said what;
    const char* japanese;
    const char* english;
};

// In the order of Said.
constexpr Text kTexts[] = {
    {Said::FileNotFound, "", "cannot open '{file}': file not found"},
    {Said::PermissionDenied, "", "cannot open '{file}': permission denied"},
    {Said::NotARegularFile, "", "'{file}' is not a regular file"},
    {Said::Unreadable, "", "cannot read '{file}'"},
    {Said::NotText,
     "ファイル「{file}」はテキストではありません（プログラムや画像、UTF-16 の文字など）。"
     "UTF-8 か Shift_JIS の CSV として保存し直してください。",
     "'{file}' is not text (a program, an image, or text in UTF-16?): save it as CSV in UTF-8 "
     "or Shift_JIS"},
    {Said::Empty, "ファイル「{file}」は空です。何も変えていません。", "'{file}' is empty"},
    {Said::BadBytes,
     "ファイル「{file}」には {encoding} として読めないバイトがあり、\uFFFD として読みました"
     "（初めは {line} 行目）。",
     "'{file}': bytes that are not {encoding} were read as \uFFFD (the first on line {line})"},
    {Said::UnclosedQuote,
     "ファイル「{file}」の {line} 行目の引用符（\"）が閉じていません。引用符を文字として読み、"
     "その後の行も行として読みました。",
     "'{file}': the quote on line {line} is never closed; it was read as a character"},
    {Said::Cut, "ファイルが大きいため、初めの {count} 行（1 行に {limit} 列まで）だけを読みました。",
     "only the first {count} rows ({limit} fields each) were read"},
    {Said::UnknownColumns,
     "ファイル「{file}」の列は TrackMan のものでも、このプログラムのもの（投手、利き腕、球種、速度、"
     "回転数、回転効率、回転方向、縦の変化量、横の変化量）でもありません。どの列が何かを選んで"
     "ください。\nコマンドラインでは --columns で列を指定します（--help を参照）。",
     "'{file}': its columns are neither TrackMan's nor ballview's own (pitcher,hand,type,"
     "speed_kmh,spin_rpm,efficiency_pct,tilt,ivb_cm,hb_cm); name them with --columns (see "
     "--help), or map them once in the window (ファイル → 投球データを開く…)"},
    {Said::NoUsableRow,
     "ファイル「{file}」には使える行がありません（球種、速度、縦と横の変化量がそろい、範囲の中に"
     "ある行がありません）。何も変えていません。",
     "'{file}' has no usable row"},
    {Said::TooManyTypes,
     "ファイル「{file}」の球種が多すぎます（投手「{pitcher}」に {count} 種類。{limit} 種類まで）。"
     "球種の列が正しいか確かめてください。何も変えていません。",
     "'{file}' has {count} pitch types for {pitcher} (at most {limit}): is the type column the "
     "right one?"},
    {Said::TooManyTypesInFile,
     "ファイル「{file}」の球種が多すぎます（全部で {count} 種類。{limit} 種類まで）。"
     "球種の列が正しいか確かめてください。何も変えていません。",
     "'{file}' has {count} pitch types (at most {limit}): is the type column the right one?"},
    {Said::OnePitcherAtFirst,
     "ファイル「{file}」には投手と球種の組が {count} あり、一度に合わせるには多すぎるため、"
     "まず投手「{pitcher}」だけを示します。ほかの投手は「投手」で選べます。",
     "'{file}' has {count} pitch types of its pitchers, too many to fit at once: {pitcher}'s are "
     "shown first; choose another pitcher under 投手"},
    {Said::TooManyTypesByLine,
     "ファイル「{file}」の球種が多すぎます（{line} 行目で投手「{pitcher}」が {limit} 種類を"
     "超えました）。球種の列が正しいか確かめてください。何も変えていません。",
     "'{file}' has more than {limit} pitch types for {pitcher} (by line {line}): is the type "
     "column the right one?"},
    {Said::TooManyTypesByLineUnnamed,
     "ファイル「{file}」の球種が多すぎます（{line} 行目で {limit} 種類を超えました）。球種の列が"
     "正しいか確かめてください。何も変えていません。",
     "'{file}' has more than {limit} pitch types (by line {line}): is the type column the right "
     "one?"},
    {Said::RowsLeftOut,
     "ファイルが大きいため、初めの {count} 行（{line} 行目まで）だけを読みました。残りは読んで"
     "いません。ファイル全体はコマンドライン（ballview --arsenal）で読めます。",
     "only the first {count} rows (to line {line}) were read; ballview --arsenal reads the whole "
     "file"},
    {Said::Reading, "読んでいます… {count}%", "reading… {count}%"},
    {Said::Fitting, "球種ごとに模型を合わせています… {count}/{limit}", "fitting each type… {count}/{limit}"},
    {Said::SkippedRows,
     "{count} 行は値が欠けているか範囲の外にあるため読みませんでした（{lines} 行目）。",
     "skipped {count} rows with a value missing or out of range (lines {lines})"},
    {Said::NotRoleEqualsHeader, "--columns の「{item}」は 役割=列名 の形ではありません。",
     "--columns '{item}': not ROLE=HEADER"},
    {Said::NoSuchRole, "--columns の「{item}」: 役割「{word}」はありません。",
     "--columns '{item}': no role '{word}'"},
    {Said::NoSuchColumn, "--columns の「{item}」: ファイルにその名前の列がありません。",
     "--columns '{item}': no column of that name in the file"},
    {Said::TooManyParts, "--columns の「{item}」: 「:」で区切った部分が多すぎます。",
     "--columns '{item}': too many parts"},
    {Said::NotASpeedUnit, "--columns の「{item}」: 速度の単位は km/h、mph、m/s のどれかです。",
     "--columns '{item}': a speed is in km/h, mph or m/s"},
    {Said::NoSuchUnit, "--columns の「{item}」: この列に単位「{word}」はありません。",
     "--columns '{item}': no unit '{word}' for it"},
    {Said::OneUnit, "--columns の「{item}」: 変化量どうし、リリースどうしは同じ単位にします。",
     "--columns '{item}': one unit for all of them"},
    {Said::NotASide, "--columns の「{item}」: どちらが + かは catcher か pitcher です。",
     "--columns '{item}': a side is catcher or pitcher"},
    {Said::RolesMissing, "--columns には type、speed、ivb、hb が要ります。",
     "--columns: type, speed, ivb and hb are needed"},
    {Said::RelHeight, "リリースの高さ", "release height"},
    {Said::RelSide, "リリースの横", "release side"},
    {Said::Extension, "エクステンション", "extension"},
    {Said::PlateHeight, "プレート通過の高さ", "plate height"},
    {Said::PlateSide, "プレート通過の横", "plate side"},
    {Said::ThrownAtTheCell,
     "{word}がないため、模型のリリース位置から目標のマスへ投げました。",
     "no {word}: thrown from the model's release point at the target cell"},
    {Said::ColumnsGuess, "列の名前からの推測（確かめてから使ってください）: --columns \"{item}\"",
     "a guess from the names (check it before use): --columns \"{item}\""},
    {Said::Loaded, "持ち球: 「{file}」を読みました（{count} 球）", "read '{file}' ({count} pitches)"},
};
static_assert(std::size(kTexts) == static_cast<std::size_t>(Said::Loaded) + 1);

std::string filled(const char* text, const Fill& f) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        const char* close = *p == '{' ? std::strchr(p, '}') : nullptr;
        if (!close) {
            out += *p;
            continue;
        }
        const std::string name(p + 1, close);
        if (name == "file") out += f.file;
        else if (name == "pitcher") out += f.pitcher;
        else if (name == "encoding") out += f.encoding;
        else if (name == "item") out += f.item;
        else if (name == "word") out += f.word;
        else if (name == "lines") out += f.lines;
        else if (name == "line") out += std::to_string(f.line);
        else if (name == "count") out += std::to_string(f.count);
        else if (name == "limit") out += std::to_string(f.limit);
        else out.append(p, close + 1);
        p = close;
    }
    return out;
}

}  // namespace

std::string importText(Said what, Language language, const Fill& fill) {
    const Text& t = kTexts[static_cast<int>(what)];
    return filled(language == Language::English ? t.english : t.japanese, fill);
}

std::string unreadableTableMessage(const CsvTable& table, const std::string& file,
                                   Language language) {
    if (table.binary) return importText(Said::NotText, language, {.file = file});
    if (table.header.empty()) return importText(Said::Empty, language, {.file = file});
    return {};
}

std::vector<std::string> tableReadingNotes(const CsvTable& table, const std::string& file,
                                           Language language) {
    std::vector<std::string> notes;
    if (table.badByteLine > 0) {
        notes.push_back(importText(
            Said::BadBytes, language,
            {.file = file, .encoding = table.encoding, .line = table.badByteLine}));
    }
    if (table.unclosedQuoteLine > 0) {
        notes.push_back(importText(Said::UnclosedQuote, language,
                                   {.file = file, .line = table.unclosedQuoteLine}));
    }
    if (table.cut) {
        notes.push_back(
            importText(Said::Cut, language, {.count = kMaxCsvRows, .limit = kMaxCsvFields}));
    }
    return notes;
}

std::string skippedRowsMessage(const std::vector<int>& lines, Language language) {
    if (lines.empty()) return {};
    const bool english = language == Language::English;
    std::string list;
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) {
        if (i) list += english ? " " : "、";
        list += std::to_string(lines[i]);
    }
    if (lines.size() > kShown) list += english ? " and more" : " ほか";
    return importText(Said::SkippedRows, language,
                      {.lines = list, .count = static_cast<long long>(lines.size())});
}

}  // namespace ball
