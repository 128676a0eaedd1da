// kravelo-cli sync on small movies made by ffmpeg: voiced bursts at known times, subtitles timed
// off by a known amount. Checks the wiring: what is printed, what is written and when nothing
// is, the cache, SubRip kept as SubRip, the reference file and the usage errors.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "cli/run_cli.h"
#include "support/speech_media.h"

using kravelo::test::Burst;
using kravelo::test::MakeSpeechMovie;
using kravelo::test::RunCli;
using kravelo::test::SpeechMovie;
using kravelo::test::Starts;
using kravelo::test::TempDir;

namespace {

// Bursts of 0.8..3 s with pauses of 0.5..4 s, from a fixed sequence.
std::vector<Burst> Bursts(unsigned seed, double until) {
    std::vector<Burst> b;
    uint32_t x = seed;
    auto next = [&x] {
        x = x * 1664525u + 1013904223u;
        return (x >> 8) / 16777216.0;
    };
    for (double t = 1.0; t < until;) {
        const double d = 0.8 + 2.2 * next();
        b.push_back({t, t + d});
        t += d + 0.5 + 3.5 * next();
    }
    return b;
}

std::string SrtTime(double s) {
    long long ms = std::llround(s * 1000);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld,%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return buf;
}

std::string Srt(const std::vector<Burst>& bursts, double shift) {
    std::string out;
    for (std::size_t i = 0; i < bursts.size(); ++i)
        out += std::to_string(i + 1) + "\n" + SrtTime(bursts[i].start + shift) + " --> " +
               SrtTime(bursts[i].end + shift) + "\nline " + std::to_string(i + 1) + "\n\n";
    return out;
}

// The offset of the one piece in "...; lines 2-158 -2.410 s; confidence 16.7".
double Offset(const std::string& err) {
    std::smatch m;
    if (!std::regex_search(err, m, std::regex(R"(lines \d+-\d+ ([-+]\d+\.\d+) s; confidence)"))) return 1e9;
    return std::stod(m[1]);
}

class CliSync : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        bursts = new std::vector<Burst>(Bursts(7, 170.0));
        SpeechMovie recipe{*bursts, 180.0};
        recipe.video = false;
        ok = MakeSpeechMovie(dir->File("film.mka"), recipe);
        recipe.video = true;
        recipe.silentFirstTrack = true;  // stream 0 the picture, stream 1 silent, stream 2 the voice
        ok = ok && MakeSpeechMovie(dir->File("two.mkv"), recipe);
        setenv("XDG_CACHE_HOME", dir->File("cache").c_str(), 1);
    }
    static void TearDownTestSuite() {
        delete dir;
        delete bursts;
    }
    void SetUp() override { ASSERT_TRUE(ok) << "ffmpeg could not make the test movies"; }

    static TempDir* dir;
    static std::vector<Burst>* bursts;
    static bool ok;
};
TempDir* CliSync::dir = nullptr;
std::vector<Burst>* CliSync::bursts = nullptr;
bool CliSync::ok = false;

TEST_F(CliSync, MovesSubRipOntoTheSpeechAndCachesTheAudio) {
    const std::string subs = dir->Write("late.srt", Srt(*bursts, 2.5));
    const std::string out = dir->File("fixed.srt");
    auto r = RunCli({"sync", dir->File("film.mka"), subs, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("late.srt: scale 1.000000; lines 2-"), std::string::npos) << r.err;
    EXPECT_NEAR(Offset(r.err), -2.5, 0.1) << r.err;
    const std::string fixed = TempDir::Read(out);
    const std::vector<double> starts = Starts(fixed);
    ASSERT_EQ(starts.size(), bursts->size());
    for (std::size_t i = 0; i < starts.size(); ++i) EXPECT_NEAR(starts[i], (*bursts)[i].start, 0.1) << "line " << i + 1;
    // Only the times changed: numbers and texts are as they were.
    EXPECT_EQ(std::regex_replace(fixed, std::regex(R"(\d\d:\d\d:\d\d,\d\d\d)"), "T"),
              std::regex_replace(TempDir::Read(subs), std::regex(R"(\d\d:\d\d:\d\d,\d\d\d)"), "T"));

    // The movie's speech is cached: one entry, used again by the next run.
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir->File("cache/kravelo/audio"))) entries += e.path().extension() == ".kva";
    EXPECT_EQ(entries, 1);
    auto again = RunCli({"sync", "--dry-run", dir->File("film.mka"), subs});
    EXPECT_TRUE(again.out.empty());  // a dry run writes nothing
    EXPECT_EQ(again.err, r.err);
}

TEST_F(CliSync, RefusesAnAudioStreamWithoutTheSpeechUnlessForced) {
    const std::string subs = dir->Write("film.srt", Srt(*bursts, 2.5));
    const std::string out = dir->File("wrong.srt");
    auto r = RunCli({"sync", "--audio-stream", "1", dir->File("two.mkv"), subs, "-o", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not trustworthy"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    r = RunCli({"sync", "--audio-stream", "1", "--force", dir->File("two.mkv"), subs, "-o", out});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("written because of --force"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST_F(CliSync, AlignsToAReferenceFileWithoutSplitsOrRateFix) {
    // Subtitles 4 s early against the correctly timed file; no movie is read.
    const std::string ref = dir->Write("ref.srt", Srt(*bursts, 10.0));
    const std::string subs = dir->Write("early.srt", Srt(*bursts, 6.0));
    auto r = RunCli({"sync", "--reference", ref, "--no-splits", "--no-rate-fix", subs});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(Offset(r.err), 4.0, 0.1) << r.err;
    const std::vector<double> starts = Starts(r.out);
    ASSERT_EQ(starts.size(), bursts->size());
    EXPECT_NEAR(starts.back(), bursts->back().start + 10.0, 0.1);
}

TEST_F(CliSync, UsageAndFileErrors) {
    const std::string subs = dir->Write("u.srt", Srt(*bursts, 1.0));
    const std::string movie = dir->File("film.mka");
    struct Bad {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"sync", subs}, 2, "give MOVIE and SUBS"},
        {{"sync", "--reference", subs, movie, subs}, 2, "with --reference give exactly one SUBS"},
        {{"sync", "--reference", subs, "--audio-stream", "1", subs}, 2, "exclude each other"},
        {{"sync", "--split-penalty", "0", movie, subs}, 2, "--split-penalty must be above 0"},
        {{"sync", "--max-offset", "0.5", movie, subs}, 2, "--max-offset must lie between"},
        {{"sync", "--audio-stream", "-1", movie, subs}, 2, "--audio-stream must be"},
        {{"sync", "--dry-run", "-o", dir->File("x.srt"), movie, subs}, 2, "--dry-run writes nothing"},
        {{"sync", dir->File("missing.mkv"), subs}, 2, "cannot read the file"},
        {{"sync", movie, dir->Write("empty.txt", "\n\n")}, 1, "no subtitles to align"},
    };
    for (const Bad& c : cases) {
        auto r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[1] << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

}  // namespace
