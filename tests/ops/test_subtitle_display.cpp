#include <gtest/gtest.h>

#include <set>

#include "ops/subtitle_display.h"

using namespace kravelo;

namespace {

using Lines = std::vector<std::string>;

// Records what the display asked for: "+text", "-" and "unsorted".
struct Recorder : SubtitleDisplaySink {
    std::vector<std::string> log;
    std::string shown;  // what is on screen now ("" = nothing)
    void ShowSubtitle(std::string_view text) override { log.push_back("+" + std::string(shown = text)); }
    void HideSubtitle() override { log.push_back("-"), shown.clear(); }
    void SubtitlesNotSorted() override { log.push_back("unsorted"); }
};

struct Display {
    Lines lines;
    SubtitleCursor cursor;
    bool resync = true;
    Recorder sink;
    double movieLength = 0.0;

    explicit Display(Lines l) : lines(std::move(l)) {}
    // Ticks at `t` and returns what was logged by this tick.
    std::vector<std::string> At(double t) {
        sink.log.clear();
        DisplayTick(cursor, resync, {.lines = &lines, .frameRate = 25.0, .position = t, .movieLength = movieLength}, sink);
        return sink.log;
    }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(DisplayTick, ImplicitEndIsCutAtTheNextStart) {
    // Frame 125 = 5.0 s; no end and ten characters: 5.0 + 2.0 + 10 x 0.06 = 7.6 s.
    Display d({"{125}{0}0123456789", "[100][120]Later"});
    EXPECT_EQ(d.At(4.9), Log{"-"});  // the first tick rebuilds and hides
    EXPECT_EQ(d.At(5.0), Log{"+0123456789"});
    EXPECT_EQ(d.At(7.59), Log{});
    EXPECT_EQ(d.At(7.6), Log{"-"});
    EXPECT_EQ(d.At(10.0), Log{"+Later"});
    EXPECT_EQ(d.At(11.0), Log{});  // a movie of unknown length does not end it
    d.movieLength = 11.0;
    EXPECT_EQ(d.At(11.0), Log{"-"});  // the movie's end does
    // The end itself (an end before the start, the cut at the next start) is ImplicitEndTime's.
}

TEST(DisplayTick, OverlapsAndSkippedLines) {
    // Empty, unreadable and start-0-without-text lines carry no subtitle.
    Display d({"", "{0}{0}", "garbage", "[10][50]A", "", "[30][60]B", "[0][0]"});
    d.At(1.0);
    EXPECT_EQ(d.sink.shown, "A");
    EXPECT_EQ(d.At(2.9), Log{});
    // The first is cut at the second's start.
    EXPECT_EQ(d.At(3.0), (Log{"-", "+B"}));
    EXPECT_EQ(d.At(6.0), Log{"-"});

    // A document without subtitles gives the end marker at once and never shows it.
    Display none({"", "{0}{0}", "x"});
    EXPECT_EQ(none.At(0.0), Log{"-"});
    EXPECT_EQ(none.At(99999999.0 - 1), Log{});
}

TEST(DisplayTick, ResyncFindsTheSubtitleAtThePosition) {
    // S<i> runs from 2i to 2i + 1 seconds.
    Lines lines;
    for (int i = 0; i < 100; ++i)
        lines.push_back("[" + std::to_string(i * 20) + "][" + std::to_string(i * 20 + 10) + "]S" +
                        std::to_string(i));
    Display d(lines);
    d.At(50.5);
    EXPECT_EQ(d.sink.shown, "S25");
    EXPECT_EQ(d.cursor.NextText, "S26");

    // Moving backwards only takes effect through a resync.
    EXPECT_EQ(d.At(10.5), Log{});
    d.resync = true;
    EXPECT_EQ(d.At(10.5), (Log{"-", "+S5"}));

    // Between two subtitles the next one waits, hidden.
    d.resync = true;
    EXPECT_EQ(d.At(11.5), Log{"-"});
    EXPECT_EQ(d.At(12.0), Log{"+S6"});

    // Lines that vanish under the cursor read as the end of the document.
    d.lines.resize(3);
    EXPECT_EQ(d.At(13.0), Log{"-"});
}

TEST(DisplayTick, UnsortedLinesAreReportedAndPlayedInDocumentOrder) {
    Display d({"[10][20]A", "[50][60]C", "[30][40]B", "[70][80]D"});
    d.At(1.0);
    // C becomes current with B (3.0 s) after it: out of order.
    EXPECT_EQ(d.At(2.0), (Log{"-", "unsorted"}));
    // C's end is cut at B's start, so it goes at once and B, long due, follows in the same tick.
    EXPECT_EQ(d.At(5.0), (Log{"+C", "-", "+B"}));
    EXPECT_EQ(d.At(6.0), Log{"-"});

    // A resync of an unsorted document takes the first line in document order whose end lies
    // beyond the position.
    d.resync = true;
    d.At(2.5);
    EXPECT_EQ(d.cursor.CurrentText, "C");
    EXPECT_EQ(d.cursor.CurrentEnd, 3.0);
}

TEST(DisplayTexts, StatusBarPanelsAndTrackBar) {
    EXPECT_EQ(FramePositionText(3.999, 25.0, 250), "{99}{250}");  // frames truncated
    EXPECT_EQ(DecisecondPositionText(1.25, 10.04), "[13][100]");  // deciseconds rounded
    EXPECT_EQ(PositionBarValue(1.29), 12);
    EXPECT_EQ(PositionBarValue(1e300), 2147483647);
}

TEST(NextPartName, CountsUpTheLastDigitGroupWithLeadingZeros) {
    std::set<std::string> files;
    std::vector<std::string> asked;
    auto exists = [&](const std::string& f) {
        asked.push_back(f);
        return files.count(f) > 0;
    };

    // The names are tried in the order the last check records, the first one found is taken.
    files = {"/m/film02.avi"};
    EXPECT_EQ(NextPartName("/m/film1.avi", exists), "/m/film02.avi");

    asked.clear();
    files = {};
    EXPECT_EQ(NextPartName("/m/cd01.avi", exists), "");
    EXPECT_EQ(asked, (std::vector<std::string>{"/m/cd2.avi", "/m/cd02.avi", "/m/cd002.avi"}));

    // 9 -> 10 (and 010); digits of the extension do not count; an earlier group is next.
    asked.clear();
    EXPECT_EQ(NextPartName("/m/s1e9.mp4", exists), "");
    EXPECT_EQ(asked, (std::vector<std::string>{"/m/s1e10.mp4", "/m/s2e9.mp4", "/m/s02e9.mp4"}));

    // Folder names take part when the name has no group of its own; no extension is fine.
    files = {"/cd2/film.avi"};
    EXPECT_EQ(NextPartName("/cd1/film.avi", exists), "/cd2/film.avi");
    files = {"/m/part3"};
    EXPECT_EQ(NextPartName("/m/part2", exists), "/m/part3");
    // A dot in a folder name is no extension.
    files = {"/v1.0/film3"};
    EXPECT_EQ(NextPartName("/v1.0/film2", exists), "/v1.0/film3");

    // Long groups count up as text, without overflow.
    files = {"/m/x100000000000000000000.avi"};
    EXPECT_EQ(NextPartName("/m/x99999999999999999999.avi", exists), "/m/x100000000000000000000.avi");
    EXPECT_EQ(NextPartName("", exists), "");
}

TEST(DisplayLineAt, TheLineTheDisplayRebuildLandsOn) {
    const Lines lines{"{0}{50}Jeden", "", "garbage", "{100}{150}Dwa", "{500}{600}Trzy", ""};
    DisplayInput in{.lines = &lines, .frameRate = 25.0};
    auto at = [&](double t) {
        in.position = t;
        return DisplayLineAt(in);
    };
    EXPECT_EQ(at(5.0), 3u);  // Dwa, 4..6 s
    EXPECT_EQ(at(7.0), 4u);  // between subtitles: the next one
    // Which subtitle is current (out of order too) is the display tick's resync, tested above.
    EXPECT_EQ(at(30.0), 5u);  // past the last subtitle: the last line

    const Lines none;
    in.lines = &none;
    EXPECT_EQ(at(1.0), 0u);
    in.lines = nullptr;
    EXPECT_EQ(at(1.0), 0u);
}
