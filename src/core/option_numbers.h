#pragma once
// The numbers typed into the options dialog, read and checked before anything is applied: each
// must be a number of its kind within its range, else the dialog names the field and its
// message. Qt-free.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/messages.h"

namespace kravelo {

// Reaction time: a second's fraction to a few seconds; more would stamp whole scenes early.
inline constexpr double kMaxReactionSeconds = 10.0;
// Lift of the subtitles over the picture's bottom edge, in pixels.
inline constexpr int kMaxSubtitleElevation = 999;
// The edit delay of the display after a seek, in milliseconds.
inline constexpr int kMaxDisplayDelayMs = 10000;
inline constexpr int kMinEditorFontSize = 6;
inline constexpr int kMaxEditorFontSize = 22;

// A whole decimal number, "." as separator, nothing else in the text (blanks around allowed).
std::optional<double> ReadDecimal(std::string_view text);

enum class OptionField { EditorFontSize, ReactionSpeed, Elevation, ElevationFS, Delay, Backward, Forward, MinLength };

struct OptionTexts {
    std::string editorFontSize;
    std::string reactionSpeed;
    std::string elevation;
    std::string elevationFS;
    std::string delay;
    std::string backward;
    std::string forward;
    std::string minLength;
    bool minLengthUsed = true;  // the field is only read while per-movie files are on
};

struct OptionNumbers {
    int editorFontSize = 9;
    double reactionSpeed = 0.0;
    int elevation = 1;
    int elevationFS = 0;
    int delay = 10;
    double backward = 3.0;
    double forward = 3.0;
    std::optional<int> minLength;  // empty when the field was not read
};

struct OptionProblem {
    OptionField field;
    Message message;
};

// The numbers, or the first field (in the dialog's order of checking) that holds no valid value
// with the message to show: the font size "FntSize", a delay that is no positive whole number
// "Delay", everything else "IncorrectVal".
std::variant<OptionNumbers, OptionProblem> ReadOptionNumbers(const OptionTexts& texts);

}  // namespace kravelo
