#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

enum class PictureFormat { Unknown, Bmp, Targa, Raw, Png, Jpeg, Gif };

// What the first bytes of a picture file (and its size and name) tell about
// it, without decoding any pixels. Width and height are 0 where the header
// does not say.
struct PictureFacts {
    PictureFormat format = PictureFormat::Unknown;
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    unsigned bitsPerPixel = 0;
    bool compressed = false;
    bool topDown = false;    // a bitmap whose rows run from the top
    bool truncated = false;  // the file is shorter than its header promises
    std::uint64_t fileSize = 0;
};

// Bytes of the head a caller should read for describePicture.
inline constexpr std::size_t kPictureHeadSize = 64;

// Recognises BMP, PNG, GIF and JPEG by their signatures; a Targa (which has
// none) and a RAW file by the name's extension, in any case.
PictureFacts describePicture(const unsigned char* head, std::size_t headSize,
                             std::uint64_t fileSize, std::string_view fileName);

// "a BMP picture of 640x480 pixels with 8 bits per pixel, compressed", "a RAW
// file of 1000 bytes" or "not a picture this program recognises (64 bytes)".
std::string describeFacts(const PictureFacts& facts);

}  // namespace kelvane
