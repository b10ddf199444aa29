#include "config/ini_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace vornlfrf::config {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(IniDocument, ReadsCaseInsensitivelyWithTypedDefaults) {
    const auto doc = IniDocument::fromText(
        "[Main]\r\nClientWidth=800\r\nflag=1\r\nBad=12x\r\nBig=99999999999\r\n"
        "Item0=Name:F\xAC"
        "Content:FFh\xA0\x86\xAC\r\n");
    EXPECT_EQ(doc.readInteger("MAIN", "clientwidth", 742), 800);
    EXPECT_EQ(doc.readInteger("MAIN", "Bad", 7), 7);
    EXPECT_EQ(doc.readInteger("MAIN", "Big", 7), 7);
    EXPECT_EQ(doc.readInteger("MAIN", "Missing", -3), -3);
    EXPECT_EQ(doc.readInteger("OTHER", "ClientWidth", 5), 5);
    EXPECT_TRUE(doc.readBool("main", "FLAG", false));
    EXPECT_EQ(doc.readString("Main", "Item0", ""),
              "Name:F\xAC"
              "Content:FFh\xA0\x86\xAC");
}

TEST(IniDocument, WriteKeepsUnwrittenKeysSectionsAndComments) {
    auto doc = IniDocument::fromText(
        "; kept comment\n[LFCONF]\nCount=3\nItem0=a\nItem2=stale\n\n[UNKNOWN]\nx=1\n");
    doc.writeInteger("lfconf", "COUNT", 1);
    doc.writeString("LFCONF", "Item0", "b");
    doc.writeString("LFCONF", "NewKey", "v");
    doc.writeString("RUNCONF", "Mode", "line1\r\nline2");
    EXPECT_EQ(doc.toText(),
              "; kept comment\r\n[LFCONF]\r\nCount=1\r\nItem0=b\r\nItem2=stale\r\nNewKey=v\r\n"
              "\r\n[UNKNOWN]\r\nx=1\r\n[RUNCONF]\r\nMode=line1  line2\r\n");
}

TEST(IniDocument, SaveReplacesFileAtomicallyAndRefusesReadOnly) {
    const fs::path dir = fs::temp_directory_path() / "vornlfrf_ini_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "a.cfg";
    IniDocument doc;
    doc.writeString("S", "K", "\xAC\xA0\x86");
    ASSERT_TRUE(doc.saveToFile(file.string()).ok);
    EXPECT_EQ(readAll(file), "[S]\r\nK=\xAC\xA0\x86\r\n");

    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    doc.writeString("S", "K", "changed");
    EXPECT_FALSE(doc.saveToFile(file.string()).ok);
    EXPECT_EQ(readAll(file), "[S]\r\nK=\xAC\xA0\x86\r\n");
    EXPECT_FALSE(doc.saveToFile((dir / "missing" / "b.cfg").string()).ok);
    fs::permissions(file, fs::perms::owner_all);
    fs::remove_all(dir);
}

TEST(IniDocument, ArbitraryBytesParseAndRoundTripStably) {
    std::mt19937 rng(7);
    const char alphabet[] = "[]=;\r\n \tabAB\xAC\xA0\x86\x00";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 200);
        for (int i = 0; i < n; ++i) text += alphabet[rng() % (sizeof alphabet - 1)];
        const auto doc = IniDocument::fromText(text);
        const std::string once = doc.toText();
        EXPECT_EQ(IniDocument::fromText(once).toText(), once);
        for (const std::string& s : doc.sections())
            for (const std::string& k : doc.keys(s)) (void)doc.readInteger(s, k, 0);
    }
}

}  // namespace
}  // namespace vornlfrf::config
