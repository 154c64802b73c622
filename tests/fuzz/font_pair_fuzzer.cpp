// The font pair check never crashes on any sheet or widths bytes, it offers a
// mend exactly when the pair is sound or mendable, and what the mend gives
// passes the check.
//
// Input: the widths file's length in two bytes, least significant first
// (0xFFFF: there is no widths file), the widths file's bytes, then the
// sheet's bytes.

#include <algorithm>
#include <cstdint>

#include "fuzz_check.h"
#include "skin/font/font_bitmap.h"
#include "skin/font/font_pair_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t length = data[0] | data[1] << 8;
    const std::size_t widthsBytes = length == 0xFFFF ? 0 : std::min(length, size - 2);
    kelvane::FontPairFiles files;
    files.widthsName = "font.dat";
    files.widthsPresent = length != 0xFFFF;
    files.widths.assign(data + 2, data + 2 + widthsBytes);
    files.sheet.assign(data + 2 + widthsBytes, data + size);
    files.sheetFileSize = files.sheet.size();

    const kelvane::FontPairReport report = kelvane::checkFontPair(files);
    const auto mended = kelvane::mendFontPair(files);
    FUZZ_CHECK(mended.has_value() == (report.ok() || report.mendable()));
    if (mended) {
        kelvane::FontPairFiles again;
        again.sheet = kelvane::encodeBmp24(mended->sheet);
        again.sheetFileSize = again.sheet.size();
        again.widthsPresent = true;
        again.widths.assign(mended->widths.begin(), mended->widths.end());
        FUZZ_CHECK(kelvane::checkFontPair(again).ok());
    }
    return 0;
}
