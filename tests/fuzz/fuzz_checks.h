#pragma once
// The invariants each fuzz target checks on one input. A broken invariant prints what broke
// and aborts, which libFuzzer reports as a finding and the corpus replay test as a failure.
// The same functions run in the libFuzzer targets (clang, -DKRAVELO_FUZZ=ON) and in the
// replay of the seed corpus that every ordinary test run does.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kravelo::fuzz {

using Check = void (*)(std::string_view data);
// Runs `check` on `data`; a broken invariant shows that input.
void Run(Check check, std::string_view data);

void CheckLineFormats(std::string_view data);  // ParseLine, IsLineValid, putline, RewriteLine
void CheckSsaHeader(std::string_view data);    // ReadSsaHeader and event lines under its tables
void CheckSubRip(std::string_view data);       // SubRip blocks and conversion, conversion back
void CheckText(std::string_view data);         // decoding and encoding of file bytes
void CheckProfile(std::string_view data);      // profile (INI) reading and writing
void CheckChapters(std::string_view data);     // chapters stored in a profile
void CheckEngines(std::string_view data);      // every engine over a document from the input
void CheckSkinBitmap(std::string_view data);   // the skin bitmap reader, brightness and tiling

struct Target {
    const char* name;
    Check check;
};
inline constexpr Target kTargets[] = {
    {"line", CheckLineFormats}, {"ssa_header", CheckSsaHeader}, {"subrip", CheckSubRip},
    {"text", CheckText},        {"profile", CheckProfile},      {"chapters", CheckChapters},
    {"engines", CheckEngines},  {"skin_bitmap", CheckSkinBitmap},
};

}  // namespace kravelo::fuzz
