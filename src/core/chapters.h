#pragma once
// The chapters of one movie: at most 100 named positions, kept sorted by position
// with ties in the order they were added, stored in section "Chapters" of the movie's own
// settings file as "n0"/"p0", "n1"/"p1", ...

#include <string>
#include <string_view>
#include <vector>

#include "core/profile_file.h"

namespace kravelo {

struct TChapter {
    std::string Name;
    int Position = 0;  // whole seconds from the movie start
};

class TChapters {
public:
    static constexpr int kMaxCount = 100;

    int Count() const { return static_cast<int>(items_.size()); }
    bool Full() const { return Count() >= kMaxCount; }
    const TChapter& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }
    const std::vector<TChapter>& Items() const { return items_; }

    // Puts the chapter before the first one with a greater position (after equal ones).
    // Returns its index, or -1 when the table is full.
    int Insert(TChapter chapter);
    // Removes one entry; later entries move down. An index out of range does nothing.
    void Remove(int index);
    void Clear() { items_.clear(); }

    // Replaces the table with the file's chapters: for i from 0 while i < 100, the name "n<i>"
    // (stop at an empty one) and the position "p<i>" (default -1; stop at a negative one).
    void Load(const ProfileFile& file);
    // Writes every entry and then the terminating pair: "n<Count>" empty and "p<Count>" 0.
    void Save(ProfileFile& file) const;

private:
    std::vector<TChapter> items_;
};

// The hours, minutes and seconds fields of the chapter dialog for a time in whole seconds:
// each a decimal number, two digits at least ("00", "05", "12").
struct ChapterTimeFields {
    std::string h;
    std::string m;
    std::string s;
};
ChapterTimeFields SecondsToFields(int seconds);
// h * 3600 + m * 60 + s. An empty field counts 0; a field that is not a whole number of
// digits makes the time invalid: 0 (which the dialog refuses).
int FieldsToSeconds(std::string_view h, std::string_view m, std::string_view s);

// The chapter the position lies in: the last one starting at or before trunc(position), or 0
// (also for an empty table).
int CurrentChapterIndex(const TChapters& chapters, double position);
// A line of the chapters list: its number counted from 1, ":", two spaces and the name.
std::string ChapterListLine(int index, std::string_view name);

}  // namespace kravelo
