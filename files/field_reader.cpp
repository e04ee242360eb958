#include "field_reader.h"

#include <fstream>
#include <sstream>

namespace ball {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

FieldReader::FieldReader(const std::filesystem::path& path, FileRole role)
    : name_(path.string()), role_(role) {
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path))
        throw RunError(ErrorKind::FileNotFound, name_, role_);
    std::ostringstream all;
    all << in.rdbuf();
    text_ = std::move(all).str();
}

FieldReader::FieldReader(std::string name, FileRole role, std::string text)
    : name_(std::move(name)), role_(role), text_(std::move(text)) {}

ScannedNumber FieldReader::next() {
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_]))) ++pos_;
    if (pos_ >= text_.size()) throw RunError(ErrorKind::InputPastEndOfFile, name_, role_);

    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != ',' && !isLineEnd(text_[end])) ++end;
    std::size_t last = end;
    while (last > pos_ && isBlank(text_[last - 1])) --last;
    const std::string_view field(text_.data() + pos_, last - pos_);
    pos_ = end < text_.size() && text_[end] == ',' ? end + 1 : end;

    ScannedNumber n;
    naming([&] { n = scanNumber(field); });
    // Garbage read as a number would draw nonsense: the whole field must be one.
    if (n.length == 0 || n.length != field.size())
        throw RunError(ErrorKind::BadFileData, name_, role_);
    return n;
}

}  // namespace ball
