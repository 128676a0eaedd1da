#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/autosave.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;

TEST(Autosave, CopyRoundTripsAndACutCopyIsNoCopy) {
    AutosaveCopy c;
    c.lines = {"{100}{200}Zażółć", "", "ends in CR\r", "Dialogue: a=b"};
    c.path = "/home/u/film napisy.txt";
    c.textFormat = {TextEncoding::Windows1250, false, LineEnding::Lf, false};
    c.frameRate = 23.976;
    c.documentFormat = 5;
    c.fileFormat = 1;

    TempDir dir;
    AutosaveStore store(dir.File("state/kravelo/autosave"));
    EXPECT_FALSE(store.Load());
    std::string error;
    ASSERT_TRUE(store.Save(c, error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(store.Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    auto back = store.Load();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lines, c.lines);
    EXPECT_EQ(back->path, c.path);
    EXPECT_EQ(back->textFormat.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(back->textFormat.lineEnding, LineEnding::Lf);
    EXPECT_FALSE(back->textFormat.finalLineBreak);
    EXPECT_DOUBLE_EQ(back->frameRate, 23.976);
    EXPECT_EQ(back->documentFormat, 5);
    EXPECT_EQ(back->fileFormat, 1);

    // A copy cut short (a crash while writing cannot do it, but a full disk elsewhere might).
    std::string bytes = AutosaveStore::Serialize(c);
    EXPECT_FALSE(AutosaveStore::Parse(bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(AutosaveStore::Parse("not a copy\n"));
    AutosaveCopy empty;
    ASSERT_TRUE(AutosaveStore::Parse(AutosaveStore::Serialize(empty)));
    EXPECT_TRUE(AutosaveStore::Parse(AutosaveStore::Serialize(empty))->lines.empty());

    EXPECT_TRUE(store.Remove());
    EXPECT_FALSE(store.Exists());
    EXPECT_TRUE(store.Remove());  // nothing left is fine

    EXPECT_EQ(DefaultAutosaveFolder("/x/state", "/home/u"), "/x/state/kravelo/autosave");
    EXPECT_EQ(DefaultAutosaveFolder("relative", "/home/u"), "/home/u/.local/state/kravelo/autosave");
    EXPECT_EQ(DefaultAutosaveFolder(nullptr, nullptr), "");
    EXPECT_FALSE(AutosaveStore("").Save(c, error));
}
