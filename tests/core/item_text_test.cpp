#include "config/item_text.h"

#include <gtest/gtest.h>

namespace vornlfrf::config {
namespace {

using Pieces = std::vector<std::string>;

TEST(ItemText, GetFindsFirstSubstringMatchUpToSeparator) {
    const std::string item =
        "Name:F1\xAC"
        "Content:FFh\xAC"
        "MyName:x\xAC";
    EXPECT_EQ(ItemGetValue(item, "Name"), "F1");
    EXPECT_EQ(ItemGetValue(item, "Content"), "FFh");
    EXPECT_EQ(ItemGetValue(item, "Missing"), "");
    // Plain substring search: "Name:" inside "MyName:" is not reached because the first wins.
    EXPECT_EQ(ItemGetValue("MyName:x\xAC"
                           "Name:y\xAC",
                           "Name"),
              "x");
    EXPECT_EQ(ItemGetValue("Tail:open", "Tail"), "open");
}

TEST(ItemText, SetReplacesInPlaceOrAppendsKeepingOrder) {
    std::string item =
        "Name:\xAC"
        "Freq:\xAC";
    ItemSetValue(item, "Name", "NewFrame");
    ItemSetValue(item, "Content", "01b");
    ItemSetValue(item, "Freq", "125.0");
    EXPECT_EQ(item,
              "Name:NewFrame\xAC"
              "Freq:125.0\xAC"
              "Content:01b\xAC");
    std::string open = "Key:old";
    ItemSetValue(open, "Key", "new");
    EXPECT_EQ(open, "Key:new");
}

TEST(ItemText, SplitListCases) {
    struct Case {
        std::string text;
        char d;
        Pieces want;
    } cases[] = {
        {"", ';', {}},
        {"a;;b", ';', {"a", "", "b"}},
        {"a;", ';', {"a"}},
        {";", ';', {""}},
        {"a b\r\nc\nd\re", ' ', {"a", "b", "c", "d", "e"}},
        {"a\r;b", ';', {"a", "b"}},  // CR then delimiter is one line break
        {"x\x86y\x86", '\x86', {"x", "y"}},
        {"a\n\nb", ',', {"a", "", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitList(c.text, c.d), c.want) << c.text;
}

TEST(ItemText, JoinListInvertsSplitForPlainPieces) {
    EXPECT_EQ(JoinList({}, ';'), "");
    EXPECT_EQ(JoinList({"a", "", "b"}, ';'), "a;;b");
    const Pieces rows = {"F;8;0;1;;0;;;", "G;4;8;1;;0;;;"};
    EXPECT_EQ(SplitList(JoinList(rows, kRowSeparator), kRowSeparator), rows);
}

TEST(ItemText, TrimControlStripsLowBytesOnly) {
    EXPECT_EQ(TrimControl("\t  ab c \r\n"), "ab c");
    EXPECT_EQ(TrimControl("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(TrimControl("   "), "");
}

}  // namespace
}  // namespace vornlfrf::config
