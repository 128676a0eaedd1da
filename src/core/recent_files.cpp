#include "core/recent_files.h"

#include <filesystem>
#include <system_error>

#include "core/text_util.h"

namespace kravelo {

void AddRecent(RecentList& list, const std::string& given) {
    if (given.empty()) return;
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(given, ec);
    const std::string path = ec ? given : absolute.lexically_normal().string();
    std::size_t i = 0;
    while (i < list.size() && !list[i].empty() && !EqualsNoCase(list[i], path)) ++i;
    if (i == list.size()) i = list.size() - 1;
    for (; i > 0; --i) list[i] = list[i - 1];
    list[0] = path;
}

std::string RecentCaption(bool movies, int index, const std::string& entry) {
    std::string prefix = "&";
    prefix += movies ? static_cast<char>('1' + index) : static_cast<char>('a' + index);
    return prefix + " " + entry;
}

}  // namespace kravelo
