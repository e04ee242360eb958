#include "csv_table.h"

#include <iconv.h>

#include <algorithm>
#include <array>

#include "field_reader.h"

namespace ball {

namespace {

bool isUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int more = c < 0x80         ? 0
                         : (c >> 5) == 6  ? 1
                         : (c >> 4) == 14 ? 2
                         : (c >> 3) == 30 ? 3
                                          : -1;
        if (more < 0 || i + more >= s.size()) return false;
        for (int k = 1; k <= more; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        }
        i += more + 1;
    }
    return true;
}

// Windows' Shift_JIS (code page 932) to UTF-8; a byte it cannot read becomes U+FFFD.
std::string fromShiftJis(const std::string& in) {
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;
    std::string out(in.size() * 3 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
        if (dstLeft < 3) break;  // cannot happen: three bytes out for each one in suffice
        ++src, --srcLeft;        // an unreadable byte
        *dst++ = '\xEF', *dst++ = '\xBF', *dst++ = '\xBD';
        dstLeft -= 3;
    }
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
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
    std::string text = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    if (!isUtf8(text)) {
        text = fromShiftJis(text);
        table.encoding = "Shift_JIS";
    }
    table.delimiter = delimiterOf(text);

    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    int line = 1, rowLine = 1;
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
    for (std::size_t i = 0; i < text.size(); ++i) {
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

CsvTable readCsv(const std::filesystem::path& path) {
    return parseCsv(readWholeFile(path, FileRole::None, kMaxCsvBytes));
}

}  // namespace ball
