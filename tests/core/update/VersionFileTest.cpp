#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "update/VersionFile.h"

namespace yk {
namespace {

const std::string kMd5 = "0123456789abcdef0123456789abcdef";

// The lines joined, each followed by `lineEnd`.
std::string fileOf(const std::vector<std::string>& lines, const std::string& lineEnd = "\n")
{
    std::string file;
    for (const auto& line : lines)
        file += line + lineEnd;
    return file;
}

void expectValues(const std::optional<VersionFile>& file, const std::string& version, const std::string& name,
                  const std::string& md5)
{
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->version, version);
    EXPECT_EQ(file->installerName, name);
    EXPECT_EQ(file->md5, md5);
}

// ---- The sections ----

TEST(VersionFileParsing, ReadsEachSectionsNextLineInAnyOrder)
{
    struct Case {
        const char* name;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"version, file, md5",
         {"[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "Setup_110.exe", "[Yarrowkeep File MD5]", kMd5}},
        {"md5, version, file",
         {"[Yarrowkeep File MD5]", kMd5, "[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "Setup_110.exe"}},
        {"file, md5, version",
         {"[Yarrowkeep File]", "Setup_110.exe", "[Yarrowkeep File MD5]", kMd5, "[Yarrowkeep Version]", "110"}},
        {"other lines around and between",
         {"; published by the build", "", "[Yarrowkeep Version]", "110", "[Other]", "x", "[Yarrowkeep File]",
          "Setup_110.exe", "", "[Yarrowkeep File MD5]", kMd5, "trailer"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectValues(parseVersionFile(fileOf(c.lines)), "110", "Setup_110.exe", kMd5);
    }
}

TEST(VersionFileParsing, TheFirstOccurrenceOfAHeaderCounts)
{
    const auto file = parseVersionFile(
        fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "first.exe", "[Yarrowkeep File MD5]", kMd5,
                "[Yarrowkeep Version]", "999", "[Yarrowkeep File]", "second.exe", "[Yarrowkeep File MD5]", "other"}));
    expectValues(file, "110", "first.exe", kMd5);
}

TEST(VersionFileParsing, AValueIsTheLiteralNextLineEvenWhenItIsAHeader)
{
    // The version's value is the File header line itself; that same line is also File's first occurrence.
    const auto file =
        parseVersionFile(fileOf({"[Yarrowkeep Version]", "[Yarrowkeep File]", "x.exe", "[Yarrowkeep File MD5]", kMd5}));
    expectValues(file, "[Yarrowkeep File]", "x.exe", kMd5);
}

TEST(VersionFileParsing, AMissingHeaderOrAHeaderOnTheLastLineFails)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"only line ends", "\n\r\n\n"},
        {"no version", fileOf({"[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]", kMd5})},
        {"no file", fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File MD5]", kMd5})},
        {"no md5", fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "a.exe"})},
        {"version last", fileOf({"[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]", kMd5, "[Yarrowkeep Version]"})},
        {"file last", fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File MD5]", kMd5, "[Yarrowkeep File]"})},
        {"md5 last", fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]"})},
        {"md5 last without line end",
         fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "a.exe"}) + "[Yarrowkeep File MD5]"},
        {"md5 last with CR LF",
         fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]"}, "\r\n")},
        // The first occurrence is the last line, so a later complete section cannot stand in for it.
        {"first occurrence last of a partial file", fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File]"})},
        {"header with a trailing space",
         fileOf({"[Yarrowkeep Version] ", "110", "[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]", kMd5})},
        {"header in other case",
         fileOf({"[yarrowkeep version]", "110", "[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]", kMd5})},
        {"header with a leading space",
         fileOf({" [Yarrowkeep Version]", "110", "[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]", kMd5})},
        {"header split by a lone CR",
         "[Yarrowkeep Version]\r110\n[Yarrowkeep File]\na.exe\n[Yarrowkeep File MD5]\n" + kMd5 + "\n"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(parseVersionFile(c.bytes).has_value()) << c.name;
}

// ---- Lines ----

TEST(VersionFileParsing, LineEndsAreDroppedAndNothingElse)
{
    const std::vector<std::string> lines{"[Yarrowkeep Version]",  " 110 ",    "[Yarrowkeep File]", "Setup 1.exe  ",
                                         "[Yarrowkeep File MD5]", kMd5 + "  "};
    const auto lf = parseVersionFile(fileOf(lines, "\n"));
    const auto crlf = parseVersionFile(fileOf(lines, "\r\n"));
    expectValues(lf, " 110 ", "Setup 1.exe  ", kMd5 + "  ");
    expectValues(crlf, " 110 ", "Setup 1.exe  ", kMd5 + "  ");

    // Mixed line ends, and a last line without any: the same values.
    const std::string mixed = "[Yarrowkeep Version]\r\n 110 \n[Yarrowkeep File]\nSetup 1.exe  \r\n"
                              "[Yarrowkeep File MD5]\r\n" +
                              kMd5 + "  ";
    expectValues(parseVersionFile(mixed), " 110 ", "Setup 1.exe  ", kMd5 + "  ");
}

TEST(VersionFileParsing, OnlyACarriageReturnBeforeALineFeedIsALineEnd)
{
    struct Case {
        const char* name;
        std::string md5Line; // followed by the file's end
        std::string md5;
    };
    const Case cases[] = {
        {"CR at the end of the file", kMd5 + "\r", kMd5 + "\r"},
        {"CR inside the line", "ab\rcd\n", "ab\rcd"},
        {"CR CR LF", kMd5 + "\r\r\n", kMd5 + "\r"},
        {"empty value", "\n", ""},
    };
    for (const auto& c : cases) {
        const auto file = parseVersionFile(
            fileOf({"[Yarrowkeep Version]", "110", "[Yarrowkeep File]", "a.exe", "[Yarrowkeep File MD5]"}) + c.md5Line);
        SCOPED_TRACE(c.name);
        expectValues(file, "110", "a.exe", c.md5);
    }
}

TEST(VersionFileParsing, SlashesInTheInstallerNameBecomeBackslashes)
{
    const auto file = parseVersionFile(fileOf(
        {"[Yarrowkeep Version]", "1/1/0", "[Yarrowkeep File]", "sub/dir//setup.exe", "[Yarrowkeep File MD5]", "a/b"}));
    // Only the name: the other values stay as they stand.
    expectValues(file, "1/1/0", "sub\\dir\\\\setup.exe", "a/b");
}

TEST(VersionFileParsing, ZeroBytesAreKeptAsTheyStand)
{
    using namespace std::string_literals;
    const auto file = parseVersionFile("[Yarrowkeep Version]\n1\0"
                                       "10\n[Yarrowkeep File]\na.exe\n"
                                       "[Yarrowkeep File MD5]\nmd5\n"s);
    expectValues(file,
                 "1\0"s
                 "10",
                 "a.exe", "md5");
}

// ---- Version numbers ----

TEST(VersionNumbers, OwnTextIsTheLastThreePartsRunTogether)
{
    struct Case {
        std::uint16_t minor, patch, build;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, 0, "100\n"},
        {2, 3, 4, "234\n"},
        {0, 0, 0, "000\n"},
        {1, 10, 0, "1100\n"},
        {65535, 65535, 65535, "655356553565535\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionNumberText(c.minor, c.patch, c.build), c.text) << c.minor << "." << c.patch << "." << c.build;
}

TEST(VersionNumbers, LeadingDigitsAfterWhiteSpace)
{
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    struct Case {
        const char* text;
        std::uint64_t number;
    };
    const Case cases[] = {
        {"110", 110},
        {"  101abc", 101},
        {"\t\r\n 7", 7},
        {"100\n", 100},
        {"0110", 110},
        {"1 2", 1},
        {"abc", 0},
        {"", 0},
        {"   ", 0},
        {"-5", 0},
        {"+5", 0},
        {"18446744073709551615", kMax},
        {"18446744073709551614", kMax - 1},
        {"18446744073709551616", kMax},
        {"99999999999999999999999", kMax},
        {"99999999999999999999999 then more", kMax},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(VersionNumbers, OwnVersionAgainstTheServers)
{
    // The check offers the server's installer only when its number is larger than the own one.
    const std::string own = versionNumberText(1, 0, 0); // file version 1.1.0.0
    struct Case {
        const char* server;
        bool newer;
    };
    const Case cases[] = {
        {"110", true}, {"101", true}, {"100", false}, {"99", false}, {"", false}, {" 1000 ", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionNumber(own) < versionNumber(c.server), c.newer) << c.server;
}

TEST(VersionNumbers, VersionLineJoinsLabelsAndTexts)
{
    EXPECT_EQ(versionLine(L"Current Ver :", "100\n", L"New Ver :", "110"), L"Current Ver : V100\n  ;  New Ver : V110");
    EXPECT_EQ(versionLine(L"\u76EE\u524D", "234\n", L"\u65B0", ""), L"\u76EE\u524D V234\n  ;  \u65B0 V");
    // A server text that is not ASCII shows as replacement characters, never as some code page's letters.
    EXPECT_EQ(versionLine(L"A", "1\n", L"B",
                          "1\xC3\xA9"
                          "0\x7F"),
              L"A V1\n  ;  B V1\uFFFD\uFFFD0\x7F");
}

} // namespace
} // namespace yk
