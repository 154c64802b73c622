// The ps2-packer stand-in's run-length format: any file unpacks without fault
// or excess memory (libFuzzer's allocation limit catches a forged size), what
// unpacks packs and unpacks to the same bytes, and any data survives packing.

#include <cstdint>

#include "fuzz_check.h"
#include "ps2-packer/run_length.h"

using kelvane::tools::Bytes;
using kelvane::tools::packRunLength;
using kelvane::tools::unpackRunLength;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes input(data, data + size);
    FUZZ_CHECK(unpackRunLength(packRunLength(input)) == input);
    if (const auto unpacked = unpackRunLength(input)) {
        FUZZ_CHECK(unpacked->size() <= 64 * size);
        FUZZ_CHECK(unpackRunLength(packRunLength(*unpacked)) == *unpacked);
    }
    return 0;
}
