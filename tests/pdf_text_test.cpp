#include "files/pdf_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ball {
namespace {

// Only what a character map gives for a glyph changes, and only a radical: never a glyph
// number, a code space, a code of several characters, or anything outside the maps.
TEST(UnifyRadicals, OnlyTheCodesGivenForGlyphs) {
    struct Row {
        const char* name;
        std::string before;
        std::string after;
    };
    const Row rows[] = {
        {"a range's list", "2 beginbfrange\n<0001> <0003> [<2F92> <30BF> <2F93>]\nendbfrange",
         "2 beginbfrange\n<0001> <0003> [<898B> <30BF> <89D2>]\nendbfrange"},
        {"a range of one glyph", "1 beginbfrange\n<0007> <0007> <2F54>\nendbfrange",
         "1 beginbfrange\n<0007> <0007> <6C34>\nendbfrange"},
        {"a range that counts up from its code",
         "1 beginbfrange\n<0007> <0008> <2F54>\nendbfrange",
         "1 beginbfrange\n<0007> <0008> <2F54>\nendbfrange"},
        {"one glyph, lower case", "1 beginbfchar\n<0005> <2e9f>\nendbfchar",
         "1 beginbfchar\n<0005> <6BCD>\nendbfchar"},
        {"glyph numbers", "1 beginbfrange\n<2F92> <2F93> [<0030> <0031>]\nendbfrange",
         "1 beginbfrange\n<2F92> <2F93> [<0030> <0031>]\nendbfrange"},
        {"a code space and a ligature",
         "1 begincodespacerange\n<2F00> <2FFF>\nendcodespacerange\n1 beginbfchar\n<0009> "
         "<2F922F93>\nendbfchar",
         "1 begincodespacerange\n<2F00> <2FFF>\nendcodespacerange\n1 beginbfchar\n<0009> "
         "<2F922F93>\nendbfchar"},
        {"outside a map", "<< /Kids [<2F92>] >>\n(見) Tj", "<< /Kids [<2F92>] >>\n(見) Tj"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::string pdf = r.before;
        unifyRadicalsInTextLayer(pdf);
        EXPECT_EQ(pdf, r.after);
    }
}

}  // namespace
}  // namespace ball
