#pragma once
// The document's lines as the audio aligner sees them: readable, non-empty lines with a real
// start and end (a missing end is the display's implicit one), and captions without speech
// marked as cues.

#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "ops/audio_sync.h"

namespace kravelo {

// A caption that names a sound instead of speech: every part between "|" is wholly in square or
// round brackets, or holds a music note. Italic markers and {...} codes are ignored.
bool IsCueText(std::string_view text);

// The lines of [first, last) in document order, read at the document's frame rate.
std::vector<SyncLine> SyncLinesOf(const SubtitleDocument& doc, long first, long last);

}  // namespace kravelo

namespace kravelo {

// A scale that is one of the usual frame-rate conversions (25/23.976, 25/24, 1001/1000 and
// their reciprocals, within 1e-4), as "25/23.976"; empty otherwise.
std::string StandardRatioName(double scale);

}  // namespace kravelo
