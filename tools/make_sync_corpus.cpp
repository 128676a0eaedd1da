// Makes a synthetic movie for the audio sync tests: espeak-ng dialogue at known times over pink
// noise, music interludes, a music bed and effect bursts, muxed by the ffmpeg command with a
// generated picture; the correctly timed subtitles and eight mistimed versions of them.
// Everything follows from the seed (and the espeak-ng version).
//
//   make_sync_corpus --out DIR [--seed N] [--minutes M] [--hard] [--no-video] [--ac3]
//                    [--subtitles-only]
//
// DIR receives movie.mkv (or movie.mka with --no-video; nothing with --subtitles-only),
// truth.srt, speech.txt (true speech intervals, seconds, one per line), and for each case
// CASE.srt with CASE.truth.srt, the true times of the same lines in the same order.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 48000;

struct Rng {
    uint64_t state;
    uint64_t Next() {  // splitmix64
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double Uniform() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
    double Uniform(double a, double b) { return a + (b - a) * Uniform(); }
    int Int(int a, int b) { return a + static_cast<int>(Next() % static_cast<uint64_t>(b - a + 1)); }
};

const char* const kWords[] = {
    "the", "a", "man", "woman", "house", "river", "tomorrow", "never", "always", "window", "light", "dark",
    "money", "train", "station", "letter", "garden", "doctor", "captain", "brother", "sister", "mother", "father",
    "city", "night", "morning", "coffee", "table", "door", "road", "car", "phone", "call", "wait", "listen",
    "look", "go", "come", "back", "here", "there", "now", "later", "please", "sorry", "thank", "you", "we",
    "they", "he", "she", "it", "is", "was", "will", "be", "have", "had", "not", "know", "think", "want",
    "need", "find", "lost", "found", "open", "close", "quiet", "loud", "fast", "slow", "money", "gold", "old",
    "new", "young", "cold", "warm", "rain", "snow", "sun", "moon", "star", "ship", "island", "forest", "bridge",
    "tower", "king", "queen", "soldier", "secret", "story", "music", "dance", "dinner", "breakfast", "office",
    "police", "hospital", "school", "teacher", "friend", "enemy", "plan", "problem", "answer", "question",
    "yesterday", "today", "maybe", "really", "exactly", "nothing", "everything", "somebody", "nobody", "home",
    "away", "together", "alone", "remember", "forget"};
const char* const kVoices[] = {"en-us", "en", "en-gb-scotland", "en+f3", "en-us+f2", "en+m3", "en-029", "en-gb-x-rp"};

double Db(double db) { return std::pow(10.0, db / 20.0); }

// Pink noise (a sum of first-order filters over white noise), unit RMS roughly.
struct Pink {
    double b[7] = {};
    double Next(Rng& rng) {
        const double w = rng.Uniform(-1.0, 1.0);
        b[0] = 0.99886 * b[0] + w * 0.0555179;
        b[1] = 0.99332 * b[1] + w * 0.0750759;
        b[2] = 0.96900 * b[2] + w * 0.1538520;
        b[3] = 0.86650 * b[3] + w * 0.3104856;
        b[4] = 0.55000 * b[4] + w * 0.5329522;
        b[5] = -0.7616 * b[5] - w * 0.0168980;
        const double out = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + w * 0.5362;
        b[6] = w * 0.115926;
        return out * 0.2;
    }
};

// espeak-ng's WAV on stdout as it comes (16-bit mono at its own rate); empty on failure.
struct Voice {
    std::vector<int16_t> samples;
    uint32_t rate = 0;
};
Voice Speak(const std::string& voice, int speed, int pitch, const std::string& text) {
    const std::string command = "espeak-ng -v " + voice + " -s " + std::to_string(speed) + " -p " +
                                std::to_string(pitch) + " --stdout \"" + text + "\"";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::vector<char> bytes;
    char buffer[65536];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    if (pclose(pipe) != 0 || bytes.size() < 44) return {};
    Voice v;
    std::memcpy(&v.rate, bytes.data() + 24, 4);
    std::size_t data = 12;  // walk the chunks to "data"
    while (data + 8 <= bytes.size() && std::memcmp(bytes.data() + data, "data", 4) != 0) {
        uint32_t size = 0;
        std::memcpy(&size, bytes.data() + data + 4, 4);
        data += 8 + size;
    }
    data += 8;
    if (data > bytes.size() || v.rate == 0) return {};
    v.samples.resize((bytes.size() - data) / 2);
    std::memcpy(v.samples.data(), bytes.data() + data, v.samples.size() * 2);
    return v;
}

struct Spoken {
    double at = 0.0;  // where the samples begin, seconds
    Voice voice;      // kept at espeak-ng's rate (a 2-hour film would not fit at ours)
    double gain = 1.0;
    double onset = 0.0, offset = 0.0;
    bool subtitled = true;
};
struct Sub {
    double start, end;
    std::string text;
    bool cue = false;
};
struct Span {
    double start, end, level;
};

std::string SrtTime(double t) {
    long ms = std::lround(std::max(0.0, t) * 1000.0);
    char out[32];
    std::snprintf(out, sizeof out, "%02ld:%02ld:%02ld,%03ld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return out;
}

void WriteSrt(const std::filesystem::path& path, const std::vector<Sub>& subs) {
    std::ofstream out(path);
    for (std::size_t i = 0; i < subs.size(); ++i)
        out << i + 1 << "\n" << SrtTime(subs[i].start) << " --> " << SrtTime(subs[i].end) << "\n" << subs[i].text << "\n\n";
}

// A chord of three notes with harmonics, changing every two seconds.
float Music(double t, uint64_t seed) {
    static const double kRoots[] = {220.0, 246.9, 261.6, 293.7, 329.6, 349.2};
    const long chord = static_cast<long>(t / 2.0);
    Rng rng{seed * 1000003ULL + static_cast<uint64_t>(chord)};
    const double root = kRoots[rng.Int(0, 5)];
    double v = 0.0;
    for (double step : {1.0, 1.26, 1.5})
        for (int h = 1; h <= 4; ++h) v += std::sin(2 * M_PI * root * step * h * t) / (h * 1.5);
    const double within = t - chord * 2.0;
    return static_cast<float>(v * 0.25 * std::min(1.0, within * 20.0) * std::exp(-within * 0.4));
}

int Run(const std::string& command) {
    std::cerr << command << "\n";
    return std::system(command.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path out;
    uint64_t seed = 1;
    double minutes = 10.0;
    bool hard = false, video = true, ac3 = false, audio = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) out = argv[++i];
        else if (arg == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--minutes" && i + 1 < argc) minutes = std::atof(argv[++i]);
        else if (arg == "--hard") hard = true;
        else if (arg == "--no-video") video = false;
        else if (arg == "--ac3") ac3 = true;
        else if (arg == "--subtitles-only") audio = false;
        else {
            std::cerr << "usage: make_sync_corpus --out DIR [--seed N] [--minutes M] [--hard] [--no-video] [--ac3] "
                         "[--subtitles-only]\n";
            return 2;
        }
    }
    if (out.empty() || !(minutes > 0.0)) return 2;
    std::filesystem::create_directories(out);
    Rng rng{seed};
    const double length = minutes * 60.0;

    // Dialogue and interludes.
    std::vector<Spoken> spoken;
    std::vector<Sub> truth;
    std::vector<Span> interludes;
    double t = rng.Uniform(10.0, 12.0);
    int untilInterlude = rng.Int(8, 25);
    while (t < length - 8.0) {
        if (--untilInterlude == 0) {
            const double len = rng.Uniform(8.0, 45.0);
            if (t + len > length - 8.0) break;
            interludes.push_back({t, t + len, rng.Uniform(-24.0, -18.0)});
            if (rng.Uniform() < 0.3) truth.push_back({t + rng.Uniform(0.5, 2.0), t + len - 1.0, "[MUSIC]", true});
            t += len + rng.Uniform(0.5, 2.0);
            untilInterlude = rng.Int(8, 25);
            continue;
        }
        std::string text;
        const int words = rng.Int(3, 14);
        for (int w = 0; w < words; ++w) {
            if (w) text += ' ';
            text += kWords[rng.Next() % (sizeof kWords / sizeof *kWords)];
        }
        Spoken s;
        s.voice = Speak(kVoices[rng.Int(0, 7)], rng.Int(140, 200), rng.Int(30, 70), text);
        const std::vector<int16_t>& pcm = s.voice.samples;
        if (pcm.empty()) {
            std::cerr << "espeak-ng failed\n";
            return 1;
        }
        double peak = 0.0, energy = 0.0;
        for (int16_t v : pcm) {
            peak = std::max(peak, std::abs(v / 32768.0));
            energy += (v / 32768.0) * (v / 32768.0);
        }
        const double rms = std::sqrt(energy / static_cast<double>(pcm.size()));
        std::size_t first = 0, last = pcm.size();
        while (first < last && std::abs(pcm[first] / 32768.0) <= 0.04 * peak) ++first;
        while (last > first && std::abs(pcm[last - 1] / 32768.0) <= 0.04 * peak) --last;
        s.gain = Db(rng.Uniform(-24.0, -14.0)) / std::max(rms, 1e-6) / 32768.0;
        const double rate = s.voice.rate;
        s.at = t - static_cast<double>(first) / rate;
        s.onset = t;
        s.offset = s.at + static_cast<double>(last) / rate;
        if (s.offset + 1.0 > length) break;
        s.subtitled = rng.Uniform() >= 0.03;
        if (s.subtitled) {
            const double start = s.onset - rng.Uniform(0.0, 0.25);
            truth.push_back({start, std::max(s.offset + rng.Uniform(0.1, 0.6), start + 1.0), text, false});
        }
        t = s.offset + (rng.Uniform() < 0.5 ? rng.Uniform(0.15, 0.8) : rng.Uniform(0.8, 4.0));
        spoken.push_back(std::move(s));
    }
    std::sort(truth.begin(), truth.end(), [](const Sub& a, const Sub& b) { return a.start < b.start; });
    for (std::size_t i = 0; i + 1 < truth.size(); ++i) truth[i].end = std::min(truth[i].end, truth[i + 1].start - 0.08);

    // Music bed and effects.
    std::vector<Span> bed, effects;
    const double bedShare = hard ? 0.7 : 0.35, bedLevel = hard ? -22.0 : -34.0;
    for (double at = 0.0; at < length;) {
        const double len = rng.Uniform(20.0, 90.0);
        if (rng.Uniform() < bedShare) bed.push_back({at, at + len, bedLevel});
        at += len;
    }
    for (double at = -std::log(1.0 - rng.Uniform()) * 15.0; at < length; at += -std::log(1.0 - rng.Uniform()) * 15.0)
        effects.push_back({at, at + rng.Uniform(0.1, 1.2), rng.Uniform(-30.0, -16.0)});

    // Mixing, block by block, into a 16-bit WAV.
    const std::filesystem::path wav = out / "audio.wav";
    if (audio) {
        std::ofstream file(wav, std::ios::binary);
        const uint32_t samples = static_cast<uint32_t>(length * kRate);
        const auto put32 = [&](uint32_t v) { file.write(reinterpret_cast<const char*>(&v), 4); };
        const auto put16 = [&](uint16_t v) { file.write(reinterpret_cast<const char*>(&v), 2); };
        file.write("RIFF", 4);
        put32(36 + samples * 2);
        file.write("WAVEfmt ", 8);
        put32(16);
        put16(1);
        put16(1);
        put32(kRate);
        put32(kRate * 2);
        put16(2);
        put16(16);
        file.write("data", 4);
        put32(samples * 2);
        Pink noise, burst;
        Rng noiseRng{seed ^ 0xABCDEFULL};
        const std::size_t block = kRate * 10;
        std::vector<float> mix(block);
        std::vector<int16_t> pcm(block);
        std::size_t nextSpoken = 0;
        for (std::size_t begin = 0; begin < samples; begin += block) {
            const std::size_t count = std::min<std::size_t>(block, samples - begin);
            const double t0 = static_cast<double>(begin) / kRate, t1 = static_cast<double>(begin + count) / kRate;
            for (std::size_t i = 0; i < count; ++i) mix[i] = static_cast<float>(noise.Next(noiseRng) * Db(-48.0));
            for (const auto* spans : {&interludes, &bed})
                for (const Span& s : *spans) {
                    if (s.end <= t0 || s.start >= t1) continue;
                    for (std::size_t i = 0; i < count; ++i) {
                        const double at = static_cast<double>(begin + i) / kRate;
                        if (at < s.start || at >= s.end) continue;
                        const double fade = std::min({1.0, (at - s.start) * 2.0, (s.end - at) * 2.0});
                        mix[i] += static_cast<float>(Music(at, seed + (spans == &bed ? 7 : 0)) * Db(s.level) * fade * 2.0);
                    }
                }
            for (const Span& s : effects) {
                if (s.end <= t0 || s.start >= t1) continue;
                for (std::size_t i = 0; i < count; ++i) {
                    const double at = static_cast<double>(begin + i) / kRate;
                    if (at < s.start || at >= s.end) continue;
                    mix[i] += static_cast<float>(burst.Next(noiseRng) * Db(s.level) * 3.0 *
                                                 std::exp(-5.0 * (at - s.start) / (s.end - s.start)));
                }
            }
            const auto endOf = [](const Spoken& s) { return s.at + static_cast<double>(s.voice.samples.size()) / s.voice.rate; };
            while (nextSpoken < spoken.size() && endOf(spoken[nextSpoken]) < t0) ++nextSpoken;
            for (std::size_t k = nextSpoken; k < spoken.size() && spoken[k].at < t1; ++k) {
                const Spoken& s = spoken[k];
                const std::vector<int16_t>& in = s.voice.samples;
                const long offset = std::lround(s.at * kRate) - static_cast<long>(begin);
                const double step = static_cast<double>(s.voice.rate) / kRate;
                for (long i = std::max(0L, offset); i < static_cast<long>(count); ++i) {
                    const double x = static_cast<double>(i - offset) * step;
                    const std::size_t j = static_cast<std::size_t>(x);
                    if (j + 1 >= in.size()) break;
                    const double frac = x - static_cast<double>(j);
                    mix[static_cast<std::size_t>(i)] += static_cast<float>((in[j] + (in[j + 1] - in[j]) * frac) * s.gain);
                }
            }
            for (std::size_t i = 0; i < count; ++i)
                pcm[i] = static_cast<int16_t>(std::lround(std::clamp(mix[i], -1.0f, 1.0f) * 32767.0f));
            file.write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(count * 2));
        }
    }

    // The true subtitles, the speech, and the mistimed cases.
    WriteSrt(out / "truth.srt", truth);
    {
        std::ofstream speech(out / "speech.txt");
        speech.precision(3);
        for (const Spoken& s : spoken) speech << std::fixed << s.onset << " " << s.offset << "\n";
    }
    const std::size_t breakAt = truth.size() * 2 / 5;
    // The scene cut: the first interlude of 15 s or more from 50 % (60 % for the double split) on.
    const auto cutScene = [&](double from) {
        for (const Span& s : interludes)
            if (s.start >= from * length && s.end - s.start >= 15.0) return s;
        for (auto it = interludes.rbegin(); it != interludes.rend(); ++it)
            if (it->end - it->start >= 15.0) return *it;
        return Span{length, length, 0.0};
    };
    const Span cut = cutScene(0.5), cut2 = cutScene(0.6);
    struct Case {
        const char* name;
        std::function<double(double, std::size_t)> time;
        Span removed;  // captions inside it are dropped
    };
    const Span none{-1.0, -1.0, 0.0};
    const Case cases[] = {
        {"offset", [](double x, std::size_t) { return x + 2.345; }, none},
        {"offset_neg", [](double x, std::size_t) { return x - 7.89; }, none},
        {"fps_25_to_23976", [](double x, std::size_t) { return x * 23.976 / 25.0 + 1.2; }, none},
        {"fps_23976_to_25", [](double x, std::size_t) { return x * 25.0 / 23.976 - 0.8; }, none},
        {"adbreak", [&](double x, std::size_t i) { return x + 1.5 + (i >= breakAt ? 37.0 : 0.0); }, none},
        {"cut", [&](double x, std::size_t) { return x + 0.7 - (x >= cut.end ? cut.end - cut.start : 0.0); }, cut},
        {"fps_2splits",
         [&](double x, std::size_t i) {
             const double u = x + (i >= breakAt ? 30.0 : 0.0) - (x >= cut2.end ? cut2.end - cut2.start : 0.0);
             return u * 23.976 / 25.0 + 0.4;
         },
         cut2},
        {"odd_drift", [](double x, std::size_t) { return x * 1.003 - 1.0; }, none},
    };
    for (const Case& c : cases) {
        std::vector<Sub> input, expected;
        for (std::size_t i = 0; i < truth.size(); ++i) {
            const Sub& s = truth[i];
            if (s.start >= c.removed.start && s.start < c.removed.end) continue;
            input.push_back({c.time(s.start, i), c.time(s.end, i), s.text, s.cue});
            expected.push_back(s);
        }
        WriteSrt(out / (std::string(c.name) + ".srt"), input);
        WriteSrt(out / (std::string(c.name) + ".truth.srt"), expected);
    }

    // The movie.
    if (!audio) return 0;
    const std::string quiet = "ffmpeg -nostdin -hide_banner -loglevel error -y ";
    const std::string audioCodec = ac3 ? " -c:a ac3 -b:a 640k -af \"pan=5.1|FL=0.3*c0|FR=0.3*c0|FC=c0|LFE=0.1*c0|BL=0.2*c0|BR=0.2*c0\""
                                       : " -c:a aac -b:a 128k";
    const std::string movie = (out / (video ? "movie.mkv" : "movie.mka")).string();
    std::string command = quiet;
    if (video)
        command += "-f lavfi -i testsrc=size=160x90:rate=24000/1001 -i \"" + wav.string() +
                   "\" -shortest -c:v libx264 -preset ultrafast -crf 40" + audioCodec + " \"" + movie + "\"";
    else
        command += "-i \"" + wav.string() + "\"" + audioCodec + " \"" + movie + "\"";
    if (Run(command) != 0) return 1;
    std::filesystem::remove(wav);
    std::cerr << truth.size() << " subtitles, " << spoken.size() << " spoken lines, " << interludes.size()
              << " interludes\n";
    return 0;
}
