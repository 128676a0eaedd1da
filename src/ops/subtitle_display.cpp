#include "ops/subtitle_display.h"

#include <cmath>
#include <limits>
#include <utility>

#include "core/time_model.h"

namespace kravelo {

namespace {

// Reads the subtitle at or after `index` into the three fields; the text changes hands with the
// scratch line, so the strings keep their capacity from read to read.
void ReadSubtitle(const DisplayInput& in, std::size_t& index, SubtitleLine& scratch, double& start,
                  double& end, std::string& text) {
    NextSubtitle(*in.lines, in.frameRate, index, scratch, in.ssa ? *in.ssa : SsaTables::None());
    start = scratch.start;
    end = scratch.end;
    std::swap(text, scratch.text);
}

void CorrectEnd(SubtitleCursor& c) {
    c.CurrentEnd = ImplicitEndTime(c.CurrentStart, c.CurrentEnd, c.CurrentText, c.NextStart);
}

void Show(SubtitleCursor& c, SubtitleDisplaySink& sink) {
    c.SubtitleShown = true;
    sink.ShowSubtitle(c.CurrentText);
}

void Hide(SubtitleCursor& c, SubtitleDisplaySink& sink) {
    c.SubtitleShown = false;
    sink.HideSubtitle();
}

void Resync(SubtitleCursor& c, const DisplayInput& in, SubtitleDisplaySink& sink) {
    RebuildCursor(c, in);
    Hide(c, sink);
}

void ShowWhenDue(SubtitleCursor& c, SubtitleDisplaySink& sink) {
    if (!c.SubtitleShown && c.PlayerPosition >= c.CurrentStart) {
        Show(c, sink);
        CorrectEnd(c);
    }
}

long long TruncClamped(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kMax = 9.0e18;
    if (v >= kMax) return static_cast<long long>(kMax);
    if (v <= -kMax) return -static_cast<long long>(kMax);
    return static_cast<long long>(v);
}

// Decimal text plus one, without leading zeros ("0099" -> "100").
std::string IncrementDigits(std::string_view digits) {
    std::string s(digits);
    int i = static_cast<int>(s.size()) - 1;
    while (i >= 0 && s[i] == '9') s[i--] = '0';
    if (i < 0)
        s.insert(s.begin(), '1');
    else
        ++s[i];
    std::size_t nonZero = s.find_first_not_of('0');
    return s.substr(nonZero == std::string::npos ? s.size() - 1 : nonZero);
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

}  // namespace

std::size_t RebuildCursor(SubtitleCursor& c, const DisplayInput& in) {
    static const std::vector<std::string> kNoLines;
    DisplayInput input = in;
    if (!input.lines) input.lines = &kNoLines;
    const double pos = c.PlayerPosition = input.position;
    SubtitleLine scratch;
    std::size_t index = 0;
    ReadSubtitle(input, index, scratch, c.CurrentStart, c.CurrentEnd, c.CurrentText);
    std::size_t afterCurrent = index;
    ReadSubtitle(input, index, scratch, c.NextStart, c.NextEnd, c.NextText);
    std::size_t afterNext = index;
    CorrectEnd(c);
    // Walk past every subtitle that is over at this position. The look-ahead of one step is the
    // subtitle the next step reads as current, so it is taken over instead of read twice.
    while (c.CurrentStart < pos && c.CurrentEnd <= pos && c.CurrentEnd != 0.0 &&
           c.CurrentStart != kEndOfSubtitlesTime) {
        c.CurrentStart = c.NextStart;
        c.CurrentEnd = c.NextEnd;
        std::swap(c.CurrentText, c.NextText);
        afterCurrent = afterNext;
        index = afterCurrent;
        ReadSubtitle(input, index, scratch, c.NextStart, c.NextEnd, c.NextText);
        afterNext = index;
        CorrectEnd(c);
    }
    // The cursor reads on behind the look-ahead.
    c.LineIndex = afterNext;
    return afterCurrent;
}

std::size_t DisplayLineAt(const DisplayInput& input) {
    SubtitleCursor cursor;
    const std::size_t afterCurrent = RebuildCursor(cursor, input);
    return afterCurrent == 0 ? 0 : afterCurrent - 1;
}

void DisplayTick(SubtitleCursor& c, bool& resyncRequested, const DisplayInput& in,
                 SubtitleDisplaySink& sink) {
    static const std::vector<std::string> kNoLines;
    DisplayInput input = in;
    if (!input.lines) input.lines = &kNoLines;

    c.PlayerPosition = input.position;
    if (resyncRequested) {
        Resync(c, input, sink);
        resyncRequested = false;
    }

    ShowWhenDue(c, sink);

    // A movie whose length is known ends every subtitle at its end.
    const bool movieEnded = input.movieLength > 0.0 && c.PlayerPosition >= input.movieLength;
    if (c.SubtitleShown && (c.PlayerPosition >= c.CurrentEnd || movieEnded)) {
        Hide(c, sink);
        c.CurrentStart = c.NextStart;
        c.CurrentEnd = c.NextEnd;
        std::swap(c.CurrentText, c.NextText);
        SubtitleLine scratch;
        ReadSubtitle(input, c.LineIndex, scratch, c.NextStart, c.NextEnd, c.NextText);
        if (c.NextStart < c.CurrentStart && c.NextStart != 0.0) sink.SubtitlesNotSorted();
        // A subtitle that follows directly appears in this same tick.
        ShowWhenDue(c, sink);
    }
}

std::string FramePositionText(double position, double frameRate, long long frameTotal) {
    return "{" + std::to_string(TruncClamped(position * frameRate)) + "}{" + std::to_string(frameTotal) + "}";
}

std::string DecisecondPositionText(double position, double movieLength) {
    return "[" + std::to_string(RoundHalfUpTrunc(position * 10.0)) + "][" +
           std::to_string(RoundHalfUpTrunc(movieLength * 10.0)) + "]";
}

int PositionBarValue(double seconds) {
    long long v = TruncClamped(seconds * 10.0);
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

std::string NextPartName(std::string_view fileName, const std::function<bool(const std::string&)>& exists) {
    // The extension starts at the last "." of the last path component.
    std::size_t slash = fileName.rfind('/');
    std::size_t nameBegin = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = fileName.rfind('.');
    std::size_t extBegin = (dot == std::string_view::npos || dot < nameBegin) ? fileName.size() : dot;

    // Digit groups right to left; a group may lie in a folder name too (cd1/film.avi).
    std::size_t pos = extBegin;
    while (pos > 0) {
        if (!IsDigit(fileName[pos - 1])) {
            --pos;
            continue;
        }
        std::size_t end = pos;
        while (pos > 0 && IsDigit(fileName[pos - 1])) --pos;
        const std::size_t begin = pos;
        const std::size_t oldLength = end - begin;
        std::string number = IncrementDigits(fileName.substr(begin, oldLength));
        for (; number.size() < oldLength + 2; number.insert(number.begin(), '0')) {
            std::string candidate(fileName.substr(0, begin));
            candidate += number;
            candidate += fileName.substr(end);
            if (exists(candidate)) return candidate;
        }
    }
    return {};
}

}  // namespace kravelo
