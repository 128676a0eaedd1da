#pragma once
// The two most-recently-used lists (five entries, index 0 = most recent, empty =
// free slot) and the captions of their menu items.

#include <array>
#include <string>

namespace kravelo {

using RecentList = std::array<std::string, 5>;

// Puts `path` at the top: an entry equal to it ignoring case (or the first free slot, else the
// last entry) is overwritten and the entries above it move down one place. A relative path is
// made absolute in the current folder first (with "." and ".." folded), so that the entry
// still opens after a start from another folder. An empty path changes nothing.
void AddRecent(RecentList& list, const std::string& path);

// Menu captions: movies "&1 " .. "&5 " + entry, subtitle files "&a " .. "&e " + entry.
std::string RecentCaption(bool movies, int index, const std::string& entry);

}  // namespace kravelo
