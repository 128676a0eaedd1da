#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <filesystem>
#include <string>

#include "core/profile_file.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;

namespace {

// Switches the numeric locale for one test and back.
class NumericLocale {
public:
    explicit NumericLocale(const char* name) {
        old_ = std::setlocale(LC_NUMERIC, nullptr);
        std::setlocale(LC_NUMERIC, name);
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, old_.c_str()); }

private:
    std::string old_;
};

}  // namespace

TEST(ProfileFile, MissingFileSectionKeyAndBadValuesGiveDefaults) {
    TempDir dir;
    ProfileFile none(dir.File("none.ini"));
    EXPECT_FALSE(none.Exists());
    EXPECT_EQ(none.ReadString("S", "K", "def"), "def");
    EXPECT_EQ(none.ReadInt("S", "K", 42), 42);

    ProfileFile f(dir.Write("a.ini",
                            "[S]\nInt=12abc\nEmpty=\nFloat=1,5\nFloat2=abc\nBig=99999999999\nBool=yes\n"
                            "Spaces =  7  \nNeg=-3\nHex=$FF\nHex2=0x10\nExp=1e3\nText= two words \nSeven=7\nZero=0\n"));
    for (auto [key, expected] : {std::pair{"Int", 5}, {"Empty", 5}, {"Big", 5}, {"Spaces", 7}, {"Neg", -3},
                                 {"Hex", 255}, {"Hex2", 16}})
        EXPECT_EQ(f.ReadInt("S", key, 5), expected) << key;
    EXPECT_EQ(f.ReadString("S", "Empty", "d"), "");    // present and empty is not missing
    EXPECT_EQ(f.ReadFloat("S", "Float", 0.25), 0.25);  // "," is not the decimal separator
    EXPECT_EQ(f.ReadFloat("S", "Exp", 0), 1000.0);
    EXPECT_TRUE(f.ReadBool("S", "Bool", true));
    EXPECT_FALSE(f.ReadBool("S", "Bool", false));
    EXPECT_TRUE(f.ReadBool("S", "Seven", false));  // any non-zero number
    EXPECT_FALSE(f.ReadBool("S", "Zero", true));
    EXPECT_EQ(f.ReadString("S", "Text", ""), "two words");
    EXPECT_EQ(f.ReadString("Other", "Int", "x"), "x");
    EXPECT_EQ(f.ReadString("S", "Missing", "x"), "x");
}

TEST(ProfileFile, NamesIgnoreCaseAndTheFirstOccurrenceCounts) {
    TempDir dir;
    ProfileFile f(dir.Write("a.ini",
                            "Orphan=1\n[fonts]\nNAME=Arial\n; Size=99\nSize=10\nSize=11\n[Fonts]\nColor=5\n"
                            "[ Window ]\nLeft=3\n"));
    EXPECT_EQ(f.ReadString("Fonts", "name", ""), "Arial");
    EXPECT_EQ(f.ReadInt("FONTS", "size", 0), 10);
    EXPECT_EQ(f.ReadInt("Fonts", "Color", 0), 0);  // only the first [Fonts] is read
    EXPECT_EQ(f.ReadInt("window", "left", 0), 3);
    EXPECT_EQ(f.ReadString("", "Orphan", "none"), "none");

    f.WriteInt("FONTS", "SIZE", 12);
    EXPECT_EQ(f.Lines()[4], "Size=12");  // the file's spelling of the key stays
    EXPECT_EQ(f.Lines()[5], "Size=11");
}

TEST(ProfileFile, WritingKeepsEveryOtherLine) {
    TempDir dir;
    const std::string before =
        "; comment at the top\r\n"
        "[Settings]\r\n"
        "Unknown=keep me\r\n"
        "AutoPlayMovie=1\r\n"
        "just a line without equals\r\n"
        "\r\n"
        "[Other]\r\n"
        "X=1\r\n";
    std::string path = dir.Write("k.ini", before);
    ProfileFile f(path);
    f.WriteBool("settings", "autoplaymovie", false);
    f.WriteString("Settings", "NewKey", "v");
    f.WriteString("New", "A", "b");
    std::string error;
    ASSERT_TRUE(f.Save(error)) << error;
    EXPECT_EQ(TempDir::Read(path),
              "; comment at the top\r\n"
              "[Settings]\r\n"
              "Unknown=keep me\r\n"
              "AutoPlayMovie=0\r\n"
              "just a line without equals\r\n"
              "NewKey=v\r\n"
              "\r\n"
              "[Other]\r\n"
              "X=1\r\n"
              "[New]\r\n"
              "A=b\r\n");
    // No temporary file is left behind.
    EXPECT_EQ(TempDir::EntriesIn(dir.path()), 1u);
}

TEST(ProfileFile, NewFileIsCreatedWithSectionsAsWritten) {
    TempDir dir;
    ProfileFile f(dir.File("new.ini"));
    f.WriteString("A", "x", "1");
    f.WriteString("B", "y", "line\r\nbreak\nend");
    f.WriteString("A", "z", "2");
    f.WriteBool("B", "on", true);
    f.WriteBool("B", "off", false);
    std::string error;
    ASSERT_TRUE(f.Save(error)) << error;
    EXPECT_EQ(TempDir::Read(dir.File("new.ini")), "[A]\nx=1\nz=2\n[B]\ny=line break end\non=1\noff=0\n");
}

TEST(ProfileFile, FloatsRoundTripExactlyWithAPointEvenInACommaLocale) {
    // Where the locale is installed, printf would write "2,5" under it.
    NumericLocale polish("pl_PL.UTF-8");
    const double values[] = {0.0, 0.1, 1.0 / 3.0, 3.0, -2.5, 1e-7, 123456.789, 5400.04, 1e300, 0.35};
    TempDir dir;
    std::string path = dir.File("f.ini");
    ProfileFile f(path);
    for (std::size_t i = 0; i < std::size(values); ++i) f.WriteFloat("F", "d" + std::to_string(i), values[i]);
    f.WriteFloat("F", "single", 1234.56f);
    std::string error;
    ASSERT_TRUE(f.Save(error));
    std::string text = TempDir::Read(path);
    EXPECT_NE(text.find("\nd9=0.35\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nsingle=1234.56\n"), std::string::npos) << text;
    ProfileFile back(path);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(back.ReadFloat("F", "d" + std::to_string(i), -1), values[i]) << i;
}

// (A write-protected file is refused by the safe save; its tests have that case.)
TEST(ProfileFile, WriteProtectedFolderIsReportedAndLeftAlone) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "ro");
    std::string path = dir.Write("ro/k.ini", "[S]\nA=1\n");
    chmod((dir.path() / "ro").c_str(), 0555);
    ProfileFile f(path);
    f.WriteInt("S", "A", 2);
    std::string error;
    EXPECT_FALSE(f.Save(error));
    EXPECT_NE(error.find("write-protected"), std::string::npos) << error;
    EXPECT_EQ(TempDir::Read(path), "[S]\nA=1\n");
}

TEST(ProfileFile, Windows1250FileStaysSoUntilACharacterNeedsUtf8) {
    TempDir dir;
    // "Zażółć" in Windows-1250.
    std::string path = dir.Write("cp.ini", "[S]\r\nName=Za\xBF\xF3\xB3\xE6\r\n");
    ProfileFile f(path);
    EXPECT_EQ(f.ReadString("S", "Name", ""), "Zażółć");
    f.WriteString("S", "Other", "ą");
    std::string error;
    ASSERT_TRUE(f.Save(error));
    EXPECT_EQ(TempDir::Read(path), "[S]\r\nName=Za\xBF\xF3\xB3\xE6\r\nOther=\xB9\r\n");

    ProfileFile g(path);
    g.WriteString("S", "Cyrillic", "Ж");  // not in the code page
    ASSERT_TRUE(g.Save(error));
    EXPECT_EQ(TempDir::Read(path), "[S]\r\nName=Zażółć\r\nOther=ą\r\nCyrillic=Ж\r\n");
}
