// kravelo-cli sync end to end on a generated 10-minute movie: spoken dialogue over noise, music
// and effects, decoded, voice-detected and aligned; the corrected times are compared with the
// true ones.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>

#include "cli/run_cli.h"
#include "support/temp_dir.h"

using namespace kravelo::test;

namespace {

bool Have(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

int RunQuiet(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

}  // namespace

TEST(SyncCorpus, TimesSubtitlesToTheMoviesSpeech) {
    if (!Have("espeak-ng") || !Have("ffmpeg")) GTEST_SKIP() << "espeak-ng and ffmpeg make the test movie";
    TempDir tmp;
    const std::string movieDir = tmp.File("a"), otherDir = tmp.File("b");
    ASSERT_EQ(RunQuiet(ShellQuote(KRAVELO_CORPUS_TOOL) + " --seed 7 --minutes 10 --out " + ShellQuote(movieDir)), 0);
    ASSERT_EQ(RunQuiet(ShellQuote(KRAVELO_CORPUS_TOOL) + " --seed 8 --minutes 10 --subtitles-only --out " +
                  ShellQuote(otherDir)),
              0);
    setenv("XDG_CACHE_HOME", tmp.File("cache").c_str(), 1);
    const std::string movie = movieDir + "/movie.mkv";

    const struct {
        const char* name;
        long pieces;
    } cases[] = {{"offset", 1}, {"fps_25_to_23976", 1}, {"adbreak", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string base = movieDir + "/" + c.name;
        ASSERT_EQ(RunCli({"convert", "--to", "ssa", base + ".srt", "-o", base + ".ssa"}).status, 0);
        const CliResult r = RunCli({"sync", "-o", base + ".out.ssa", movie, base + ".ssa"});
        ASSERT_EQ(r.status, 0) << r.err;
        // One "lines FIRST-LAST +OFFSET s" per piece.
        const std::regex piece(R"(lines \d+-\d+ [+-]\d+\.\d+ s)");
        EXPECT_EQ(std::distance(std::sregex_iterator(r.err.begin(), r.err.end(), piece), std::sregex_iterator()), c.pieces)
            << r.err;

        const std::vector<double> truth = Starts(TempDir::Read(base + ".truth.srt"));
        const std::vector<double> got = Starts(TempDir::Read(base + ".out.ssa"));
        ASSERT_GT(truth.size(), 60u);
        ASSERT_EQ(got.size(), truth.size());
        long within = 0;
        for (std::size_t i = 0; i < truth.size(); ++i) within += std::abs(got[i] - truth[i]) <= 0.1;
        EXPECT_GE(static_cast<double>(within), 0.95 * static_cast<double>(truth.size()));
    }

    // Another movie's subtitles: refused, nothing written.
    const std::string wrong = otherDir + "/offset";
    ASSERT_EQ(RunCli({"convert", "--to", "ssa", wrong + ".srt", "-o", wrong + ".ssa"}).status, 0);
    const CliResult r = RunCli({"sync", "-o", wrong + ".out.ssa", movie, wrong + ".ssa"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("not trustworthy"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(wrong + ".out.ssa"));
}
