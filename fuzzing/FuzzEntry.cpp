// The libFuzzer entry point of one target, chosen when the program is built.
// A finding prints what was wrong and aborts, so that libFuzzer keeps the input.
#include "FuzzTargets.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        QuorvelFuzz::QUORVEL_FUZZ_TARGET(
            std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const QuorvelFuzz::TFinding& finding) {
        std::fprintf(stderr, "==== finding: %s\n", finding.What.c_str());
        std::abort();
    }
    return 0;
}
