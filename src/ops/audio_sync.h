#pragma once
// Synchronising subtitles with a movie's speech: the subtitles' lines are matched against a
// speech track (one speech/no-speech decision per frame of 10 ms) to find a frame-rate scale and
// one or more pieces of lines, each moved by its own offset (an ad break or a cut scene makes a
// new piece). The speech track comes from the movie's audio (src/media) or from a correctly
// timed subtitle file (SpeechFromLines).

#include <atomic>
#include <cstdint>
#include <vector>

#include "core/document.h"
#include "ops/delay.h"

namespace kravelo {

struct SpeechTrack {  // one decision per frame
    double frameSeconds = 0.01;
    std::vector<uint8_t> speech;  // 1 = speech
};

// One subtitle as the aligner sees it. cue: a caption without speech ("[MUSIC]", "♪ …", "(…)"),
// which scores nothing and moves with its neighbours. line: the document's line index.
struct SyncLine {
    double start, end;
    bool cue;
    long line;
};

struct SyncOptions {
    double maxOffset = 300.0;     // seconds each way; ad breaks can be longer: a user setting
    bool splits = true;
    double splitPenalty = 7.0;    // P; p = P/1000 * sum of line lengths in frames
    bool fixRate = true;
    double gapSeconds = 1.5;      // silence expected after a line
    double minConfidence = 5.0;   // peak z-score; below: not trustworthy
};

// Lines firstLine..lastLine (document line indices of the first and last line of the piece in
// time order) are moved to t' = scale * t + offset.
struct SyncPiece {
    long firstLine, lastLine;
    double scale, offset;
};

struct SyncResult {
    std::vector<SyncPiece> pieces;  // in time order; empty when there was nothing to align
    double scale = 1.0, confidence = 0.0;
    bool trustworthy = false;
    long splits = 0;
    bool cancelled = false;         // the cancel flag was raised: pieces is empty
};

// Aligns the lines to the speech track. Progress: one tick per line of each search; `cancel`
// is polled and stops the search with an empty, untrustworthy result.
SyncResult AlignToSpeech(const std::vector<SyncLine>& lines, const SpeechTrack& speech, const SyncOptions& options,
                         const ProgressFn& progress = {}, const std::atomic<bool>* cancel = nullptr);

// The speech track of a correctly timed subtitle file: every non-cue line is speech, 10 ms frames.
SpeechTrack SpeechFromLines(const std::vector<SyncLine>& reference);

// Moves every readable, non-empty line of [first, last) by the piece it belongs to (start and,
// when not 0, end), written back in its own format. A line belongs to the piece whose first line
// precedes it in time order. Reports NegativeShowTime when a time went below 0.
CorrectResult ApplySync(SubtitleDocument& doc, long first, long last, const SyncResult& result,
                        const ProgressFn& progress = {});

}  // namespace kravelo
