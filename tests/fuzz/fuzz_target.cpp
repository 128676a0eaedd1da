// One libFuzzer entry point; the build compiles it once per target with KRAVELO_FUZZ_CHECK set
// to the check it runs.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kravelo::fuzz;
    Run(KRAVELO_FUZZ_CHECK, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
