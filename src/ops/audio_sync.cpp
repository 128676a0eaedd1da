#include "ops/audio_sync.h"

namespace kravelo {

SyncResult AlignToSpeech(const std::vector<SyncLine>&, const SpeechTrack&, const SyncOptions&, const ProgressFn&,
                         const std::atomic<bool>*) {
    return {};
}

SpeechTrack SpeechFromLines(const std::vector<SyncLine>&) { return {}; }

CorrectResult ApplySync(SubtitleDocument&, long, long, const SyncResult&, const ProgressFn&) { return {}; }

}  // namespace kravelo
