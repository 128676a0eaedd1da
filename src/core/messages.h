#pragma once
// Messages the core reports to its caller. The GUI looks the text up in the language file by
// section and key and shows it in a message box with the given icon; the command line prints
// its own English text. The core itself never prints anything.

#include <functional>
#include <string_view>

namespace kravelo {

enum class MessageIcon { Information, Warning, Error, Question };

struct Message {
    std::string_view section;  // language-file section, e.g. "Editor"
    std::string_view key;      // language-file key, e.g. "EdSSANoLegend"
    MessageIcon icon;

    friend bool operator==(const Message& a, const Message& b) {
        return a.section == b.section && a.key == b.key;
    }
};

using MessageSink = std::function<void(const Message&)>;

// Not from the language file: shown as it stands when putline() is given a bad format.
inline constexpr std::string_view kPutlineFormatError = "putline() 'format' parametr error!!!";

namespace msg {
inline constexpr Message EdSSANoLegend{"Editor", "EdSSANoLegend", MessageIcon::Warning};
inline constexpr Message EdSSALegendError{"Editor", "EdSSALegendError", MessageIcon::Error};
inline constexpr Message ApperNotSorted{"Editor", "ApperNotSorted", MessageIcon::Warning};
inline constexpr Message TheSameShowTime{"Editor", "TheSameShowTime", MessageIcon::Warning};
inline constexpr Message NegativeShowTime{"Editor", "NegativeShowTime", MessageIcon::Warning};
// Information: the caller appends a space and the number of merges.
inline constexpr Message SubtitlesMergeCount{"Editor", "SubtitlesMergeCount", MessageIcon::Information};
// A message without a section is not looked up: its key is the text shown.
inline constexpr Message PutlineFormatError{"", kPutlineFormatError, MessageIcon::Error};
}  // namespace msg

// Progress of a long line loop; colour as the status bar draws it.
enum class ProgressColor { Red, Blue, Face };
using ProgressFn = std::function<void(long position, long total, ProgressColor color)>;

}  // namespace kravelo
