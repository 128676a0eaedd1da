// The message keys the program reads, against the sources and the shipped language files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>

#include "core/message_texts.h"
#include "core/text_file.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string SourceFile(const std::string& relative) {
    return std::string(KRAVELO_SOURCE_DIR) + "/" + relative;
}

}  // namespace

TEST(ShippedLanguages, EveryKeyTheProgramReadsIsInBothFiles) {
    for (const char* name : {"polski.klg", "english.klg"}) {
        std::string path = SourceFile(std::string("data/language/") + name);
        std::string bytes, error;
        ASSERT_TRUE(ReadFileBytes(path, bytes, error)) << error;
        EXPECT_TRUE(IsValidUtf8(bytes)) << name;
        ProfileFile f(path);
        for (const MessageKey& k : kMessageKeys) {
            auto v = f.Find(k.section, k.key);
            EXPECT_TRUE(v && !v->empty()) << name << ": [" << k.section << "] " << k.key;
        }
        for (const auto* keys : {&kStdButtonKeys, &kChooserColumnKeys})
            for (const MessageKey& k : *keys) EXPECT_TRUE(f.Find(k.section, k.key)) << name << ": " << k.key;
        for (const MessageKey& k : kOptionsPageKeys)
            EXPECT_TRUE(f.Find(k.section, k.key)) << name << ": " << k.key;
    }
}

TEST(ShippedLanguages, EveryLookupInTheSourcesIsListedAndShipped) {
    // Literal (section, key) pairs in Message constants and Text(...) calls go through the
    // loaded message texts, so they must be listed in kMessageKeys; LangString(file, ...) reads
    // the file directly. All of them must be in both shipped files.
    const std::regex listed(R"re((?:Message(?:\s+\w+)?\s*\{|\bText\s*\()\s*"([^"]+)"\s*,\s*"([^"]+)")re");
    const std::regex direct(R"re(LangString\s*\(\s*[A-Za-z_][\w.>-]*\s*,\s*"([^"]+)"\s*,\s*"([^"]+)")re");
    std::set<std::pair<std::string, std::string>> viaTexts, all;
    for (auto& e : fs::recursive_directory_iterator(SourceFile("src"))) {
        auto ext = e.path().extension();
        if (ext != ".h" && ext != ".cpp") continue;
        std::string text = TempDir::Read(e.path().string());
        for (std::sregex_iterator it(text.begin(), text.end(), listed), end; it != end; ++it) {
            viaTexts.insert({(*it)[1], (*it)[2]});
            all.insert({(*it)[1], (*it)[2]});
        }
        for (std::sregex_iterator it(text.begin(), text.end(), direct), end; it != end; ++it)
            all.insert({(*it)[1], (*it)[2]});
    }
    EXPECT_GE(viaTexts.size(), 5u);  // the core's messages at least
    for (const auto& [section, key] : viaTexts) {
        bool isListed =
            std::any_of(std::begin(kMessageKeys), std::end(kMessageKeys),
                        [&](const MessageKey& k) { return k.section == section && k.key == key; });
        EXPECT_TRUE(isListed) << "kMessageKeys lacks [" << section << "] " << key;
    }
    ProfileFile polski(SourceFile("data/language/polski.klg"));
    ProfileFile english(SourceFile("data/language/english.klg"));
    for (const auto& [section, key] : all) {
        EXPECT_TRUE(polski.Find(section, key)) << "polski.klg lacks [" << section << "] " << key;
        EXPECT_TRUE(english.Find(section, key)) << "english.klg lacks [" << section << "] " << key;
    }
}
