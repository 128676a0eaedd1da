#pragma once
// Small movies for the audio tests: a voiced sound (a gliding harmonic tone with a syllable
// rhythm, which the voice detector takes for speech) in each burst, digital silence elsewhere,
// muxed by the ffmpeg program.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kravelo::test {

struct Burst {
    double start, end;  // seconds
};

// The voiced sound at time t (seconds), full scale 1: harmonics of 140 +- 30 Hz (the swing
// twice a second), loudness rising and falling four times a second.
inline double Voiced(double t) {
    const double pi = 3.14159265358979323846;
    const double f = 140 + 30 * std::sin(2 * pi * 2 * t);
    return (0.25 * std::sin(2 * pi * f * t) + 0.15 * std::sin(4 * pi * f * t) + 0.1 * std::sin(6 * pi * f * t)) *
           (0.55 + 0.45 * std::sin(2 * pi * 4 * t));
}

// The bursts over digital silence as raw mono 16-bit samples (little-endian, as ffmpeg's s16le).
inline bool WriteVoicedPcm(const std::string& path, const std::vector<Burst>& bursts, double duration,
                           int rate) {
    const std::size_t n = static_cast<std::size_t>(duration * rate);
    std::vector<int16_t> pcm(n, 0);
    for (const Burst& b : bursts)
        for (std::size_t i = static_cast<std::size_t>(std::max(0.0, b.start) * rate);
             i < n && i < static_cast<std::size_t>(b.end * rate); ++i)
            pcm[i] = static_cast<int16_t>(std::lround(Voiced(static_cast<double>(i) / rate) * 32767));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(pcm.data(), 2, n, f) == n;
    return std::fclose(f) == 0 && written;
}

struct SpeechMovie {
    std::vector<Burst> bursts;
    double duration = 10.0;
    std::string audioCodec = "aac";  // ffmpeg encoder name
    int rate = 48000;
    bool video = true;               // a small test picture as stream 0
    bool silentFirstTrack = false;   // an extra, silent audio stream before the voiced one
};

// Writes the movie; false when ffmpeg failed.
inline bool MakeSpeechMovie(const std::string& path, const SpeechMovie& m) {
    char dur[32];
    std::snprintf(dur, sizeof dur, "%.3f", m.duration);
    const std::string pcm = path + ".voice.raw";
    if (!WriteVoicedPcm(pcm, m.bursts, m.duration, m.rate)) return false;
    std::string cmd = "ffmpeg -nostdin -v error -y";
    std::string maps;
    int input = 0;
    if (m.video) {
        cmd += std::string(" -f lavfi -i testsrc=size=160x90:rate=25:duration=") + dur;
        maps += " -map " + std::to_string(input++) + ":v";
    }
    if (m.silentFirstTrack) {
        cmd += " -f lavfi -i anullsrc=r=" + std::to_string(m.rate) + ":cl=stereo:d=" + dur;
        maps += " -map " + std::to_string(input++) + ":a";
    }
    cmd += " -f s16le -ar " + std::to_string(m.rate) + " -ac 1 -i '" + pcm + "'";
    maps += " -map " + std::to_string(input++) + ":a";
    cmd += maps;
    if (m.video) cmd += " -c:v mpeg4 -q:v 31";
    cmd += " -c:a " + m.audioCodec + " '" + path + "'";
    const bool ok = std::system(cmd.c_str()) == 0;
    std::remove(pcm.c_str());
    return ok;
}

}  // namespace kravelo::test
