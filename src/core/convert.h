#pragma once
// Format conversion: subtitle lines rewritten in a target format, and SubRip text turned into
// one subtitle line per block.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/document.h"

namespace kravelo {

// "HH:MM:SS,mmm"; nullopt when a part is missing or not a whole integer.
std::optional<double> ReadSubRipTime(std::string_view s);

struct SubRipBlock {
    double start = 0.0;
    double end = 0.0;
    std::string text;  // the block's lines joined with "|", blank lines left out
};

// Reads the block whose time line is the first at or after `index`. `block.end` keeps its
// previous value when the time line's end is unreadable (position data after it, say).
// Returns false when no time line remains. Moves `index` to where the next block's search
// starts: never back onto this block and never past the next time line.
bool ReadSubRipBlock(const std::vector<std::string>& lines, std::size_t& index, SubRipBlock& block);

// Rewrites the readable lines of [first, last) in `target`. SubRip documents go to
// ConvertSubRip; an SSA document loses its header first, and a conversion to SSA inserts a new
// one; the range moves with them. The SSA tables are re-read quietly afterwards.
OrderReport ConvertLines(SubtitleDocument& doc, int target, const SsaOptions& ssaOptions, long& first, long& last,
                         const ProgressFn& progress = {});

// Turns the whole SubRip document into one line per block in `target`.
OrderReport ConvertSubRip(SubtitleDocument& doc, int target, const SsaOptions& ssaOptions,
                          const ProgressFn& progress = {});

}  // namespace kravelo
