// What is written reads back as what was meant: encodings, a leading U+FEFF, the
// settings writer's names and the SSA marker's place.

#include <gtest/gtest.h>

#include "core/marker.h"
#include "core/profile_file.h"
#include "core/text_file.h"
#include "support/engine_doc.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;

TEST(TextRoundTrip, Windows1250ThatWouldReadAsUtf8) {
    // "PÓŁNOC" in Windows-1250 is P D3 A3 N O C, and D3 A3 is valid UTF-8 (U+04E3).
    TextDocument d = DecodeText("P\xD3\xA3NOC \x9C\n");  // the lone 9C makes it Windows-1250
    ASSERT_EQ(d.format.encoding, TextEncoding::Windows1250);
    d.lines[0] = "PÓŁNOC";  // the edit removes the only byte that was not UTF-8
    EncodeProblems problems;
    const std::string bytes = EncodeText(d.lines, d.format, problems);
    EXPECT_EQ(bytes, "P\xD3\xA3NOC\n");
    EXPECT_EQ(problems.unmappable, 0u);
    EXPECT_EQ(problems.misread, 2u);
    std::size_t count = 0;
    EncodeText(d.lines, d.format, &count);
    EXPECT_EQ(count, 2u);  // callers that offer UTF-8 for unmappable text offer it here too

    TempDir dir;
    std::string error;
    EXPECT_FALSE(WriteTextFile(dir.File("a.txt"), d.lines, d.format, error));
    EXPECT_NE(error.find("UTF-8"), std::string::npos) << error;  // the way out is offered

    // Text that still has a byte invalid in UTF-8 stays in Windows-1250.
    EXPECT_EQ(EncodeText({"PÓŁNOC ś"}, d.format, problems), "P\xD3\xA3NOC \x9C\n");
    EXPECT_EQ(problems.misread, 0u);

    // Settings files, where chapter names live, change to UTF-8 on their own.
    const std::string ini = dir.Write("film.ini", "[Chapters]\nn0=\x9C\np0=1\n");
    ProfileFile profile(ini);
    profile.WriteString("Chapters", "n0", "PÓŁNOC");
    ASSERT_TRUE(profile.Save(error)) << error;
    EXPECT_EQ(ProfileFile(ini).ReadString("Chapters", "n0", ""), "PÓŁNOC");
}

TEST(TextRoundTrip, ALeadingByteOrderMarkCharacter) {
    // A text that begins with U+FEFF in a file without a mark: written with a mark in front,
    // so the character is still there when the file is read.
    TextFormat noBom;
    noBom.bom = false;
    const std::vector<std::string> lines = {"\xEF\xBB\xBFtext", "more"};
    TextDocument back = DecodeText(EncodeText(lines, noBom));
    EXPECT_EQ(back.lines, lines);
}

TEST(TextRoundTrip, SettingsNamesCannotInjectLines) {
    TempDir dir;
    ProfileFile p(dir.File("k.ini"));
    p.WriteString("Main", "Key", "v");
    for (auto [section, key] : {std::pair{"Main\n[Evil", "Key"}, {"Main", "Bad\nKey=1"}, {"Main", "[Evil]"},
                                {"Main", ";comment"}, {"Main", "a=b"}, {"Ma]in", "Key"}})
        p.WriteString(section, key, "x");
    EXPECT_EQ(p.Lines(), (std::vector<std::string>{"[Main]", "Key=v"}));
}

TEST(TextRoundTrip, LargeFilesReadAndWriteWhole) {
    // Over the sizes where reading uses a buffer of its own and writing goes in pieces, with a
    // line longer than a piece.
    std::vector<std::string> lines(120000, "{100}{200}Przykładowy napis|drugi wiersz");
    lines[7] = std::string(3 << 20, 'x');
    lines.back() = "\xEF\xBB\xBF";  // U+FEFF, not at the start: an ordinary character
    TextFormat lf{TextEncoding::Utf8, false, LineEnding::Lf, false};
    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteTextFile(dir.File("big.txt"), lines, lf, error)) << error;
    const std::string bytes = TempDir::Read(dir.File("big.txt"));
    EXPECT_EQ(bytes.size(), 119998u * 41 + (3u << 20) + 3 + 119999);  // line breaks between the lines only
    TextDocument back;
    ASSERT_TRUE(ReadTextFile(dir.File("big.txt"), back, error)) << error;
    EXPECT_EQ(back.lines, lines);
}

TEST(TextRoundTrip, MarkerOfAnSsaFileWithoutEventsIsRenewedNotPiledUp) {
    SubtitleDocument doc = test::Doc({"[Script Info]", "", "{100}{200}Ala", "{300}{400}kot"});
    doc.documentFormat = kFormatSsa;
    doc.ssa = ReadSsaHeader(doc.lines, true);
    for (int i = 0; i < 3; ++i) RenewMarker(doc, "26-12-06");
    // Still one marker, after the first subtitle.
    ASSERT_EQ(doc.lines.size(), 5u);
    EXPECT_TRUE(IsMarkerLine(doc.lines[4]));
    EXPECT_EQ(doc.lines[3], "{300}{400}kot");
}
