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

// A NUL would cut a name short wherever it is passed on as C text: shown as U+FFFD.
std::string withoutNul(std::string text) {
    if (text.find('\0') == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\0') {
            out += kReplacement;
        } else {
            out += c;
        }
    }
    return out;
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
    return withoutNul(std::move(chosen.text));
}

// A later part of the file, in the encoding its beginning chose; lines from firstLine.
std::string decodedAs(const std::string& bytes, CsvTable& part, int firstLine) {
    Decoded d = part.encoding == "Shift_JIS" ? fromShiftJis(bytes) : fromUtf8(bytes);
    if (d.bad > 0) part.badByteLine = firstLine - 1 + d.firstBadLine;
    return withoutNul(std::move(d.text));
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

// The rows of decoded text, their lines counted from firstLine; the first row that is not
// blank is the header unless the table has rows already.
void parseRows(const std::string& text, CsvTable& table, int firstLine, bool header) {
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    int line = firstLine, rowLine = firstLine;
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
            if (header && table.header.empty() && table.rows.empty()) {
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
    parseRows(text, table, 1, true);
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

namespace {

// A block ends at a row's end once it holds this much; a quote open past the larger size is
// taken as a character, as parseCsv takes one never closed.
constexpr std::size_t kBlockBytes = 1u << 20;
constexpr int kBlockLines = 20000;
constexpr std::size_t kMostBlockBytes = 64u << 20;
constexpr std::size_t kReadBytes = 1u << 20;

// Where the rows of text end, read as parseRows reads them: a quote opens only a field that is
// blank so far, and "" inside one is a quote.
struct RowEnds {
    char delimiter = ',';
    std::size_t pos = 0, lastEnd = 0;
    int lines = 0, linesAtLastEnd = 0;
    bool quoted = false, blank = true;

    // Scans what the text holds; more is needed where a character's meaning depends on the
    // next one and the text may go on.
    void scan(const std::string& text, bool whole, std::size_t enough) {
        for (; pos < text.size() && lastEnd < enough && linesAtLastEnd < kBlockLines; ++pos) {
            const char c = text[pos];
            const bool last = pos + 1 == text.size();
            if ((c == '"' || c == '\r') && last && !whole) return;
            if (quoted) {
                if (c == '"' && !last && text[pos + 1] == '"') {
                    ++pos, blank = false;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    lines += c == '\n';
                    blank = blank && (c == ' ' || c == '\t');
                }
            } else if (c == '"' && blank) {
                quoted = true;
            } else if (c == delimiter) {
                blank = true;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && !last && text[pos + 1] == '\n') ++pos;
                blank = true;
                lastEnd = pos + 1, linesAtLastEnd = ++lines;
            } else if (c != ' ' && c != '\t') {
                blank = false;
            }
        }
    }
};

}  // namespace

CsvStream::CsvStream(const std::filesystem::path& path) : in_(path, FileRole::None) {}

std::size_t CsvStream::nextCut(int& lines) {
    RowEnds ends;
    // The delimiter is the first row's: read on till it is whole.
    while (!atEnd_ && buffer_.find_first_of("\r\n") == std::string::npos &&
           buffer_.size() < kMostBlockBytes) {
        atEnd_ = in_.readSome(buffer_, kReadBytes) == 0;
    }
    ends.delimiter = first_ ? delimiterOf(buffer_) : file_.delimiter;
    for (;;) {
        ends.scan(buffer_, atEnd_, kBlockBytes);
        if (ends.lastEnd >= kBlockBytes || ends.linesAtLastEnd >= kBlockLines) break;
        if (atEnd_) {
            lines = ends.lines;
            return buffer_.size();
        }
        if (buffer_.size() >= kMostBlockBytes) {
            if (ends.lastEnd > 0) break;
            lines = ends.lines;  // one row larger than any block: cut where it stands
            return buffer_.size();
        }
        atEnd_ = in_.readSome(buffer_, kReadBytes) == 0;
    }
    lines = ends.linesAtLastEnd;
    return ends.lastEnd;
}

bool CsvStream::next(CsvTable& block) {
    int lines = 0;
    const std::size_t cut = ended_ ? 0 : nextCut(lines);
    if (cut == 0) {
        ended_ = true;
        return false;
    }
    const std::string bytes = buffer_.substr(0, cut);
    buffer_.erase(0, cut);
    done_ += cut;
    block = CsvTable{};
    if (first_) {
        block = parseCsv(bytes);
        file_.header = block.header;
        file_.delimiter = block.delimiter;
        file_.encoding = block.encoding;
        file_.binary = block.binary;
        ended_ = block.binary;
    } else {
        block.delimiter = file_.delimiter;
        block.encoding = file_.encoding;
        parseRows(decodedAs(bytes, block, line_), block, line_, false);
    }
    first_ = false;
    line_ += lines;
    file_.cut = file_.cut || block.cut;
    if (file_.badByteLine == 0) file_.badByteLine = block.badByteLine;
    if (file_.unclosedQuoteLine == 0) file_.unclosedQuoteLine = block.unclosedQuoteLine;
    return true;
}

}  // namespace ball
