#include "ops/validate.h"

#include <algorithm>

namespace kravelo {

ValidateResult ValidateLines(SubtitleDocument& doc, long first, long& last, const LineErrorChooser& choose,
                             const ProgressFn& progress) {
    ValidateResult result;
    std::vector<std::string>& lines = doc.lines;
    last = std::min(last, static_cast<long>(lines.size()));
    long i = first;
    if (doc.documentFormat == kFormatSsa && doc.ssa.headerLines > i) i = doc.ssa.headerLines;
    for (; i < last; ++i) {
        if (progress && i % 10 == 0) progress(i, last, ProgressColor::Red);
        if (IsLineValid(lines[static_cast<std::size_t>(i)], doc.ssa)) continue;
        LineErrorChoice choice = choose ? choose(i) : LineErrorChoice::Break;
        if (choice == LineErrorChoice::Ignore) return result;
        if (choice == LineErrorChoice::Break) {
            result.ok = false;
            result.badLine = i;
            return result;
        }
        // Delete this line and every later unreadable one in one pass.
        long write = i;
        for (long r = i; r < last; ++r) {
            if (progress && r % 10 == 0) progress(r, last, ProgressColor::Red);
            auto& line = lines[static_cast<std::size_t>(r)];
            if (r != i && IsLineValid(line, doc.ssa)) {
                if (write != r) lines[static_cast<std::size_t>(write)] = std::move(line);
                ++write;
            }
        }
        result.deleted = last - write;
        lines.erase(lines.begin() + write, lines.begin() + last);
        last = write;
        return result;
    }
    return result;
}

}  // namespace kravelo
