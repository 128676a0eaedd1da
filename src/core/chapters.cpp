#include "core/chapters.h"

#include <algorithm>
#include <cmath>

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

namespace {

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

// -1 for a field that is not made of digits only; an empty field is 0.
long long FieldValue(std::string_view field) {
    long long value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
        if (value > 1000000000LL) return -1;
    }
    return value;
}

}  // namespace

ChapterTimeFields SecondsToFields(int seconds) {
    seconds = std::max(seconds, 0);
    const int h = seconds / 3600;
    const int m = (seconds - h * 3600) / 60;
    const int rest = seconds - h * 3600 - m * 60;
    return {TwoDigits(h), TwoDigits(m), TwoDigits(rest)};
}

int FieldsToSeconds(std::string_view h, std::string_view m, std::string_view s) {
    const long long hv = FieldValue(h);
    const long long mv = FieldValue(m);
    const long long sv = FieldValue(s);
    if (hv < 0 || mv < 0 || sv < 0) return 0;
    const long long total = hv * 3600 + mv * 60 + sv;
    return total > 2000000000LL ? 0 : static_cast<int>(total);
}

int CurrentChapterIndex(const TChapters& chapters, double position) {
    const double now = std::trunc(position);
    int k = 0;
    while (k < chapters.Count() - 1 && chapters[k + 1].Position <= now) ++k;
    return k;
}

std::string ChapterListLine(int index, std::string_view name) {
    return std::to_string(index + 1) + ":  " + std::string(name);
}

}  // namespace kravelo
