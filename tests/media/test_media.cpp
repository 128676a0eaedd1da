// The media library on small movies made by ffmpeg: decoding a chosen stream, the voice
// detector's speech regions, waveform peaks, the cache and damaged files.

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "media/audio_analysis.h"
#include "media/audio_decode.h"
#include "media/vad.h"
#include "support/speech_media.h"
#include "support/temp_dir.h"

using namespace kravelo::media;
using kravelo::test::Burst;
using kravelo::test::MakeSpeechMovie;
using kravelo::test::SpeechMovie;
using kravelo::test::TempDir;

namespace {

// Speech decisions in [from, to) (10 ms frames) that are set.
long SpeechIn(const std::vector<uint8_t>& s, long from, long to) {
    long n = 0;
    for (long i = from; i < to && i < static_cast<long>(s.size()); ++i) n += s[static_cast<std::size_t>(i)];
    return n;
}

// The test movies' voiced sound at 16 kHz.
std::vector<int16_t> Voiced(double seconds) {
    std::vector<int16_t> v(static_cast<std::size_t>(seconds * 16000));
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<int16_t>(kravelo::test::Voiced(i / 16000.0) * 32767);
    return v;
}

const std::vector<Burst> kBursts{{2.0, 4.0}, {6.0, 8.0}};

}  // namespace

TEST(VoiceDetector, DecidesPerTenMillisecondsWhateverTheChunks) {
    std::vector<int16_t> audio(16000, 0);  // 1 s silence, 1 s voice, 1 s silence
    std::vector<int16_t> voice = Voiced(1.0);
    audio.insert(audio.end(), voice.begin(), voice.end());
    audio.insert(audio.end(), 16000 + 50, 0);  // and a partial frame at the end

    VoiceDetector whole;
    whole.Feed(audio.data(), audio.size());
    whole.Finish();
    ASSERT_EQ(whole.Decisions().size(), 301u);
    EXPECT_GE(SpeechIn(whole.Decisions(), 105, 195), 85);  // what speech is, the movie tests check

    VoiceDetector pieces;
    std::size_t at = 0, step = 7;
    while (at < audio.size()) {
        std::size_t n = std::min(step, audio.size() - at);
        pieces.Feed(audio.data() + at, n);
        at += n;
        step = step * 3 % 401 + 1;
    }
    pieces.Finish();
    EXPECT_EQ(pieces.Decisions(), whole.Decisions());
}

TEST(Peaks, BothLevelsPartialBucketsAndTheSharedStore) {
    std::vector<int16_t> ramp(1100);
    std::iota(ramp.begin(), ramp.end(), int16_t{-500});
    PeakBuilder b;
    b.Feed(ramp.data(), 5);
    b.Feed(ramp.data() + 5, 1000);
    b.Feed(ramp.data() + 1005, 95);
    PeakStore store;
    store.Sync(b.peaks());  // while decoding: full buckets only
    EXPECT_EQ(store.DecodedSamples(), 17 * 64);
    b.Finish();
    const Peaks& p = b.peaks();
    ASSERT_EQ(p.fine.size(), 18u);
    EXPECT_EQ(p.fine.mins[17], 588);  // the last bucket holds 12 samples
    EXPECT_EQ(p.fine.maxs[17], 599);
    ASSERT_EQ(p.coarse.size(), 2u);
    EXPECT_EQ(p.coarse.mins[1], 524);

    store.Sync(p);
    store.MarkComplete();
    int16_t lo = 0, hi = 0;
    ASSERT_TRUE(store.Range(64, 128, lo, hi));
    EXPECT_EQ(lo, -436);
    EXPECT_EQ(hi, -373);
    ASSERT_TRUE(store.Range(0, 1100, lo, hi));
    EXPECT_EQ(lo, -500);
    EXPECT_EQ(hi, 599);
    EXPECT_FALSE(store.Range(2000, 3000, lo, hi));
}

TEST(DecodeAudio, ChosenStreamSpeechRegionsAndPeaks) {
    TempDir dir;
    const std::string movie = dir.File("film.mkv");
    SpeechMovie recipe{kBursts};
    recipe.audioCodec = "pcm_s16le";
    recipe.silentFirstTrack = true;
    ASSERT_TRUE(MakeSpeechMovie(movie, recipe));

    std::string error;
    std::vector<AudioStreamInfo> streams = ListAudioStreams(movie, error);
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams[0].index, 1);
    EXPECT_EQ(streams[1].index, 2);

    AnalyzeOptions o;
    o.useCache = false;
    o.stream = 2;
    std::vector<long> ticks;
    AnalyzeResult r = AnalyzeMovieAudio(movie, o, [&](long pos, long, kravelo::ProgressColor) { ticks.push_back(pos); });
    ASSERT_TRUE(r.ok) << r.error;
    const AudioAnalysis& a = r.analysis;
    EXPECT_EQ(a.corruptPackets, 0);
    EXPECT_NEAR(a.duration, 10.0, 0.05);
    EXPECT_NEAR(static_cast<double>(a.speech.size()), 1000.0, 5.0);
    EXPECT_EQ(SpeechIn(a.speech, 0, 195), 0);
    EXPECT_EQ(SpeechIn(a.speech, 205, 395), 190);
    EXPECT_EQ(SpeechIn(a.speech, 410, 595), 0);  // the detector holds on for about 70 ms
    ASSERT_FALSE(ticks.empty());
    EXPECT_TRUE(std::is_sorted(ticks.begin(), ticks.end()));
    EXPECT_EQ(ticks.back(), 1000);

    // 4 ms peaks: flat zero in the silence, about half of full scale in the voice.
    const PeakLevel& fine = a.peaks.fine;
    EXPECT_NEAR(static_cast<double>(fine.size()), 10.0 * 16000 / 64, 3.0);
    EXPECT_EQ(fine.maxs[250], 0);  // 1.0 s
    EXPECT_EQ(fine.mins[250], 0);
    int16_t lo = 0, hi = 0;
    for (std::size_t i = 750; i < 1000; ++i) {  // 3..4 s
        lo = std::min(lo, fine.mins[i]);
        hi = std::max(hi, fine.maxs[i]);
    }
    EXPECT_GT(hi, 13000);
    EXPECT_LT(hi, 17000);
    EXPECT_LT(lo, -13000);

    o.stream = 1;  // the silent track
    r = AnalyzeMovieAudio(movie, o);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(SpeechIn(r.analysis.speech, 0, 1000), 0);

    o.stream = 0;  // the picture
    r = AnalyzeMovieAudio(movie, o);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("stream 0 is not an audio stream"), std::string::npos);
    o.stream = 7;
    EXPECT_FALSE(AnalyzeMovieAudio(movie, o).ok);
}

TEST(AnalyzeMovieAudio, SecondRunComesFromTheCacheUntilTheMovieChanges) {
    TempDir dir;
    const std::string movie = dir.File("film.mka");
    SpeechMovie recipe{kBursts};
    recipe.video = false;
    ASSERT_TRUE(MakeSpeechMovie(movie, recipe));
    AnalyzeOptions o;
    o.cacheFolder = dir.File("cache");
    const auto key = KeyOf(movie, -1);
    ASSERT_TRUE(key);

    // A cancelled run stops and leaves no entry.
    std::atomic<bool> cancel{false};
    AnalyzeResult stopped = AnalyzeMovieAudio(
        movie, o, [&](long pos, long, kravelo::ProgressColor) { if (pos > 0) cancel = true; }, &cancel);
    EXPECT_FALSE(stopped.ok);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_FALSE(std::filesystem::exists(CacheFilePath(o.cacheFolder, *key)));

    o.live = std::make_shared<PeakStore>();
    AnalyzeResult first = AnalyzeMovieAudio(movie, o);
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_FALSE(first.fromCache);
    EXPECT_TRUE(first.cacheWarning.empty());
    EXPECT_TRUE(o.live->Complete());

    o.live = std::make_shared<PeakStore>();
    bool decoded = false;
    AnalyzeResult second = AnalyzeMovieAudio(movie, o, [&](long, long, kravelo::ProgressColor) { decoded = true; });
    ASSERT_TRUE(second.ok);
    EXPECT_TRUE(second.fromCache);
    EXPECT_FALSE(decoded);
    EXPECT_EQ(second.analysis.speech, first.analysis.speech);
    EXPECT_EQ(second.analysis.peaks.fine.maxs, first.analysis.peaks.fine.maxs);
    EXPECT_EQ(second.analysis.peaks.coarse.mins, first.analysis.peaks.coarse.mins);
    EXPECT_DOUBLE_EQ(second.analysis.duration, first.analysis.duration);
    EXPECT_TRUE(o.live->Complete());
    EXPECT_EQ(o.live->DecodedSamples(), static_cast<long long>(first.analysis.peaks.fine.size()) * 64);

    // Another stream is another entry.
    o.stream = 0;
    EXPECT_FALSE(AnalyzeMovieAudio(movie, o).fromCache);
    o.stream = -1;

    // A damaged entry is ignored and written again.
    const std::string entry = CacheFilePath(o.cacheFolder, *key);
    std::string bytes = TempDir::Read(entry);
    std::filesystem::resize_file(entry, bytes.size() / 2);
    AnalyzeResult third = AnalyzeMovieAudio(movie, o);
    ASSERT_TRUE(third.ok);
    EXPECT_FALSE(third.fromCache);
    EXPECT_TRUE(AnalyzeMovieAudio(movie, o).fromCache);
    bytes = TempDir::Read(entry);
    bytes[8] = 99;  // another format version
    dir.Write("cache/" + std::filesystem::path(entry).filename().string(), bytes);
    EXPECT_FALSE(AnalyzeMovieAudio(movie, o).fromCache);

    // A movie touched since is decoded again.
    std::filesystem::last_write_time(movie, std::filesystem::last_write_time(movie) + std::chrono::seconds(5));
    EXPECT_FALSE(AnalyzeMovieAudio(movie, o).fromCache);

    o.useCache = false;
    EXPECT_FALSE(AnalyzeMovieAudio(movie, o).fromCache);
}

TEST(AnalyzeMovieAudio, CacheFolderFollowsXdgCacheHome) {
    const char* saved = std::getenv("XDG_CACHE_HOME");
    const std::string keep = saved ? saved : "";
    // An absolute XDG_CACHE_HOME is used (the command-line sync tests find their cache there); a
    // relative one is ignored, as the XDG rules say.
    setenv("XDG_CACHE_HOME", "relative", 1);
    EXPECT_EQ(DefaultAudioCacheFolder(), std::string(std::getenv("HOME")) + "/.cache/kravelo/audio");
    if (saved) setenv("XDG_CACHE_HOME", keep.c_str(), 1);
    else unsetenv("XDG_CACHE_HOME");
}

TEST(AnalyzeMovieAudio, DamagedTruncatedAndUnreadableFiles) {
    TempDir dir;
    const std::string movie = dir.File("film.ts");
    SpeechMovie recipe{kBursts};
    recipe.video = false;
    recipe.audioCodec = "mp2";
    ASSERT_TRUE(MakeSpeechMovie(movie, recipe));
    std::string bytes = TempDir::Read(movie);
    const std::size_t n = bytes.size();
    uint32_t x = 12345;
    std::string damaged = bytes;
    for (std::size_t i = n * 45 / 100; i < n * 55 / 100; ++i) {  // garbage over 4.5..5.5 s
        x = x * 1103515245 + 12345;
        damaged[i] = static_cast<char>(x >> 24);
    }
    AnalyzeOptions o;
    o.useCache = false;
    AnalyzeResult r = AnalyzeMovieAudio(dir.Write("damaged.ts", damaged), o);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_GE(r.analysis.corruptPackets, 1);
    // The audio after the damage stays at its time.
    EXPECT_EQ(SpeechIn(r.analysis.speech, 205, 395), 190);
    EXPECT_GE(SpeechIn(r.analysis.speech, 605, 795), 185);
    EXPECT_EQ(SpeechIn(r.analysis.speech, 815, 1000), 0);
    EXPECT_NEAR(r.analysis.duration, 10.0, 0.1);

    r = AnalyzeMovieAudio(dir.Write("cut.ts", bytes.substr(0, n * 3 / 4 + 77)), o);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_NEAR(r.analysis.duration, 7.5, 0.15);
    EXPECT_EQ(SpeechIn(r.analysis.speech, 205, 395), 190);

    r = AnalyzeMovieAudio(dir.Write("notes.txt", "{1}{25}not a movie\n"), o);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    r = AnalyzeMovieAudio(dir.File("missing.mkv"), o);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("cannot read"), std::string::npos);
}
