#pragma once
// The subtitle display: a cursor that walks the document forwards with the movie position,
// keeping the subtitle on screen and the one after it, and tells a sink when to show or hide
// a text. Lines are parsed only when the cursor moves or is rebuilt, never while it waits.
// Also the position texts of the status bar. No GUI here: the timers and windows that drive
// and draw it live in the player.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ssa.h"
#include "core/subtitle_line.h"

namespace kravelo {

struct SubtitleCursor {
    double PlayerPosition = 0.0;  // seconds, read at the start of the last tick
    double CurrentStart = 0.0;    // the subtitle shown, or the next one to show
    double CurrentEnd = 0.0;
    std::string CurrentText;  // raw, as in the line ("|" rows, "/" italics)
    double NextStart = 0.0;   // the subtitle after it
    double NextEnd = 0.0;
    std::string NextText;
    std::size_t LineIndex = 0;  // where the next read starts: always behind the look-ahead line
    bool SubtitleShown = false;
};

// Where the display sends its decisions.
class SubtitleDisplaySink {
  public:
    virtual ~SubtitleDisplaySink() = default;
    virtual void ShowSubtitle(std::string_view text) = 0;
    virtual void HideSubtitle() = 0;
    // The look-ahead starts before the subtitle that just became current: the lines are out
    // of order. Called in the middle of the tick, before the next subtitle is shown.
    virtual void SubtitlesNotSorted() {}
};

// What one tick looks at.
struct DisplayInput {
    const std::vector<std::string>* lines = nullptr;
    double frameRate = 0.0;
    const SsaTables* ssa = nullptr;  // null = no SSA columns known
    double position = 0.0;           // the player's position, seconds
    double movieLength = 0.0;        // seconds; 0 = unknown (no end test)
};

// One display tick. `resyncRequested` makes it rebuild the cursor from line 0 (and is cleared);
// otherwise only a subtitle that starts or ends is read. The caller skips the tick while the
// edit delay after a seek is running.
void DisplayTick(SubtitleCursor& cursor, bool& resyncRequested, const DisplayInput& input,
                 SubtitleDisplaySink& sink);

// The display's rebuild: walks from line 0 to the subtitle the display shows, or shows next,
// at `input.position` (the first one whose start is not before the position, or whose
// implicit end lies beyond it, or that has no end) and fills the cursor's current and
// look-ahead subtitles, with LineIndex behind the look-ahead. SubtitleShown is left alone.
// Returns the index just behind the current subtitle's line (the line count at the end).
std::size_t RebuildCursor(SubtitleCursor& cursor, const DisplayInput& input);

// The line of the subtitle the display's rebuild lands on at `input.position`: the go-to-line
// command's target. The last line when no subtitle is left; 0 for no lines.
std::size_t DisplayLineAt(const DisplayInput& input);

// Status-bar panel 0: "{frame}{frame total}", the frame truncated.
std::string FramePositionText(double position, double frameRate, long long frameTotal);
// Status-bar panel 1: "[deciseconds][length in deciseconds]", both rounded.
std::string DecisecondPositionText(double position, double movieLength);
// The position track bars count whole deciseconds (truncated); also their maximum from the length.
int PositionBarValue(double seconds);

// The file of the next part: the last group of digits before the extension counts up by one
// (film1.avi -> film2.avi, then film02.avi; cd01.avi -> cd2.avi, cd02.avi, cd002.avi), else the
// group before it, and so on. The first name `exists` accepts wins; empty when none does.
std::string NextPartName(std::string_view fileName, const std::function<bool(const std::string&)>& exists);

}  // namespace kravelo
