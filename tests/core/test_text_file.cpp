#include <gtest/gtest.h>
#include "core/text_file.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;

TEST(TextFile, LineEndingsAndFinalBreak) {
    // (Decoded and encoded again, the bytes come back whatever the line ends, a lone CR or a
    // missing final break: a fuzz property over the seed corpus, whose text seeds hold the
    // awkward cases.) The majority decides: an LF file whose first line ends in CR LF.
    EXPECT_EQ(DecodeText("first\r\nsecond\nthird\n").format.lineEnding, LineEnding::Lf);
    // Mostly CR LF with one bare LF: a CR LF file, with no extra empty line at the end.
    TextDocument d = DecodeText("a\nb\r\nc\r\nd");
    EXPECT_EQ(d.lines, (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(d.format.lineEnding, LineEnding::CrLf);
    EXPECT_FALSE(d.format.finalLineBreak);
    EXPECT_TRUE(DecodeText("").lines.empty());
}

TEST(TextFile, EncodingsAreDetectedAndKept) {
    // UTF-8 with a mark.
    std::string utf8 = "\xEF\xBB\xBF{1}{2}Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\r\n";
    TextDocument d = DecodeText(utf8);
    EXPECT_EQ(d.format.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(d.format.bom);
    EXPECT_EQ(d.lines[0], "{1}{2}Zażółć");

    // The same text in Windows-1250.
    std::string cp = "{1}{2}Za\xBF\xF3\xB3\xE6 \xA5\xCA\x8C\x8F\r\n";
    d = DecodeText(cp);
    EXPECT_EQ(d.format.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(d.lines[0], "{1}{2}Zażółć ĄĘŚŹ");

    // Every byte value survives, the five undefined ones and a leading EF BB BF that is not a mark.
    std::string all = "\xEF\xBB\xBF";
    for (int b = 1; b < 256; ++b)
        if (b != '\n' && b != '\r') all.push_back(static_cast<char>(b));
    all += "\x81\x83\x88\x90\x98";
    d = DecodeText(all);
    EXPECT_EQ(d.format.encoding, TextEncoding::Windows1250);
    EXPECT_FALSE(d.format.bom);
    EXPECT_EQ(EncodeText(d.lines, d.format), all);
}

TEST(TextFile, WritesReplaceOrLeaveTheOldFile) {
    // Links, modes, protected files and system failures are the safe save's own tests.
    TempDir dir;
    std::string path = dir.Write("napisy.txt", "old\r\n");
    std::string error;
    ASSERT_TRUE(WriteTextFile(path, {"new"}, TextFormat{}, error)) << error;
    EXPECT_EQ(TempDir::Read(path), "new\r\n");
    // A character Windows-1250 lacks: refused, the old file untouched.
    TextFormat cp;
    cp.encoding = TextEncoding::Windows1250;
    EXPECT_FALSE(WriteTextFile(path, {"Ж"}, cp, error));
    EXPECT_NE(error.find("Windows-1250"), std::string::npos);
    EXPECT_EQ(TempDir::Read(path), "new\r\n");
    EXPECT_FALSE(WriteTextFile(dir.File("missing/x.txt"), {"x"}, TextFormat{}, error));
}

TEST(TextFile, ReadingFailuresAreReported) {
    TempDir dir;
    TextDocument d;
    std::string bytes, error;
    EXPECT_FALSE(ReadTextFile(dir.File("none.txt"), d, error));
    EXPECT_NE(error.find("none.txt"), std::string::npos);
    // A device may never end: only regular files are read.
    EXPECT_FALSE(ReadFileBytes("/dev/zero", bytes, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}
