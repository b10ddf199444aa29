#include "cp1252.h"

#include <gtest/gtest.h>

namespace vornlfrf::gui {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);
}

TEST(Cp1252, MapsTheWindowsRangeAndTheSeparators) {
    struct {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {
        {0x41, u'A'},   {0x80, 0x20AC}, {0x81, 0x0081}, {0x86, 0x2020}, {0x8D, 0x008D},
        {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0},
        {0xAC, 0x00AC}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1252ToUnicode(c.byte), c.unicode) << int(c.byte);
        EXPECT_EQ(fromCp1252(std::string(1, static_cast<char>(c.byte))), QString(QChar(c.unicode)));
        EXPECT_EQ(toCp1252(QString(QChar(c.unicode))), std::string(1, static_cast<char>(c.byte)));
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\u0100b\u4e2d")), "a?b?");
    // One mark per character, also beyond the basic plane.
    EXPECT_EQ(toCp1252(QString::fromUtf8("x\U0001F600y")), "x?y");
    EXPECT_EQ(toCp1252(QString(QChar(0x0085))), "?");  // not one of the five kept controls
}

}  // namespace
}  // namespace vornlfrf::gui
