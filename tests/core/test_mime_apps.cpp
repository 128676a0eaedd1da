// The movie and subtitle types the program opens, and editing a mimeapps.list in place.
#include <gtest/gtest.h>

#include "core/media_types.h"
#include "core/mime_apps.h"

using namespace kravelo;

TEST(MediaTypes, ExtensionsTypesAndTheOpenFilter) {
    // Extensions in any letter case; the dot of a folder name is no extension.
    for (const char* name : {"/f/film.avi", "FILM.MKV", "a.b/film.mp4", "film.MOV"}) EXPECT_TRUE(IsMovieFile(name)) << name;
    EXPECT_TRUE(IsSubtitleFile("film.SRT"));
    EXPECT_FALSE(IsMovieFile("film.srt"));
    for (const char* name : {"/filmy.mkv/film", "film", "film.", "film.mkv.part", "film.doc"}) {
        EXPECT_FALSE(IsMovieFile(name)) << name;
        EXPECT_FALSE(IsSubtitleFile(name)) << name;
    }
    EXPECT_EQ(FileExtension("/a.b/Film.MkV"), "mkv");
    EXPECT_EQ(MimeTypeOfExtension("mkv"), "video/x-matroska");
    EXPECT_EQ(MimeTypeOfExtension("mpa"), "video/mpeg");  // not audio/mpeg, which holds every MP3
    EXPECT_EQ(MimeTypeOfExtension("srt"), "application/x-subrip");
    EXPECT_EQ(MimeTypeOfExtension("doc"), "");
    const std::vector<std::string> types = OpenedMimeTypes();  // each type once, subtitles last
    EXPECT_EQ(types.size(), 15u);
    EXPECT_EQ(types.back(), "application/x-subrip");
    const std::string filter = MovieOpenFilter();
    EXPECT_TRUE(filter.starts_with("Pliki wideo (*.avi;*.mpg;*.mpe;*.mpeg;*.mov;")) << filter;
    EXPECT_TRUE(filter.ends_with(";*.3gp|Wszystkie pliki (*.*)|*")) << filter;
}

TEST(MimeAppsList, SetAndRemoveKeepEverythingElse) {
    const std::string original =
        "# chosen by hand\n"
        "[Added Associations]\n"
        "video/x-matroska=vlc.desktop;\n"
        "\n"
        "[Default Applications]\n"
        "text/html=firefox.desktop\n"
        "Video/X-Matroska = mpv.desktop;totem.desktop;\n"
        "# keep me\n"
        "\n"
        "[Removed Associations]\n"
        "video/mp4=bad.desktop;\n";
    MimeAppsList list = MimeAppsList::Parse(original);
    EXPECT_EQ(list.Text(), original);
    EXPECT_EQ(list.Defaults("video/x-matroska"), (std::vector<std::string>{"mpv.desktop", "totem.desktop"}));
    // [Added Associations] and [Removed Associations] are not defaults.
    EXPECT_TRUE(list.Defaults("video/mp4").empty());

    // Kravelo goes first, and only once however often it is set; where a new line goes is the
    // next test's.
    list.SetDefault("video/x-matroska", "kravelo.desktop");
    list.SetDefault("video/x-matroska", "kravelo.desktop");
    list.SetDefault("video/mp4", "kravelo.desktop");
    EXPECT_EQ(list.Defaults("video/x-matroska"),
              (std::vector<std::string>{"kravelo.desktop", "mpv.desktop", "totem.desktop"}));

    // Removing takes out only Kravelo: the earlier handlers apply again; a key left empty goes.
    EXPECT_TRUE(list.RemoveDefault("video/x-matroska", "kravelo.desktop"));
    EXPECT_TRUE(list.RemoveDefault("video/mp4", "kravelo.desktop"));
    EXPECT_FALSE(list.RemoveDefault("video/mp4", "kravelo.desktop"));
    EXPECT_EQ(list.Text(),
              "# chosen by hand\n"
              "[Added Associations]\n"
              "video/x-matroska=vlc.desktop;\n"
              "\n"
              "[Default Applications]\n"
              "text/html=firefox.desktop\n"
              "video/x-matroska=mpv.desktop;totem.desktop;\n"
              "# keep me\n"
              "\n"
              "[Removed Associations]\n"
              "video/mp4=bad.desktop;\n");
}

TEST(MimeAppsList, NewSectionRepeatedKeysAndLineEnds) {
    // No file yet: the section is made.
    MimeAppsList empty = MimeAppsList::Parse("");
    empty.SetDefault("video/mp4", "kravelo.desktop");
    EXPECT_EQ(empty.Text(), "[Default Applications]\nvideo/mp4=kravelo.desktop;\n");

    // A file without the section and without a final line break keeps its text.
    MimeAppsList other = MimeAppsList::Parse("[Added Associations]\r\nvideo/mp4=a.desktop;");
    other.SetDefault("video/mp4", "kravelo.desktop");
    EXPECT_EQ(other.Text(),
              "[Added Associations]\r\nvideo/mp4=a.desktop;\r\n\r\n[Default Applications]\r\n"
              "video/mp4=kravelo.desktop;\r\n");

    // Lines keep their own ends in a file that mixes them; new lines take "\r\n".
    MimeAppsList mixed = MimeAppsList::Parse("# a\n[Default Applications]\r\nvideo/ogg=x.desktop\r\n# b\n");
    mixed.SetDefault("video/ogg", "kravelo.desktop");
    mixed.SetDefault("video/mp4", "kravelo.desktop");
    EXPECT_EQ(mixed.Text(),
              "# a\n[Default Applications]\r\nvideo/ogg=kravelo.desktop;x.desktop;\r\nvideo/mp4=kravelo.desktop;\r\n# b\n");
    EXPECT_TRUE(mixed.RemoveDefault("video/ogg", "kravelo.desktop"));
    EXPECT_EQ(mixed.Text(),
              "# a\n[Default Applications]\r\nvideo/ogg=x.desktop;\r\nvideo/mp4=kravelo.desktop;\r\n# b\n");

    // A type named twice: one entry remains, holding both lists; removal clears every line.
    MimeAppsList twice = MimeAppsList::Parse(
        "[Default Applications]\nvideo/ogg=a.desktop\nx/y=z.desktop\nvideo/ogg=b.desktop;kravelo.desktop\n");
    twice.SetDefault("video/ogg", "kravelo.desktop");
    EXPECT_EQ(twice.Text(), "[Default Applications]\nvideo/ogg=kravelo.desktop;a.desktop;b.desktop;\nx/y=z.desktop\n");
    MimeAppsList only = MimeAppsList::Parse(
        "[Default Applications]\nvideo/ogg=kravelo.desktop\nx/y=z.desktop\nvideo/ogg=kravelo.desktop;\n");
    EXPECT_TRUE(only.RemoveDefault("video/ogg", "kravelo.desktop"));
    EXPECT_EQ(only.Text(), "[Default Applications]\nx/y=z.desktop\n");
}
