#pragma once
// Skin pictures without Qt: a plain RGB picture, the reader of the Windows bitmap files the
// skins are made of, and the two operations a skin goes through before it is shown (the
// brightness change and the tiling into a larger picture).
//
// The reader trusts nothing in the file: every size and offset is checked against the bytes
// there are, so a zero-length, truncated or foreign file is refused with a reason and never
// read past its end.
//
//     std::string error;
//     std::optional<RgbImage> skin = DecodeBmp(bytes, &error);
//     if (!skin) ...report the damaged skin...
//     AdjustBrightness(*skin, 15);
//     RgbImage strip = TileImage(*skin, 1600, 40);

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kravelo {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel (red, green, blue), the top row first

    bool Empty() const { return width <= 0 || height <= 0; }
    const std::uint8_t* Pixel(int x, int y) const {
        return rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    }
    std::uint8_t* Pixel(int x, int y) {
        return rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    }
};

// The largest picture a skin may be, in either direction; larger ones are refused rather than
// allocated.
inline constexpr int kMaxSkinSide = 4096;

// Reads a Windows bitmap: uncompressed 1, 4, 8, 16, 24 and 32 bits a pixel (16 and 32 also with
// bit-field masks), bottom-up or top-down rows, with the core, info and later headers. Anything
// else (compressed, truncated, too large, not a bitmap) gives nullopt and a reason in `error`.
std::optional<RgbImage> DecodeBmp(std::string_view bytes, std::string* error = nullptr);

// A 24-bit bottom-up bitmap file of the picture.
std::string EncodeBmp(const RgbImage& image);

// Every colour byte b becomes b - value + 130, kept within 0..255: 130 leaves the picture as it
// is, smaller values brighten it, larger ones darken it.
void AdjustBrightness(RgbImage& image, int value);

// A width x height picture covered with copies of `tile` side by side and row under row from
// the top-left corner. An empty tile or size gives an empty picture.
RgbImage TileImage(const RgbImage& tile, int width, int height);

}  // namespace kravelo
