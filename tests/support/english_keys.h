#pragma once
// Checks an exported language file against the shipped english.klg.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/profile_file.h"

namespace kravelo::test {

// Expects english.klg to hold every key of the exported file that `keep` accepts; returns how
// many keys were checked.
inline int ExpectEnglishHas(
    const std::string& exportedPath,
    const std::function<bool(const std::string& section, const std::string& key, const std::string& value)>& keep) {
    const ProfileFile exported(exportedPath);
    const ProfileFile english(std::string(KRAVELO_SOURCE_DIR) + "/data/language/english.klg");
    std::string section;
    int checked = 0;
    for (const std::string& line : exported.Lines()) {
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string key = line.substr(0, eq);
        if (key.empty() || !keep(section, key, eq == std::string::npos ? "" : line.substr(eq + 1))) continue;
        ++checked;
        EXPECT_TRUE(english.Find(section, key)) << "english.klg lacks [" << section << "] " << key;
    }
    return checked;
}

}  // namespace kravelo::test
