#include "ops/merge.h"

#include <algorithm>
#include <vector>

#include "core/text_util.h"
#include "ops/next_scan.h"

namespace kravelo {
namespace {

// Keeps `keep` of the "|" of a part and turns the others into spaces. The k-th kept break is the
// one nearest to character n / (k + 1) among those not kept yet; of two equally near, the first.
std::string KeepBreaks(std::string_view part, long keep) {
    std::vector<std::size_t> bytes;  // byte offset of each "|"
    std::vector<long> chars;         // its character position
    long n = 0;
    for (std::size_t b = 0; b < part.size(); ++b) {
        auto c = static_cast<unsigned char>(part[b]);
        if ((c & 0xC0) == 0x80) continue;  // continuation byte: same character
        if (c == '|') {
            bytes.push_back(b);
            chars.push_back(n);
        }
        ++n;
    }
    // Invalid UTF-8 counts byte by byte in CountChars; stay consistent with it.
    n = static_cast<long>(CountChars(part));
    std::vector<char> kept(bytes.size(), 0);
    for (long k = 1; k <= keep; ++k) {
        const long target = n / (k + 1);
        long best = -1, bestDistance = 0;
        for (std::size_t j = 0; j < bytes.size(); ++j) {
            if (kept[j]) continue;
            long d = chars[j] > target ? chars[j] - target : target - chars[j];
            if (best < 0 || d < bestDistance) {
                best = static_cast<long>(j);
                bestDistance = d;
            }
        }
        if (best < 0) break;
        kept[static_cast<std::size_t>(best)] = 1;
    }
    std::string out(part);
    for (std::size_t j = 0; j < bytes.size(); ++j)
        if (!kept[j]) out[bytes[j]] = ' ';
    return out;
}

}  // namespace

std::string RewrapMergedText(std::string_view text, std::size_t join, long maxRows) {
    const long breaks = std::max(1L, maxRows - 1);  // B
    std::string_view left = text.substr(0, std::min(join, text.size()));
    std::string_view right = join < text.size() ? text.substr(join + 1) : std::string_view{};
    const long k = static_cast<long>(CountChars(left));
    const long r = static_cast<long>(CountChars(right));
    const long nl = static_cast<long>(std::count(left.begin(), left.end(), '|'));
    const long nr = static_cast<long>(std::count(right.begin(), right.end(), '|'));

    // Share the B - 1 breaks besides the join by the parts' lengths.
    const double kd = k > 0 ? k : 1, rd = r > 0 ? r : 1;
    long bl;
    if (k <= r) {
        bl = r == 0 ? breaks : static_cast<long>(0.5 * static_cast<double>(breaks - 1) * kd / rd + 0.5);
    } else {
        long t = static_cast<long>(0.5 * static_cast<double>(breaks - 1) * rd / kd + 0.5);
        bl = breaks - t - 1;
    }
    long br = breaks - bl - 1;
    // A part with fewer breaks than its share gives the rest to the other.
    if (nl < bl) {
        br += bl - nl;
        bl = nl;
    }
    if (nr < br) {
        bl += br - nr;
        br = nr;
    }
    std::string out = KeepBreaks(left, std::clamp(bl, 0L, nl));
    out.push_back('|');
    out += KeepBreaks(right, std::clamp(br, 0L, nr));
    return out;
}

MergeResult MergeShortSubtitles(SubtitleDocument& doc, const MergeOptions& options, long first, long& last,
                                const ProgressFn& progress) {
    MergeResult result;
    std::vector<std::string>& lines = doc.lines;
    const double rate = doc.frameRate;
    last = std::min(last, static_cast<long>(lines.size()));
    first = std::max(0L, first);

    // Removed lines are emptied and marked during the walk (so the next-subtitle scan passes over
    // them) and taken out in one pass at the end.
    std::vector<char> removed;
    long removedInRange = 0;
    auto remove = [&](std::size_t index) {
        if (removed.empty()) removed.assign(lines.size(), 0);
        removed[index] = 1;
        lines[index].clear();
        if (static_cast<long>(index) < last) ++removedInRange;
    };

    NextSubtitleScan nextScan(doc), afterScan(doc);
    bool hasPrevious = false;
    std::string previousText;
    double previousStart = kNoStartTime;
    std::size_t previousIndex = 0;
    std::size_t previousLength = 0;  // characters of previousText

    SubtitleLine cur, mergedLine;
    std::string merged, written;
    const double endOfSubtitles = kEndOfSubtitlesTime;

    for (long i = first; i < last; ++i) {
        const auto ui = static_cast<std::size_t>(i);
        if (!removed.empty() && removed[ui]) continue;
        if (progress && i % 10 == 0) progress(i - removedInRange, last - removedInRange, ProgressColor::Blue);
        if (lines[ui].empty()) continue;
        if (!nextScan.Take(ui, cur) && ParseLine(lines[ui], rate, cur, doc.ssa) != 1) continue;

        const double s1 = cur.start;
        const std::size_t l1 = CountChars(cur.text);

        std::size_t nextIndex = lines.size();
        const SubtitleLine* next = nextScan.Find(ui + 1, &nextIndex);
        double s2 = endOfSubtitles, e2 = endOfSubtitles, s3 = endOfSubtitles;
        std::size_t l2 = kEndOfSubtitlesText.size();
        if (next) {
            s2 = next->start;
            e2 = next->end;
            l2 = CountChars(next->text);
            if (const SubtitleLine* after = afterScan.Find(nextIndex + 1)) s3 = after->start;
        }

        // Missing ends are estimated (3 s per 50 characters plus 2 s), then cut at the next start.
        double e1 = cur.end;
        if (e1 == 0.0) e1 = s1 + 3.0 * static_cast<double>(l1) * 0.02 + 2.0;
        if (e2 == 0.0) e2 = s2 + 3.0 * static_cast<double>(l2) * 0.02 + 2.0;
        if (e1 > s2) e1 = s2;
        if (e2 > s3) e2 = s3;

        const bool isShort = e1 - s1 < options.per50 * static_cast<double>(l1) * 0.02;
        bool backward = false, forward = false;
        if (isShort) {
            const double p = previousStart;
            backward = hasPrevious && (e1 - p < options.spanEnd || s1 - p < options.spanStart);
            forward = next && (e2 - s1 < options.spanEnd || s2 - s1 < options.spanStart);
            if (options.maxLength > 0) {
                const auto maxLength = static_cast<std::size_t>(options.maxLength);
                backward = backward && previousLength + l1 <= maxLength;
                forward = forward && l1 + l2 <= maxLength;
            }
            if (backward && forward) {  // the shorter neighbour; a tie goes forward
                if (previousLength < l2)
                    forward = false;
                else
                    backward = false;
            }
        }
        if (!backward && !forward) {
            previousText.assign(cur.text);
            previousStart = s1;
            previousIndex = ui;
            previousLength = l1;
            hasPrevious = true;
            continue;
        }

        double start, end;
        std::size_t join, target;
        if (backward) {
            merged.assign(previousText);
            join = merged.size();
            merged.push_back('|');
            merged.append(cur.text);
            start = previousStart;
            end = e1;
            target = previousIndex;
            ++result.backward;
        } else {
            merged.assign(cur.text);
            join = merged.size();
            merged.push_back('|');
            merged.append(next->text);
            start = s1;
            end = e2;
            target = ui;
            ++result.forward;
        }
        if (!options.asRows &&
            std::count(merged.begin(), merged.end(), '|') > std::max(1L, options.maxRows - 1))
            merged = RewrapMergedText(merged, join, options.maxRows);

        remove(backward ? ui : nextIndex);
        mergedLine.format = cur.format;
        mergedLine.start = start;
        mergedLine.end = end;
        mergedLine.text.assign(merged);
        RewriteLine(lines[target], mergedLine, rate, doc.ssa, written);
        lines[target].swap(written);
        // The merged subtitle is the previous one now, so it can absorb further neighbours.
        previousText.assign(merged);
        previousStart = start;
        previousIndex = target;
        previousLength = CountChars(merged);
        hasPrevious = true;
        ++result.merges;
        nextScan.Reset();
        afterScan.Reset();
    }

    if (!removed.empty()) {
        std::size_t w = 0;
        for (std::size_t r = 0; r < lines.size(); ++r) {
            if (removed[r]) continue;
            if (w != r) lines[w] = std::move(lines[r]);
            ++w;
        }
        lines.resize(w);
        last -= removedInRange;
    }
    return result;
}

}  // namespace kravelo
