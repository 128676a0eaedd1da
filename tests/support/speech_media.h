#pragma once
// Small movies for the audio tests, made by the ffmpeg program: a voiced sound (a gliding
// harmonic tone with a syllable rhythm, which the voice detector takes for speech) in each
// burst, digital silence elsewhere.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kravelo::test {

struct Burst {
    double start, end;  // seconds
};

inline std::string VoicedExpression(const std::vector<Burst>& bursts) {
    std::string gate;
    char buf[96];
    for (const Burst& b : bursts) {
        std::snprintf(buf, sizeof buf, "%sbetween(t,%.3f,%.3f)", gate.empty() ? "" : "+", b.start, b.end);
        gate += buf;
    }
    if (gate.empty()) gate = "0";
    const std::string f = "(140+30*sin(2*PI*2*t))";
    return "if(gt(" + gate + ",0),(0.25*sin(2*PI*" + f + "*t)+0.15*sin(4*PI*" + f + "*t)+0.1*sin(6*PI*" + f +
           "*t))*(0.55+0.45*sin(2*PI*4*t)),0)";
}

struct MovieSpec {
    std::vector<Burst> bursts;
    double duration = 10.0;
    std::string audioCodec = "aac";  // ffmpeg encoder name
    int rate = 48000;
    bool video = true;               // a small test picture as stream 0
    bool silentFirstTrack = false;   // an extra, silent audio stream before the voiced one
};

// Writes the movie; false when ffmpeg failed.
inline bool MakeSpeechMovie(const std::string& path, const MovieSpec& m) {
    char dur[32];
    std::snprintf(dur, sizeof dur, "%.3f", m.duration);
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
    cmd += " -f lavfi -i \"aevalsrc='" + VoicedExpression(m.bursts) + "':s=" + std::to_string(m.rate) + ":d=" + dur +
           "\"";
    maps += " -map " + std::to_string(input++) + ":a";
    cmd += maps;
    if (m.video) cmd += " -c:v mpeg4 -q:v 31";
    cmd += " -c:a " + m.audioCodec + " '" + path + "'";
    return std::system(cmd.c_str()) == 0;
}

}  // namespace kravelo::test
