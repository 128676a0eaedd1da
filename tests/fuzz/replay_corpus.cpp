// Replays the seed corpus (tests/fuzz/corpus/<target>/) through every fuzz check, so an
// ordinary build and test run covers the invariants without clang or libFuzzer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz_checks.h"

namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryTargetKeepsItsInvariantsOverTheSeeds) {
    const fs::path root = fs::path(KRAVELO_FUZZ_CORPUS);
    for (const auto& target : kravelo::fuzz::kTargets) {
        const fs::path folder = root / target.name;  // a missing folder throws
        std::size_t seeds = 0;
        // Every seed runs through every check, its own target's included: the inputs are plain
        // bytes to all.
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            SCOPED_TRACE(entry.path().string());
            for (const auto& check : kravelo::fuzz::kTargets) kravelo::fuzz::Run(check.check, bytes);
            ++seeds;
        }
        EXPECT_GT(seeds, 0u) << target.name;
    }
}
