#pragma once
// A subtitle document as the engines see it: its lines and the state that line reading needs.

#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/ssa.h"
#include "core/subtitle_line.h"
#include "core/text_file.h"

namespace kravelo {

struct SubtitleDocument {
    std::vector<std::string> lines;  // UTF-8, one editor line each
    double frameRate = 0.0;          // 0 = not set
    int documentFormat = 0;          // 0 none, 1 text family, 5 SSA, 99 SubRip awaiting conversion
    SsaTables ssa;                   // rebuilt by ReadSsaHeader whenever the header may change
};

// The open document's state beside its lines: the file it came from, how that file was
// encoded, its format family, the frame rate frame lines are read with and its SSA tables.
struct DocumentState {
    std::string path;         // empty for a new document
    TextFormat textFormat;    // encoding, byte-order mark and line ending to write back
    double frameRate = 0.0;   // FrameRate; 0 = not set
    int documentFormat = 0;   // DocumentFormat: 0, 1..5, 99
    int fileFormat = 0;       // FileFormat: 0, 1, 5, 99
    int activeFormat = 3;     // ActiveFormat: the format new lines are written in
    SsaTables ssa;            // the SSA tables of the document
};

// Format family of a file name by its extension: ".txt" 1, ".ssa" 5, ".srt" 99, else 0.
int FormatFamilyOfPath(const std::string& path);

// Counts of start times that went backwards or repeated while lines were walked in order.
struct OrderReport {
    int unsorted = 0;
    int equal = 0;
    double previousStart = kNoStartTime;

    void Add(double start) {
        if (start == previousStart) ++equal;
        if (previousStart > start) ++unsorted;
        previousStart = start;
    }
    // ApperNotSorted wins over TheSameShowTime.
    std::optional<Message> Warning() const {
        if (unsorted > 0) return msg::ApperNotSorted;
        if (equal > 0) return msg::TheSameShowTime;
        return std::nullopt;
    }
};

}  // namespace kravelo
