#pragma once
// A summary of a document for `kravelo-cli info`: line formats, subtitles, time span and order.

#include <array>

#include "core/document.h"

namespace kravelo {

struct DocumentInfo {
    std::array<long, 6> formats{};  // non-empty lines by format; [0] = unreadable
    long empty = 0;                 // empty lines
    long header = 0;                // SSA header lines (documentFormat 5), not examined
    long subtitles = 0;             // lines NextSubtitle stops at
    double firstTime = 0.0;         // earliest start of a subtitle
    double lastTime = 0.0;          // latest start or end of a subtitle
    OrderReport order;              // starts in line order: backwards steps and repeats
    long firstUnsortedLine = -1;    // first subtitle whose next subtitle starts at the same time or earlier
};

DocumentInfo DescribeDocument(const SubtitleDocument& doc);

}  // namespace kravelo
