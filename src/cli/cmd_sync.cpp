// sync: moves the subtitles onto the movie's speech (or onto a correctly timed subtitle file):
// a frame-rate scale and one offset per piece, the pieces split where the timing jumps.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "cli/cli.h"
#include "cli/engine_args.h"
#include "core/convert.h"
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

// SubRip text is retimed where it stands: each block's time line is one aligner line (its index
// is the time line's), the block's text decides whether it is a cue.
std::vector<SyncLine> SubRipLines(const std::vector<std::string>& lines, long first, long last) {
    std::vector<SyncLine> out;
    last = std::min(last, static_cast<long>(lines.size()));
    for (long i = std::max(0L, first); i < last; ++i) {
        const std::string& l = lines[static_cast<std::size_t>(i)];
        const std::size_t arrow = l.find(" --> ");
        if (arrow == std::string::npos) continue;
        std::optional<double> start = ReadSubRipTime(l.substr(0, arrow));
        std::string rest = l.substr(arrow + 5);
        std::optional<double> end = ReadSubRipTime(rest.substr(0, rest.find(' ')));
        if (!start || !end) continue;
        std::string text;
        for (long k = i + 1; k < static_cast<long>(lines.size()) && !lines[static_cast<std::size_t>(k)].empty(); ++k)
            text += (text.empty() ? "" : "|") + lines[static_cast<std::size_t>(k)];
        out.push_back({*start, std::max(*end, *start), IsCueText(text), i});
    }
    return out;
}

std::string SubRipTime(double seconds) {
    long long ms = std::llround(std::max(0.0, seconds) * 1000.0);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld,%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms % 1000);
    return buf;
}

// Rewrites the time lines of `lines` moved by their pieces; true when a time went below 0 (it
// is written as 0).
bool RetimeSubRip(std::vector<std::string>& text, const std::vector<SyncLine>& lines, const SyncResult& r) {
    std::vector<SyncLine> sorted = lines;
    std::stable_sort(sorted.begin(), sorted.end(), [](const SyncLine& a, const SyncLine& b) { return a.start < b.start; });
    bool negative = false;
    std::size_t piece = 0;
    for (const SyncLine& l : sorted) {
        while (piece + 1 < r.pieces.size() && l.line == r.pieces[piece + 1].firstLine) ++piece;
        const SyncPiece& p = r.pieces[piece];
        const double start = p.scale * l.start + p.offset, end = p.scale * l.end + p.offset;
        negative = negative || start < 0.0 || end < 0.0;
        std::string& line = text[static_cast<std::size_t>(l.line)];
        std::string rest = line.substr(line.find(" --> ") + 5);
        const std::size_t space = rest.find(' ');
        line = SubRipTime(start) + " --> " + SubRipTime(end) + (space == std::string::npos ? "" : rest.substr(space));
    }
    return negative;
}

bool IsSubRip(const LoadedFile& f) { return f.doc.documentFormat == kFormatSubRip; }

std::vector<SyncLine> LinesOf(const LoadedFile& f, long first, long last) {
    return IsSubRip(f) ? SubRipLines(f.doc.lines, first, last) : SyncLinesOf(f.doc, first, last);
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
    const long count = static_cast<long>(ref.doc.lines.size());
    if (!IsSubRip(ref) && HasFrameLines(ref, 0, count)) RequireFrameRate(ref, "the reference's frame lines are read");
    std::vector<SyncLine> lines = LinesOf(ref, 0, count);
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
    if (!IsSubRip(f)) {
        if (!CheckLines(o, f, first, last)) return kExitDocument;
        if (HasFrameLines(f, first, last)) RequireFrameRate(f, "frame lines are read and written");
    }
    const std::vector<SyncLine> lines = LinesOf(f, first, last);
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
    if (IsSubRip(f)) {
        if (RetimeSubRip(f.doc.lines, lines, r)) Report(f, msg::NegativeShowTime);
    } else if (auto w = ApplySync(f.doc, first, last, r).Warning()) {
        Report(f, *w);
    }
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
              "      $XDG_CACHE_HOME/kravelo/audio. A .srt file stays SubRip: only its time lines change",
              RunSync);

}  // namespace
}  // namespace kravelo::cli
