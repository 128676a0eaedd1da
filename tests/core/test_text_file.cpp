#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/text_file.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;

TEST(TextFile, LineEndingsAndFinalBreakRoundTrip) {
    for (std::string bytes : {"a\r\nb\r\n", "a\nb\n", "a\r\nb", "a\nb", "", "\r\n", "x", "a\r\n\r\n", "a\r\r\nb\r\n"}) {
        TextDocument d = DecodeText(bytes);
        EXPECT_EQ(EncodeText(d.lines, d.format), bytes) << bytes;
    }
    TextDocument d = DecodeText("a\r\nb");
    EXPECT_EQ(d.lines, (std::vector<std::string>{"a", "b"}));  // no extra empty line
    EXPECT_EQ(d.format.lineEnding, LineEnding::CrLf);
    EXPECT_FALSE(d.format.finalLineBreak);
    EXPECT_EQ(DecodeText("a\nb\n").format.lineEnding, LineEnding::Lf);
    EXPECT_TRUE(DecodeText("").lines.empty());
}

TEST(TextFile, EncodingsAreDetectedAndKept) {
    // UTF-8 with a mark.
    std::string utf8 = "\xEF\xBB\xBF{1}{2}Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\r\n";
    TextDocument d = DecodeText(utf8);
    EXPECT_EQ(d.format.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(d.format.bom);
    EXPECT_EQ(d.lines[0], "{1}{2}Zażółć");
    EXPECT_EQ(EncodeText(d.lines, d.format), utf8);

    // The same text in Windows-1250.
    std::string cp = "{1}{2}Za\xBF\xF3\xB3\xE6 \xA5\xCA\x8C\x8F\r\n";
    d = DecodeText(cp);
    EXPECT_EQ(d.format.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(d.lines[0], "{1}{2}Zażółć ĄĘŚŹ");
    EXPECT_EQ(EncodeText(d.lines, d.format), cp);

    // Every byte value survives, the five undefined ones and a leading EF BB BF that is not a mark.
    std::string all = "\xEF\xBB\xBF";
    for (int b = 1; b < 256; ++b)
        if (b != '\n' && b != '\r') all.push_back(static_cast<char>(b));
    all += "\x81\x83\x88\x90\x98";
    d = DecodeText(all);
    EXPECT_EQ(d.format.encoding, TextEncoding::Windows1250);
    EXPECT_FALSE(d.format.bom);
    EXPECT_EQ(EncodeText(d.lines, d.format), all);

    // Text that the code page cannot hold is counted, not silently dropped.
    std::size_t bad = 0;
    EncodeText({"ok", "Ж"}, d.format, &bad);
    EXPECT_EQ(bad, 1u);
}

TEST(TextFile, BinaryInputIsReadAsLines) {
    std::string binary;
    for (int i = 0; i < 100000; ++i) binary.push_back(static_cast<char>((i * 7919) % 256));
    TextDocument d = DecodeText(binary);
    EXPECT_FALSE(d.lines.empty());
    EXPECT_EQ(EncodeText(d.lines, d.format), binary);
}

TEST(TextFile, AtomicWritesReplaceOrLeaveTheOldFile) {
    TempDir dir;
    std::string path = dir.Write("napisy.txt", "old\r\n");
    chmod(path.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(WriteTextFile(path, {"new"}, TextFormat{}, error)) << error;
    EXPECT_EQ(TempDir::Read(path), "new\r\n");
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // permissions kept

    // A character Windows-1250 lacks: refused, the old file untouched.
    TextFormat cp;
    cp.encoding = TextEncoding::Windows1250;
    EXPECT_FALSE(WriteTextFile(path, {"Ж"}, cp, error));
    EXPECT_NE(error.find("Windows-1250"), std::string::npos);
    EXPECT_EQ(TempDir::Read(path), "new\r\n");

    // A folder that cannot be written: an error, the old file untouched, no temporary left.
    if (geteuid() != 0) {
        chmod(dir.path().c_str(), 0555);
        EXPECT_FALSE(WriteTextFile(path, {"newer"}, TextFormat{}, error));
        EXPECT_FALSE(error.empty());
        chmod(dir.path().c_str(), 0755);
        EXPECT_EQ(TempDir::Read(path), "new\r\n");
    }
    // A path in a missing folder fails the same way.
    EXPECT_FALSE(WriteTextFile(dir.File("missing/x.txt"), {"x"}, TextFormat{}, error));
    std::size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(files, 1u);
}

TEST(TextFile, ReadingFailuresAreReported) {
    TempDir dir;
    TextDocument d;
    std::string error;
    EXPECT_FALSE(ReadTextFile(dir.File("none.txt"), d, error));
    EXPECT_NE(error.find("none.txt"), std::string::npos);
    EXPECT_FALSE(ReadTextFile(dir.path().string(), d, error));
}
