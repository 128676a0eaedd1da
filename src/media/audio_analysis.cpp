#include "media/audio_analysis.h"

#include "media/audio_decode.h"
#include "media/vad.h"

namespace kravelo::media {

AnalyzeResult AnalyzeMovieAudio(const std::string& moviePath, const AnalyzeOptions& options,
                                const ProgressFn& progress, const std::atomic<bool>* cancel) {
    AnalyzeResult result;
    const std::string folder = options.cacheFolder.empty() ? DefaultAudioCacheFolder() : options.cacheFolder;
    const std::optional<CacheKey> key = KeyOf(moviePath, options.stream);
    if (!key) {
        result.error = moviePath + ": cannot read the file";
        return result;
    }
    if (options.useCache) {
        if (auto cached = LoadCachedAnalysis(folder, *key)) {
            if (options.live) options.live->Reset(cached->peaks, true);
            result.ok = true;
            result.fromCache = true;
            result.analysis = std::move(*cached);
            return result;
        }
    }

    VoiceDetector vad;
    if (!vad.ok()) {
        result.error = "the voice detector could not be started";
        return result;
    }
    PeakBuilder peaks;
    if (options.live) options.live->Reset(Peaks{}, false);
    long long sinceSync = 0;
    const SampleSink sink = [&](const int16_t* samples, std::size_t count) {
        vad.Feed(samples, count);
        peaks.Feed(samples, count);
        sinceSync += static_cast<long long>(count);
        if (options.live && sinceSync >= kAnalysisRate / 4) {  // a view fills in four times a second of audio
            options.live->Sync(peaks.peaks());
            sinceSync = 0;
        }
    };
    DecodeResult d = DecodeAudio(moviePath, options.stream, sink, progress, cancel);
    if (d.cancelled || !d.ok) {
        result.cancelled = d.cancelled;
        result.error = d.error;
        return result;
    }
    vad.Finish();
    peaks.Finish();
    AudioAnalysis& a = result.analysis;
    a.speech = vad.TakeDecisions();
    a.peaks = peaks.TakePeaks();
    a.stream = options.stream;
    a.corruptPackets = d.corruptPackets;
    a.duration = d.duration;
    if (options.live) {
        options.live->Sync(a.peaks);
        options.live->MarkComplete();
    }
    if (options.useCache) {
        std::string error;
        if (!SaveCachedAnalysis(folder, *key, a, error)) result.cacheWarning = error;
    }
    result.ok = true;
    return result;
}

}  // namespace kravelo::media
