#pragma once
// Decoding one audio stream of a movie to 16 kHz mono 16-bit samples (FFmpeg's libraries).
// No Qt. Damaged packets are skipped and counted; a gap they leave is filled with silence so
// that sample positions keep matching the movie's time.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/messages.h"

namespace kravelo::media {

inline constexpr int kAnalysisRate = 16000;  // samples per second handed to the sinks

struct AudioStreamInfo {
    int index = -1;        // the container's stream index
    std::string codec;     // decoder name, e.g. "aac"
    int channels = 0;
    int sampleRate = 0;
    std::string language;  // the stream's "language" tag, if any
    std::string title;     // the stream's "title" tag, if any
    bool isDefault = false;  // the stream decoding picks when none is asked for
};

// The audio streams of a file; empty with `error` set when it cannot be opened.
std::vector<AudioStreamInfo> ListAudioStreams(const std::string& path, std::string& error);

struct DecodeResult {
    bool ok = false;          // decoding ran to the end of the file
    bool cancelled = false;
    std::string error;        // why the file could not be decoded
    int stream = -1;          // the stream decoded
    long packets = 0;         // packets of that stream read
    long corruptPackets = 0;  // packets the demuxer or decoder refused (skipped)
    long long samples = 0;    // samples handed to the sink
    double duration = 0.0;    // seconds of audio handed to the sink
};

// Receives consecutive samples at kAnalysisRate, mono. Called on the decoding thread.
using SampleSink = std::function<void(const int16_t* samples, std::size_t count)>;

// Decodes stream `stream` (a container stream index; -1 picks the best audio stream) from the
// movie's time 0. Progress runs 0..1000 over the stream's duration; `cancel` is read per packet.
DecodeResult DecodeAudio(const std::string& path, int stream, const SampleSink& sink,
                         const ProgressFn& progress = {}, const std::atomic<bool>* cancel = nullptr);

}  // namespace kravelo::media
