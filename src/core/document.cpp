#include "core/document.h"

#include "core/text_util.h"

namespace kravelo {

int FormatFamilyOfPath(const std::string& path) {
    auto slash = path.find_last_of('/');
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return 0;
    std::string_view ext = std::string_view(path).substr(dot);
    if (EqualsNoCase(ext, ".txt")) return kFormatTime;
    if (EqualsNoCase(ext, ".ssa")) return kFormatSsa;
    if (EqualsNoCase(ext, ".srt")) return kFormatSubRip;
    return 0;
}

}  // namespace kravelo
