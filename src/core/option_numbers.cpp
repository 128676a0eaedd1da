#include "core/option_numbers.h"

#include <charconv>
#include <cmath>

#include "core/input_limits.h"
#include "core/text_util.h"

namespace kravelo {
namespace {

constexpr Message kFontSize{"FormUstawienia", "FntSize", MessageIcon::Warning};
constexpr Message kDelay{"FormUstawienia", "Delay", MessageIcon::Warning};
constexpr Message kIncorrect{"FormPytanie01Konwert", "IncorrectVal", MessageIcon::Warning};

std::optional<int> ReadWhole(std::string_view text, long long low, long long high) {
    const std::optional<long long> v = ParseWholeInt(Trim(text));
    if (!v || *v < low || *v > high) return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<double> ReadInRange(std::string_view text, double low, double high, bool lowIncluded) {
    const std::optional<double> v = ReadDecimal(text);
    if (!v || *v > high || *v < low || (!lowIncluded && *v == low)) return std::nullopt;
    return v;
}

}  // namespace

std::optional<double> ReadDecimal(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::variant<OptionNumbers, OptionProblem> ReadOptionNumbers(const OptionTexts& t) {
    OptionNumbers n;
    const auto problem = [](OptionField field, const Message& message) { return OptionProblem{field, message}; };

    const auto font = ReadWhole(t.editorFontSize, kMinEditorFontSize, kMaxEditorFontSize);
    if (!font) return problem(OptionField::EditorFontSize, kFontSize);
    n.editorFontSize = *font;
    const auto reaction = ReadInRange(t.reactionSpeed, 0.0, kMaxReactionSeconds, true);
    if (!reaction) return problem(OptionField::ReactionSpeed, kIncorrect);
    n.reactionSpeed = *reaction;
    const auto elevation = ReadWhole(t.elevation, 0, kMaxSubtitleElevation);
    if (!elevation) return problem(OptionField::Elevation, kIncorrect);
    n.elevation = *elevation;
    const auto elevationFS = ReadWhole(t.elevationFS, 0, kMaxSubtitleElevation);
    if (!elevationFS) return problem(OptionField::ElevationFS, kIncorrect);
    n.elevationFS = *elevationFS;
    // Not a positive whole number: the delay's own message; a longer one than the display can
    // wait for: an invalid value.
    const auto delay = ReadWhole(t.delay, 1, 2147483647LL);
    if (!delay) return problem(OptionField::Delay, kDelay);
    if (*delay > kMaxDisplayDelayMs) return problem(OptionField::Delay, kIncorrect);
    n.delay = *delay;
    const auto backward = ReadInRange(t.backward, 0.0, kMaxTimeAmount, false);
    if (!backward) return problem(OptionField::Backward, kIncorrect);
    n.backward = *backward;
    const auto forward = ReadInRange(t.forward, 0.0, kMaxTimeAmount, false);
    if (!forward) return problem(OptionField::Forward, kIncorrect);
    n.forward = *forward;
    if (t.minLengthUsed) {
        const auto minLength = ReadWhole(t.minLength, 0, 2147483647LL);
        if (!minLength) return problem(OptionField::MinLength, kIncorrect);
        n.minLength = *minLength;
    }
    return n;
}

}  // namespace kravelo
