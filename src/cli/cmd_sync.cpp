// sync: moves the subtitles onto the movie's speech (or onto a correctly timed subtitle file):
// a frame-rate scale and one offset per piece, the pieces split where the timing jumps.

#include <cmath>
#include <cstdio>
#include <iostream>

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "media/audio_analysis.h"
#include "ops/audio_sync.h"
#include "ops/sync_lines.h"

namespace kravelo::cli {
namespace {

std::string Fixed(double v, int decimals, bool sign = false) {
    char buf[64];
    std::snprintf(buf, sizeof buf, sign ? "%+.*f" : "%.*f", decimals, v);
    return buf;
}

// The speech track of the movie's audio, from the cache when the movie has not changed.
SpeechTrack MovieSpeech(const std::string& movie, int stream) {
    media::AnalyzeOptions options;
    options.stream = stream;
    media::AnalyzeResult r = media::AnalyzeMovieAudio(movie, options);
    if (!r.ok) throw Failure{kExitUsage, r.error};
    if (r.analysis.corruptPackets > 0)
        std::cerr << movie << ": warning: " << r.analysis.corruptPackets << " damaged audio packet(s) skipped\n";
    if (!r.cacheWarning.empty()) std::cerr << movie << ": warning: not cached: " << r.cacheWarning << '\n';
    SpeechTrack track;
    track.frameSeconds = r.analysis.frameSeconds;
    track.speech = std::move(r.analysis.speech);
    return track;
}

SpeechTrack ReferenceSpeech(const std::string& path, std::optional<double> fps) {
    LoadedFile ref = LoadFile(path, fps);
    if (HasFrameLines(ref, 0, static_cast<long>(ref.doc.lines.size())))
        RequireFrameRate(ref, "the reference's frame lines are read");
    std::vector<SyncLine> lines = SyncLinesOf(ref.doc, 0, static_cast<long>(ref.doc.lines.size()));
    if (lines.empty()) throw Failure{kExitUsage, path + ": no subtitles to align to"};
    return SpeechFromLines(lines);
}

// "scale 1.042709 (25/23.976); lines 1-412 +1.230 s; lines 413-1171 -35.070 s; confidence 11.8"
std::string Summary(const SyncResult& r) {
    std::string text = "scale " + Fixed(r.scale, 6);
    if (std::string name = StandardRatioName(r.scale); !name.empty()) text += " (" + name + ")";
    for (const SyncPiece& p : r.pieces)
        text += "; lines " + std::to_string(p.firstLine + 1) + "-" + std::to_string(p.lastLine + 1) + " " +
                Fixed(p.offset, 3, true) + " s";
    return text + "; confidence " + Fixed(r.confidence, 1);
}

int RunSync(const std::vector<std::string>& args) {
    Options o;
    AddDocumentOptions(o);
    o.Value("--audio-stream").Value("--reference").Value("--split-penalty").Value("--max-offset");
    o.Flag("--no-splits").Flag("--no-rate-fix").Flag("--dry-run").Flag("--force");
    o.Parse(args);
    const bool reference = o.Get("--reference").has_value();
    const std::size_t want = reference ? 1 : 2;
    if (o.Positional().size() != want)
        throw Failure{kExitUsage, reference ? "with --reference give exactly one SUBS file" : "give MOVIE and SUBS"};
    if (reference && o.Get("--audio-stream"))
        throw Failure{kExitUsage, "--audio-stream and --reference exclude each other"};
    SyncOptions options;
    options.splits = !o.Has("--no-splits");
    options.fixRate = !o.Has("--no-rate-fix");
    options.splitPenalty = o.GetDouble("--split-penalty", options.splitPenalty);
    if (!(options.splitPenalty > 0.0) || options.splitPenalty > 1e6)
        throw Failure{kExitUsage, "--split-penalty must be above 0 and at most 1000000"};
    options.maxOffset = o.GetDouble("--max-offset", options.maxOffset);
    if (!(options.maxOffset >= 1.0) || options.maxOffset > 36000.0)
        throw Failure{kExitUsage, "--max-offset must lie between 1 and 36000 seconds"};
    const long stream = o.GetInt("--audio-stream", -1);
    if (o.Get("--audio-stream") && (stream < 0 || stream > 100000))
        throw Failure{kExitUsage, "--audio-stream must be a stream index (0 or more)"};
    if (o.Has("--dry-run") && (o.Get("-o") || o.Has("--in-place")))
        throw Failure{kExitUsage, "--dry-run writes nothing: leave out -o and --in-place"};

    const std::optional<double> fps = PositiveFps(o);
    LoadedFile f = LoadFile(o.Positional()[want - 1], fps);
    long first, last;
    WorkRange(o, f, first, last);
    if (!CheckLines(o, f, first, last)) return kExitDocument;
    if (HasFrameLines(f, first, last)) RequireFrameRate(f, "frame lines are read and written");
    std::vector<SyncLine> lines = SyncLinesOf(f.doc, first, last);
    if (lines.empty()) {
        Warn(f, "error: no subtitles to align");
        return kExitDocument;
    }

    const SpeechTrack speech =
        reference ? ReferenceSpeech(*o.Get("--reference"), fps) : MovieSpeech(o.Positional()[0], static_cast<int>(stream));
    const SyncResult r = AlignToSpeech(lines, speech, options);
    if (r.pieces.empty()) {
        Warn(f, "error: the subtitles could not be aligned");
        return kExitDocument;
    }
    Warn(f, Summary(r));
    if (!r.trustworthy) {
        if (!o.Has("--force")) {
            Warn(f, "error: the result is not trustworthy (wrong movie or audio stream?): nothing written; "
                    "--force writes it anyway");
            return kExitDocument;
        }
        Warn(f, "warning: the result is not trustworthy; written because of --force");
    }
    if (o.Has("--dry-run")) return kExitOk;
    CorrectResult applied = ApplySync(f.doc, first, last, r);
    if (auto w = applied.Warning()) Report(f, *w);
    WriteResult(o, f);
    return kExitOk;
}

Registrar reg("sync",
              "sync [--audio-stream N] [--reference REF] [--no-splits] [--split-penalty P]\n"
              "      [--max-offset SECONDS] [--no-rate-fix] [--dry-run] [--force] [--fps RATE]\n"
              "      [--lines FIRST-LAST] [--on-bad-line stop|ignore|delete] [-o OUT | --in-place] MOVIE SUBS\n"
              "      times SUBS to the speech of MOVIE's audio (stream N, default the main one), or with\n"
              "      --reference to the correctly timed subtitle file REF (then give SUBS only); finds a\n"
              "      frame-rate scale and an offset per piece (split where the timing jumps, penalty P,\n"
              "      default 7; offsets up to 300 s either way); prints the pieces, the scale and the\n"
              "      confidence on standard error. A result that is not trustworthy is not written (exit 1)\n"
              "      unless --force; --dry-run only prints. The movie's speech is cached under\n"
              "      $XDG_CACHE_HOME/kravelo/audio",
              RunSync);

}  // namespace
}  // namespace kravelo::cli
