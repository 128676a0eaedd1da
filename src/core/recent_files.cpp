#include "core/recent_files.h"

#include "core/text_util.h"

namespace kravelo {

void AddRecent(RecentList& list, const std::string& path) {
    if (path.empty()) return;
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
