#include "core/skin_bitmap.h"

#include <algorithm>
#include <array>

namespace kravelo {

namespace {

std::uint32_t U16(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

std::int32_t S32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

std::optional<RgbImage> Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return std::nullopt;
}

// One colour channel held in a bit field of a 16- or 32-bit pixel, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        max = mask >> shift;
    }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (max == 0) return 0;
        return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255u / max);
    }
};

void PutBytes(std::string& out, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::optional<RgbImage> DecodeBmp(std::string_view b, std::string* error) {
    constexpr std::size_t kFileHeader = 14;
    if (b.empty()) return Fail(error, "the file is empty");
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') return Fail(error, "not a bitmap file");
    if (b.size() < kFileHeader + 12) return Fail(error, "the file is truncated");
    const std::uint32_t pixelOffset = U32(b, 10);
    const std::uint32_t headerSize = U32(b, kFileHeader);
    if (headerSize != 12 && headerSize < 40) return Fail(error, "unknown bitmap header");
    if (headerSize > b.size() - kFileHeader) return Fail(error, "the file is truncated");

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t paletteUsed = 0;
    std::size_t paletteEntry = 4;
    if (headerSize == 12) {  // the core header of the oldest files
        width = U16(b, 18);
        height = static_cast<std::int16_t>(U16(b, 20));
        bits = U16(b, 24);
        paletteEntry = 3;
    } else {
        width = S32(b, 18);
        height = S32(b, 22);
        if (U16(b, 26) != 1) return Fail(error, "unknown bitmap header");
        bits = U16(b, 28);
        compression = U32(b, 30);
        paletteUsed = U32(b, 46);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0) return Fail(error, "the picture has no pixels");
    if (width > kMaxSkinSide || height > kMaxSkinSide) return Fail(error, "the picture is too large");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Fail(error, "unsupported number of bits a pixel");

    // Bit fields: in the header from version 2 on, or just after the 40-byte header.
    std::uint32_t red = 0, green = 0, blue = 0;
    std::size_t afterHeader = kFileHeader + headerSize;
    if (compression == 3 || compression == 6) {
        if (bits != 16 && bits != 32) return Fail(error, "compressed bitmaps are not supported");
        if (headerSize == 40) {
            if (b.size() < afterHeader + 12) return Fail(error, "the file is truncated");
            red = U32(b, afterHeader);
            green = U32(b, afterHeader + 4);
            blue = U32(b, afterHeader + 8);
            afterHeader += compression == 6 ? 16 : 12;
        } else if (headerSize >= 52) {
            red = U32(b, kFileHeader + 40);
            green = U32(b, kFileHeader + 44);
            blue = U32(b, kFileHeader + 48);
        } else {
            return Fail(error, "unknown bitmap header");
        }
    } else if (compression != 0) {
        return Fail(error, "compressed bitmaps are not supported");
    } else if (bits == 16) {
        red = 0x7C00, green = 0x03E0, blue = 0x001F;
    } else if (bits == 32) {
        red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF;
    }

    // The palette of 1, 4 and 8 bits a pixel; an index past its end draws black.
    std::vector<std::array<std::uint8_t, 3>> palette;
    if (bits <= 8) {
        std::uint64_t count = paletteUsed == 0 ? (1u << bits) : paletteUsed;
        if (count > 256) return Fail(error, "the palette is too large");
        if (afterHeader + count * paletteEntry > b.size()) return Fail(error, "the file is truncated");
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::size_t at = afterHeader + static_cast<std::size_t>(i) * paletteEntry;
            palette.push_back({static_cast<std::uint8_t>(b[at + 2]), static_cast<std::uint8_t>(b[at + 1]),
                               static_cast<std::uint8_t>(b[at])});
        }
    }

    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset < afterHeader || pixelOffset > b.size() ||
        stride * static_cast<std::uint64_t>(height) > b.size() - pixelOffset)
        return Fail(error, "the file is truncated");

    RgbImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgb.assign(static_cast<std::size_t>(width * height * 3), 0);
    const Channel r(red), g(green), bl(blue);
    for (int y = 0; y < image.height; ++y) {
        const int fileRow = topDown ? y : image.height - 1 - y;
        const std::string_view row = b.substr(pixelOffset + static_cast<std::size_t>(fileRow) * stride, stride);
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* out = image.Pixel(x, y);
            const auto ux = static_cast<std::size_t>(x);
            if (bits <= 8) {
                const std::size_t bit = ux * bits;
                const auto byte = static_cast<unsigned char>(row[bit / 8]);
                const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index < palette.size()) std::copy(palette[index].begin(), palette[index].end(), out);
            } else if (bits == 24) {
                out[0] = static_cast<std::uint8_t>(row[ux * 3 + 2]);
                out[1] = static_cast<std::uint8_t>(row[ux * 3 + 1]);
                out[2] = static_cast<std::uint8_t>(row[ux * 3]);
            } else {
                const std::uint32_t pixel = bits == 16 ? U16(row, ux * 2) : U32(row, ux * 4);
                out[0] = r.Of(pixel);
                out[1] = g.Of(pixel);
                out[2] = bl.Of(pixel);
            }
        }
    }
    return image;
}

std::string EncodeBmp(const RgbImage& image) {
    const std::uint32_t stride = ((static_cast<std::uint32_t>(image.width) * 24 + 31) / 32) * 4;
    const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(image.height);
    std::string out;
    out.reserve(54 + dataSize);
    out += "BM";
    PutBytes(out, 54 + dataSize, 4);
    PutBytes(out, 0, 4);
    PutBytes(out, 54, 4);
    PutBytes(out, 40, 4);
    PutBytes(out, static_cast<std::uint32_t>(image.width), 4);
    PutBytes(out, static_cast<std::uint32_t>(image.height), 4);
    PutBytes(out, 1, 2);
    PutBytes(out, 24, 2);
    PutBytes(out, 0, 4);
    PutBytes(out, dataSize, 4);
    PutBytes(out, 2835, 4);  // 72 dots an inch
    PutBytes(out, 2835, 4);
    PutBytes(out, 0, 4);
    PutBytes(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.Pixel(x, y);
            out.push_back(static_cast<char>(p[2]));
            out.push_back(static_cast<char>(p[1]));
            out.push_back(static_cast<char>(p[0]));
        }
        out.append(stride - static_cast<std::uint32_t>(image.width) * 3, '\0');
    }
    return out;
}

void AdjustBrightness(RgbImage& image, int value) {
    for (std::uint8_t& byte : image.rgb) byte = static_cast<std::uint8_t>(std::clamp(byte - value + 130, 0, 255));
}

RgbImage TileImage(const RgbImage& tile, int width, int height) {
    RgbImage out;
    if (tile.Empty() || width <= 0 || height <= 0) return out;
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = tile.Pixel(0, y % tile.height);
        std::uint8_t* row = out.Pixel(0, y);
        for (int x = 0; x < width; x += tile.width) {
            const int n = std::min(tile.width, width - x);
            std::copy(source, source + n * 3, row + x * 3);
        }
    }
    return out;
}

}  // namespace kravelo
