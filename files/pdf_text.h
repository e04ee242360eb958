#pragma once

#include <string>

namespace ball {

/// Makes a PDF's text layer read as the text drawn. A font that draws a CJK radical (U+2E80 to
/// U+2FDF) and the ideograph it stands for with one glyph leaves the PDF writer to guess which
/// of the two a glyph is, and it takes the radical: 見, 角 and 水 read as ⾒, ⾓ and ⽔, and
/// searching for them finds nothing. The ideograph is put back in every character map of the
/// file; each code keeps its length, so every offset in the file holds.
void unifyRadicalsInTextLayer(std::string& pdf);

}  // namespace ball
