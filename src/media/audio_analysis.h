#pragma once
// A movie's audio analysed in one decoding pass: the speech track (10 ms decisions of the voice
// detector) and the waveform peaks, taken from the cache when the movie has not changed.

#include <atomic>
#include <memory>
#include <string>

#include "core/messages.h"
#include "media/audio_cache.h"

namespace kravelo::media {

struct AnalyzeOptions {
    int stream = -1;           // container stream index; -1 the default audio stream
    std::string cacheFolder;   // empty: DefaultAudioCacheFolder()
    bool useCache = true;      // read and write the cache
    std::shared_ptr<PeakStore> live;  // when set, filled while decoding (for a waveform view)
};

struct AnalyzeResult {
    bool ok = false;
    bool cancelled = false;
    bool fromCache = false;
    std::string error;         // why there is no analysis
    std::string cacheWarning;  // the analysis is fine but could not be cached
    AudioAnalysis analysis;
};

// Progress runs 0..1000 while decoding (nothing on a cache hit); `cancel` is read per packet.
AnalyzeResult AnalyzeMovieAudio(const std::string& moviePath, const AnalyzeOptions& options,
                                const ProgressFn& progress = {}, const std::atomic<bool>* cancel = nullptr);

}  // namespace kravelo::media
