#include "core/chapters.h"

#include <algorithm>

namespace kravelo {
namespace {
constexpr std::string_view kSection = "Chapters";
}

int TChapters::Insert(TChapter chapter) {
    if (Full()) return -1;
    auto at = std::upper_bound(items_.begin(), items_.end(), chapter.Position,
                               [](int position, const TChapter& c) { return position < c.Position; });
    auto index = at - items_.begin();
    items_.insert(at, std::move(chapter));
    return static_cast<int>(index);
}

void TChapters::Remove(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
}

void TChapters::Load(const ProfileFile& file) {
    items_.clear();
    for (int i = 0; i < kMaxCount; ++i) {
        std::string n = std::to_string(i);
        std::string name = file.ReadString(kSection, "n" + n, "");
        if (name.empty()) break;
        int position = file.ReadInt(kSection, "p" + n, -1);
        if (position < 0) break;
        // A file written by the program is sorted already; a hand-edited one is sorted here,
        // so the table always keeps its order.
        Insert(TChapter{std::move(name), position});
    }
}

void TChapters::Save(ProfileFile& file) const {
    for (int i = 0; i < Count(); ++i) {
        std::string n = std::to_string(i);
        file.WriteString(kSection, "n" + n, items_[static_cast<std::size_t>(i)].Name);
        file.WriteInt(kSection, "p" + n, items_[static_cast<std::size_t>(i)].Position);
    }
    std::string n = std::to_string(Count());
    file.WriteString(kSection, "n" + n, "");
    file.WriteInt(kSection, "p" + n, 0);
}

}  // namespace kravelo
