#include <gtest/gtest.h>

#include "core/chapters.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;

namespace {
std::vector<std::string> Names(const TChapters& c) {
    std::vector<std::string> out;
    for (const TChapter& ch : c.Items()) out.push_back(ch.Name);
    return out;
}
}  // namespace

TEST(Chapters, KeptSortedWithTiesInInsertionOrderAndAtMostOneHundred) {
    TChapters c;
    EXPECT_EQ(c.Insert({"a", 300}), 0);
    EXPECT_EQ(c.Insert({"c", 1200}), 1);
    EXPECT_EQ(c.Insert({"b", 605}), 1);   // 0:10:05 between 0:05:00 and 0:20:00
    EXPECT_EQ(c.Insert({"b2", 605}), 2);  // same time: after the earlier one
    EXPECT_EQ(c.Insert({"z", 0}), 0);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"z", "a", "b", "b2", "c"}));
    c.Remove(2);
    c.Remove(99);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"z", "a", "b2", "c"}));

    // At most one hundred.
    for (int i = c.Count(); i < TChapters::kMaxCount; ++i) ASSERT_GE(c.Insert({"x", i}), 0);
    EXPECT_TRUE(c.Full());
    EXPECT_EQ(c.Insert({"one too many", 5}), -1);
}

TEST(Chapters, SaveWritesTheTerminatingPairAndLoadStopsThere) {
    TempDir dir;
    std::string path = dir.File("film.avi.ini");
    auto save = [&path](const TChapters& c) {
        ProfileFile f(path);
        c.Save(f);
        std::string error;
        EXPECT_TRUE(f.Save(error)) << error;
    };
    TChapters c;
    c.Insert({"Start", 10});
    c.Insert({"Middle", 600});
    c.Insert({"End", 1200});
    save(c);
    EXPECT_EQ(TempDir::Read(path),
              "[Chapters]\nn0=Start\np0=10\nn1=Middle\np1=600\nn2=End\np2=1200\nn3=\np3=0\n");

    // Fewer chapters later: the stale "n2"/"p2" behind the new terminator are not read.
    c.Remove(2);
    c.Remove(1);
    save(c);
    TChapters back;
    back.Load(ProfileFile(path));
    EXPECT_EQ(Names(back), (std::vector<std::string>{"Start"}));
}

TEST(Chapters, LoadStopsAtAnEmptyNameOrAMissingOrNegativePosition) {
    TempDir dir;
    TChapters c;
    c.Load(ProfileFile(dir.Write("a.ini", "[Chapters]\nn0=One\np0=5\nn1=Two\n")));
    EXPECT_EQ(Names(c), (std::vector<std::string>{"One"}));  // "n1" without "p1"

    c.Load(ProfileFile(dir.Write("b.ini", "[Chapters]\nn0=One\np0=5\nn1=Two\np1=-2\nn2=Three\np2=9\n")));
    EXPECT_EQ(Names(c), (std::vector<std::string>{"One"}));

    c.Load(ProfileFile(dir.Write("c.ini", "[Chapters]\nn0=\np0=5\nn1=Two\np1=6\n")));
    EXPECT_EQ(c.Count(), 0);

    // (A hand-edited file out of order is read into order: a fuzz property over the seeds.)
    std::string many = "[Chapters]\n";
    for (int i = 0; i < 120; ++i)
        many += "n" + std::to_string(i) + "=c\np" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    c.Load(ProfileFile(dir.Write("e.ini", many)));
    EXPECT_EQ(c.Count(), 100);
}

TEST(Chapters, TimeFieldsBothWays) {
    for (auto [seconds, text] : {std::pair{7507, "02:05:07"}, {46799, "12:59:59"}, {0, "00:00:00"}}) {
        const ChapterTimeFields f = SecondsToFields(seconds);
        EXPECT_EQ(f.h + ":" + f.m + ":" + f.s, text);
    }

    EXPECT_EQ(FieldsToSeconds("00", "10", "05"), 605);
    EXPECT_EQ(FieldsToSeconds("1", "", "9"), 3609);   // an empty field is 0
    EXPECT_EQ(FieldsToSeconds("00", "99", "99"), 6039);
    EXPECT_EQ(FieldsToSeconds("0a", "10", "05"), 0);  // not a number: no time at all
    EXPECT_EQ(FieldsToSeconds("-1", "10", "05"), 0);
}

TEST(Chapters, CurrentChapterAndListLines) {
    TChapters c;
    EXPECT_EQ(CurrentChapterIndex(c, 500.0), 0);
    c.Insert({"A", 100});
    c.Insert({"B", 300});
    c.Insert({"C", 600});
    EXPECT_EQ(CurrentChapterIndex(c, 0.0), 0);      // before the first: still the first
    EXPECT_EQ(CurrentChapterIndex(c, 299.9), 0);    // trunc(299.9) is before B
    EXPECT_EQ(CurrentChapterIndex(c, 300.7), 1);
    EXPECT_EQ(CurrentChapterIndex(c, 5000.0), 2);
    EXPECT_EQ(ChapterListLine(11, "Koniec"), "12:  Koniec");
}
