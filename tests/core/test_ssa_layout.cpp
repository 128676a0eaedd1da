// SSA event lines of scripts made elsewhere: every engine keeps the file's own columns.

#include <gtest/gtest.h>

#include "core/ssa.h"
#include "core/subtitle_line.h"
#include "ops/frame_rate.h"
#include "ops/line_commands.h"
#include "ops/merge.h"
#include "ops/repair.h"
#include "ops/shift.h"
#include "ops/stamp.h"
#include "support/engine_doc.h"

using namespace kravelo;

namespace {

SubtitleDocument Script(const std::string& format, const std::vector<std::string>& events,
                        const std::vector<std::string>& styles = {}) {
    SubtitleDocument d;
    d.lines = {"[Script Info]", "", "[V4 Styles]", "Format: Name, Fontname, Italic"};
    d.lines.insert(d.lines.end(), styles.begin(), styles.end());
    d.lines.push_back("");
    d.lines.push_back("[Events]");
    d.lines.push_back(format);
    d.lines.insert(d.lines.end(), events.begin(), events.end());
    d.frameRate = 25.0;
    d.documentFormat = kFormatSsa;
    d.ssa = ReadSsaHeader(d.lines, true);
    return d;
}

}  // namespace

TEST(SsaLayout, ShiftWritesOnlyTheTimeFieldsInTheFilesOwnColumns) {
    // Four columns, times first: the program's ten-column layout would make it unreadable.
    SubtitleDocument d = Script("Format: Start, End, Style, Text",
                                {"Dialogue: 0:00:01.00,0:00:02.00,Default,Hello, world",
                                 "Dialogue:  0:00:03.00 , 0:00:04.50 ,Default,  spaced  "});
    ShiftTimes(d, 1.5, true, true, 0, static_cast<long>(d.lines.size()));
    EXPECT_EQ(d.lines[7], "Dialogue: 0:00:02.50,0:00:03.50,Default,Hello, world");
    EXPECT_EQ(d.lines[8], "Dialogue:  0:00:04.50 , 0:00:06.00 ,Default,  spaced  ");

    // Today's layout with Layer: style, name, margins, effect and the text stay byte for byte;
    // only the start moves when only starts are shifted.
    SubtitleDocument e = Script("Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
                                {"Dialogue: 2,0:17:04.87,0:17:06.00,Sign,Anna,0010,0020,0030,Banner;5,{\\b1}A|b, c"});
    ShiftTimes(e, -0.87, true, false, 0, static_cast<long>(e.lines.size()));
    EXPECT_EQ(e.lines.back(), "Dialogue: 2,0:17:04.00,0:17:06.00,Sign,Anna,0010,0020,0030,Banner;5,{\\b1}A|b, c");

    // A frame-rate change leaves SSA lines, whose times are seconds, exactly as they were.
    const std::string before = e.lines.back();
    ChangeFrameRate(e, 25.0, 23.976, 0, static_cast<long>(e.lines.size()));
    EXPECT_EQ(e.lines.back(), before);
}

TEST(SsaLayout, TextEnginesRewriteTextAndStyleOnly) {
    const std::vector<std::string> styles = {"Style: Default,Arial,0", "Style: Slanted,Arial,1"};
    SubtitleDocument d = Script("Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
                                {"Dialogue: 0,0:00:01.00,0:00:02.00,Default,Anna,1,2,3,fx,Hello .World"},
                                styles);
    long last = static_cast<long>(d.lines.size());
    RepairOptions repair;
    repair.emptyLines = false;
    RepairSubtitles(d, repair, 0, last);
    EXPECT_EQ(d.lines.back(), "Dialogue: 0,0:00:01.00,0:00:02.00,Default,Anna,1,2,3,fx,Hello. World");

    // Italics on: the script's own italic style; off again: its first upright style.
    const long column = static_cast<long>(d.lines.back().size()) - 3;
    ToggleItalicAt(d, static_cast<long>(d.lines.size()) - 1, column);
    EXPECT_EQ(d.lines.back(), "Dialogue: 0,0:00:01.00,0:00:02.00,Slanted,Anna,1,2,3,fx,Hello. World");
    ASSERT_TRUE(ToggleItalicAt(d, static_cast<long>(d.lines.size()) - 1, column).done);
    EXPECT_EQ(d.lines.back(), "Dialogue: 0,0:00:01.00,0:00:02.00,Default,Anna,1,2,3,fx,Hello. World");

    // Without any italic style the markers go into the text, where they read as italic.
    SubtitleDocument plain = Script("Format: Start, End, Style, Text", {"Dialogue: 0:00:01.00,0:00:02.00,Default,Hi"},
                                    {"Style: Default,Arial,0"});
    ASSERT_TRUE(ToggleItalicAt(plain, static_cast<long>(plain.lines.size()) - 1, 40).done);
    EXPECT_EQ(plain.lines.back(), "Dialogue: 0:00:01.00,0:00:02.00,Default,/Hi/");
}

TEST(SsaLayout, MergeKeepsTheTargetLinesOtherFields) {
    SubtitleDocument d = Script("Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
                                {"Dialogue: 3,0:00:01.00,0:00:01.20,Default,Anna,0,0,0,,Tak",
                                 "Dialogue: 0,0:00:01.30,0:00:02.00,Default,Bob,0,0,0,,Nie wiem"});
    MergeOptions o;
    o.per50 = 20.0;
    long last = static_cast<long>(d.lines.size());
    EXPECT_EQ(MergeShortSubtitles(d, o, 0, last).merges, 1);
    EXPECT_EQ(d.lines.back(), "Dialogue: 3,0:00:01.00,0:00:02.00,Default,Anna,0,0,0,,Tak Nie wiem");
}

TEST(SsaLayout, RowBreaksOfAProgramsOwnLineAreWrittenAsSpaces) {
    SubtitleDocument d = test::SsaDoc({test::Ssa("0:00:03.00", "0:00:04.00", "kot")});
    SubtitleLine sub{kFormatSsa, 5.0, 6.0, "kot|pies"};
    std::string out;
    ASSERT_EQ(RewriteLine(d.lines[10], sub, 25.0, d.ssa, out), 1);
    EXPECT_EQ(out, test::Ssa("0:00:05.00", "0:00:06.00", "kot pies"));
}

TEST(SsaLayout, TimesDoNotDriftOverRewrites) {
    SubtitleDocument d = test::SsaDoc({test::Ssa("0:17:04.87", "0:17:05.29", "x")});
    const long last = static_cast<long>(d.lines.size());
    for (int i = 0; i < 12; ++i) {
        ShiftTimes(d, 1.0, true, true, 0, last);
        ShiftTimes(d, -1.0, true, true, 0, last);
    }
    EXPECT_EQ(d.lines.back(), test::Ssa("0:17:04.87", "0:17:05.29", "x"));
    // Every hundredth, read and written back, is the same text; a real fraction still truncates.
    for (int cc = 0; cc < 100; ++cc) {
        const std::string t = std::string("1:59:59.") + (cc < 10 ? "0" : "") + std::to_string(cc);
        EXPECT_EQ(WriteSsaTime(*ReadSsaTime(t)), t);
    }
    EXPECT_EQ(WriteSsaTime(59.999), "0:00:59.99");
}

TEST(SsaLayout, AnEventLineWithoutItsTextColumnIsUnreadable) {
    SubtitleDocument d = test::SsaDoc({"Dialogue: 0,0:00:03.00,0:00:04.00,Hello, world"});
    EXPECT_FALSE(IsLineValid(d.lines.back(), d.ssa));
    // No engine rewrites it, so its words stay.
    ShiftTimes(d, 1.0, true, true, 0, static_cast<long>(d.lines.size()));
    EXPECT_EQ(d.lines.back(), "Dialogue: 0,0:00:03.00,0:00:04.00,Hello, world");
    // The Text column present but empty is a readable line without text.
    EXPECT_TRUE(IsLineValid("Dialogue: Marked=0,0:00:01.00,0:00:02.00,NORMAL,00,0000,0000,0000,,", d.ssa));
}

TEST(SsaLayout, StampingWritesOnlyTheStampedTime) {
    SubtitleDocument d = Script("Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
                                {"Dialogue: 1,0:00:01.00,0:00:02.00,Sign,Anna,0010,0020,0030,Banner;5,Hi, you"});
    StampSettings s;
    s.LeaveFramesDifference = false;
    StampResult r = StampLine(d.lines.back(), 5.5, StampEdge::Start, s, kFormatFrame, 25.0, d.ssa);
    EXPECT_EQ(r.line, "Dialogue: 1,0:00:05.50,0:00:02.00,Sign,Anna,0010,0020,0030,Banner;5,Hi, you");
}
