#include "csv_table.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <charconv>

#include "field_reader.h"

namespace ball {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Text read in one encoding: its UTF-8, the characters of more than one byte read, the bytes
// that could not be (each now a U+FFFD), and the first line holding one.
struct Decoded {
    std::string text;
    std::size_t multibyte = 0;
    std::size_t bad = 0;
    int firstBadLine = 0;

    void unreadable(const std::string& in, std::size_t at) {
        if (bad++ == 0) firstBadLine = 1 + static_cast<int>(std::count(in.begin(), in.begin() + at, '\n'));
        text += kReplacement;
    }
};

Decoded fromUtf8(const std::string& s) {
    Decoded d;
    d.text.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int more = c < 0x80         ? 0
                         : (c >> 5) == 6  ? 1
                         : (c >> 4) == 14 ? 2
                         : (c >> 3) == 30 ? 3
                                          : -1;
        bool whole = more >= 0 && i + more < s.size();
        for (int k = 1; whole && k <= more; ++k) {
            whole = (static_cast<unsigned char>(s[i + k]) >> 6) == 2;
        }
        if (!whole) {
            d.unreadable(s, i);
            ++i;
            continue;
        }
        d.text.append(s, i, more + 1);
        d.multibyte += more > 0;
        i += more + 1;
    }
    return d;
}

// Windows' Shift_JIS (code page 932) to UTF-8.
Decoded fromShiftJis(const std::string& in) {
    Decoded d;
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        d.bad = in.size() + 1;  // never chosen
        return d;
    }
    std::string out(in.size() * 3 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        const bool stopped = iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1);
        d.text.append(out.data(), out.size() - dstLeft);
        if (!stopped) break;
        d.unreadable(in, in.size() - srcLeft);
        ++src, --srcLeft;
    }
    iconv_close(cd);
    return d;
}

// Bytes no text file holds beyond a stray one: controls other than tab, line ends and a form
// feed, as in a program, an image or text in UTF-16.
bool looksBinary(const std::string& bytes) {
    const std::size_t sample = std::min<std::size_t>(bytes.size(), 8192);
    const auto control = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || u == 0x7F;
    };
    const auto n = std::count_if(bytes.begin(), bytes.begin() + static_cast<long>(sample), control);
    return static_cast<std::size_t>(n) * 10 > sample;
}

// The text in the encoding it reads best in, said in the table.
std::string decoded(const std::string& bytes, CsvTable& table) {
    Decoded utf8 = fromUtf8(bytes);
    Decoded chosen;
    if (utf8.bad == 0 || utf8.multibyte > utf8.bad) {
        chosen = std::move(utf8);  // UTF-8, or nearly: a stray byte does not make it Shift_JIS
    } else if (Decoded sjis = fromShiftJis(bytes); sjis.bad < utf8.bad) {
        chosen = std::move(sjis);
        table.encoding = "Shift_JIS";
    } else {
        chosen = std::move(utf8);
    }
    table.badByteLine = chosen.firstBadLine;
    // A NUL would cut a name short wherever it is passed on as C text: shown as U+FFFD.
    if (chosen.text.find('\0') == std::string::npos) return std::move(chosen.text);
    std::string text;
    text.reserve(chosen.text.size());
    for (char c : chosen.text) {
        if (c == '\0') {
            text += kReplacement;
        } else {
            text += c;
        }
    }
    return text;
}

std::string trimmed(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

char delimiterOf(const std::string& text) {
    const std::string first = text.substr(0, text.find_first_of("\r\n"));
    const std::array<char, 3> candidates = {',', '\t', ';'};
    char best = ',';
    long most = 0;
    for (char c : candidates) {
        const long n = std::count(first.begin(), first.end(), c);
        if (n > most) best = c, most = n;
    }
    return best;
}

}  // namespace

CsvTable parseCsv(const std::string& bytes) {
    CsvTable table;
    if (looksBinary(bytes)) {
        table.binary = true;
        return table;
    }
    const std::string text =
        decoded(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes, table);
    table.delimiter = delimiterOf(text);

    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    int line = 1, rowLine = 1;
    // Where the open quote stood, to read it again as a character if it is never closed.
    std::size_t quoteAt = 0;
    int quoteLine = 0;
    std::string beforeQuote;
    const auto endField = [&] {
        if (row.size() < kMaxCsvFields) {
            row.push_back(trimmed(field));
        } else {
            table.cut = true;
        }
        field.clear();
    };
    const auto endRow = [&] {
        endField();
        const bool blank = std::all_of(row.begin(), row.end(), [](auto& f) { return f.empty(); });
        if (!blank) {
            if (table.header.empty() && table.rows.empty()) {
                table.header = row;
            } else if (table.rows.size() == kMaxCsvRows) {
                table.cut = true;
            } else {
                table.rows.push_back(row);
                table.lines.push_back(rowLine);
            }
        }
        row.clear();
    };
    // Each quote read again costs a pass over the rest: a few are enough for a mistyped file.
    constexpr int kMostRereads = 16;
    int rereads = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size()) {
            if (!quoted || rereads++ == kMostRereads) break;
            // Open to the end: the quote was a character, and what followed it rows.
            if (table.unclosedQuoteLine == 0) table.unclosedQuoteLine = quoteLine;
            quoted = false;
            i = quoteAt;
            line = quoteLine;
            field = beforeQuote;
            field += '"';
            continue;
        }
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"', ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == '"' && trimmed(field).empty()) {
            quoteAt = i, quoteLine = line, beforeQuote = field;
            quoted = true, field.clear();
        } else if (c == table.delimiter) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRow();
            rowLine = ++line;
        } else {
            field += c;
        }
    }
    // A last row without a line end; an empty quoted field alone would be a blank row anyway.
    if (!field.empty() || !row.empty()) endRow();
    return table;
}

std::string spreadsheetText(std::string_view field) {
    if (field.empty()) return {};
    const char c = field.front();
    bool formula = c == '=' || c == '@' || c == '\t' || c == '\r';
    if (c == '+' || c == '-') {
        double v = 0;
        const char* end = field.data() + field.size();
        const auto [at, error] = std::from_chars(field.data() + (c == '+'), end, v);
        formula = error != std::errc() || at != end;
    }
    std::string out = formula ? "'" : "";
    out += field;
    return out;
}

std::string csvField(std::string_view field) {
    const std::string s = spreadsheetText(field);
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

CsvTable readCsv(const std::filesystem::path& path) {
    return parseCsv(readWholeFile(path, FileRole::None, kMaxCsvBytes));
}

}  // namespace ball
