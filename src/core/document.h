#pragma once
// A subtitle document as the engines see it: its lines and the state that line reading needs.

#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/ssa.h"
#include "core/subtitle_line.h"

namespace kravelo {

struct SubtitleDocument {
    std::vector<std::string> lines;  // UTF-8, one editor line each
    double frameRate = 0.0;          // 0 = not set
    int documentFormat = 0;          // 0 none, 1 text family, 5 SSA, 99 SubRip awaiting conversion
    SsaTables ssa;                   // rebuilt by ReadSsaHeader whenever the header may change
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
