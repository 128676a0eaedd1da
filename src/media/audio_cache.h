#pragma once
// The cache of a movie's analysed audio (speech track and waveform peaks) under
// $XDG_CACHE_HOME/kravelo/audio/, so that a second look at the same movie skips decoding.
// An entry is keyed by the movie's canonical path, size, modification time and audio stream.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/peaks.h"

namespace kravelo::media {

struct AudioAnalysis {
    double frameSeconds = 0.01;
    std::vector<uint8_t> speech;  // 1 = speech, one per frame
    Peaks peaks;
    int stream = -1;              // the stream asked for (-1: the default one)
    long corruptPackets = 0;
    double duration = 0.0;        // seconds of audio decoded
};

struct CacheKey {
    std::string path;      // canonical
    uint64_t size = 0;
    int64_t mtimeNs = 0;
    int stream = -1;
};

// The key of a movie file as it is now; nullopt when the file cannot be read.
std::optional<CacheKey> KeyOf(const std::string& moviePath, int stream);

// $XDG_CACHE_HOME/kravelo/audio when XDG_CACHE_HOME is absolute, else $HOME/.cache/kravelo/audio.
std::string DefaultAudioCacheFolder();

// The entry's file name in `folder`.
std::string CacheFilePath(const std::string& folder, const CacheKey& key);

// The entry for `key`, or nullopt when there is none or it is damaged or stale.
std::optional<AudioAnalysis> LoadCachedAnalysis(const std::string& folder, const CacheKey& key);

// Writes the entry (the folder is made when missing). False with `error` when it cannot.
bool SaveCachedAnalysis(const std::string& folder, const CacheKey& key, const AudioAnalysis& analysis,
                        std::string& error);

}  // namespace kravelo::media
