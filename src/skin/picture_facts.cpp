#include "skin/picture_facts.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "skin/bitmap_completeness.h"
#include "skin/header_fields.h"

namespace kelvane {
namespace {

std::uint32_t be32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

bool startsWith(const unsigned char* head, std::size_t size, const char* signature) {
    const std::size_t n = std::strlen(signature);
    return size >= n && std::memcmp(head, signature, n) == 0;
}

std::string lowerExtension(std::string_view name) {
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return {};
    std::string ext(name.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

void describeBmp(const unsigned char* head, std::size_t size, PictureFacts& facts) {
    facts.truncated =
        checkBitmapCompleteness(head, size, facts.fileSize) == BitmapCompleteness::Truncated;
    if (size < 18) return;
    const std::uint32_t infoSize = readLe32(head + 14);
    if (infoSize == 12 && size >= 26) {
        facts.width = readLe16(head + 18);
        facts.height = readLe16(head + 20);
        facts.bitsPerPixel = readLe16(head + 24);
    } else if (infoSize >= 40 && size >= 54) {
        facts.width = magnitude32(readLe32(head + 18));
        facts.height = magnitude32(readLe32(head + 22));
        facts.topDown = static_cast<std::int32_t>(readLe32(head + 22)) < 0;
        facts.bitsPerPixel = readLe16(head + 28);
        const std::uint32_t compression = readLe32(head + 30);
        // Bit fields only describe where the colours lie in uncompressed pixels.
        facts.compressed = compression != 0 && compression != 3;
    }
}

void describeTarga(const unsigned char* head, std::size_t size, PictureFacts& facts) {
    constexpr std::size_t kHeaderSize = 18;
    if (size < kHeaderSize || facts.fileSize < kHeaderSize) {
        facts.truncated = true;
        return;
    }
    const unsigned imageType = head[2];
    facts.width = readLe16(head + 12);
    facts.height = readLe16(head + 14);
    facts.bitsPerPixel = head[16];
    facts.compressed = imageType >= 9;
    if (!facts.compressed) {
        const std::uint64_t colourMap =
            head[1] == 1 ? std::uint64_t(readLe16(head + 5)) * ((head[7] + 7u) / 8u) : 0;
        const std::uint64_t pixels = facts.width * facts.height * ((facts.bitsPerPixel + 7u) / 8u);
        facts.truncated = facts.fileSize < kHeaderSize + head[0] + colourMap + pixels;
    }
}

void describePng(const unsigned char* head, std::size_t size, PictureFacts& facts) {
    if (size < 26) {
        facts.truncated = true;
        return;
    }
    facts.width = be32(head + 16);
    facts.height = be32(head + 20);
    unsigned channels = 1;
    switch (head[25]) {
        case 2:
            channels = 3;
            break;
        case 4:
            channels = 2;
            break;
        case 6:
            channels = 4;
            break;
        default:
            channels = 1;
    }
    facts.bitsPerPixel = head[24] * channels;
    facts.compressed = true;
}

const char* formatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Bmp:
            return "a BMP picture";
        case PictureFormat::Targa:
            return "a Targa picture";
        case PictureFormat::Raw:
            return "a RAW file";
        case PictureFormat::Png:
            return "a PNG picture";
        case PictureFormat::Jpeg:
            return "a JPEG picture";
        case PictureFormat::Gif:
            return "a GIF picture";
        case PictureFormat::Unknown:
            break;
    }
    return "not a picture this program recognises";
}

}  // namespace

PictureFacts describePicture(const unsigned char* head, std::size_t headSize,
                             std::uint64_t fileSize, std::string_view fileName) {
    PictureFacts facts;
    facts.fileSize = fileSize;
    const std::string extension = lowerExtension(fileName);
    if (startsWith(head, headSize, "BM")) {
        facts.format = PictureFormat::Bmp;
        describeBmp(head, headSize, facts);
    } else if (startsWith(head, headSize, "\x89PNG\r\n\x1a\n")) {
        facts.format = PictureFormat::Png;
        describePng(head, headSize, facts);
    } else if (startsWith(head, headSize, "GIF87a") || startsWith(head, headSize, "GIF89a")) {
        facts.format = PictureFormat::Gif;
        facts.compressed = true;
        if (headSize >= 10) {
            facts.width = readLe16(head + 6);
            facts.height = readLe16(head + 8);
        }
    } else if (startsWith(head, headSize, "\xff\xd8\xff")) {
        facts.format = PictureFormat::Jpeg;
        facts.compressed = true;
    } else if (extension == "tga") {
        facts.format = PictureFormat::Targa;
        describeTarga(head, headSize, facts);
    } else if (extension == "raw") {
        facts.format = PictureFormat::Raw;
    }
    return facts;
}

std::string describeFacts(const PictureFacts& facts) {
    std::string text = formatName(facts.format);
    if (facts.format == PictureFormat::Raw)
        return text + " of " + std::to_string(facts.fileSize) + " bytes";
    if (facts.format == PictureFormat::Unknown)
        return text + " (" + std::to_string(facts.fileSize) + " bytes)";
    if (facts.width != 0 || facts.height != 0)
        text +=
            " of " + std::to_string(facts.width) + "x" + std::to_string(facts.height) + " pixels";
    if (facts.bitsPerPixel != 0)
        text += " with " + std::to_string(facts.bitsPerPixel) + " bits per pixel";
    // PNG, GIF and JPEG are always compressed; saying so would only confuse.
    const bool alwaysCompressed = facts.format == PictureFormat::Png ||
                                  facts.format == PictureFormat::Gif ||
                                  facts.format == PictureFormat::Jpeg;
    if (facts.compressed && !alwaysCompressed) text += ", compressed";
    if (facts.topDown) text += ", rows stored from the top";
    if (facts.truncated) text += ", cut short (the file is smaller than its header says)";
    return text;
}

}  // namespace kelvane
