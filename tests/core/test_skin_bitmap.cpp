#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/skin_bitmap.h"
#include "core/text_file.h"

using namespace kravelo;
namespace fs = std::filesystem;

namespace {

void Put(std::string& out, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A bitmap file with a 40-byte header and whatever follows it (palette, masks, pixels).
std::string Bmp(int width, int height, int bits, std::uint32_t compression, const std::string& afterHeader,
                const std::string& pixels, std::uint32_t paletteUsed = 0) {
    std::string out = "BM";
    const auto offset = static_cast<std::uint32_t>(54 + afterHeader.size());
    Put(out, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(width), 4);
    Put(out, static_cast<std::uint32_t>(height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<std::uint32_t>(bits), 2);
    Put(out, compression, 4);
    Put(out, static_cast<std::uint32_t>(pixels.size()), 4);
    Put(out, 0, 8);
    Put(out, paletteUsed, 4);
    Put(out, 0, 4);
    return out + afterHeader + pixels;
}

std::vector<int> Bytes(const RgbImage& image) { return {image.rgb.begin(), image.rgb.end()}; }

}  // namespace

// (24-bit pictures through the writer and back, row padding included, are a fuzz property
// checked over the seed bitmaps.)
TEST(SkinBitmap, ReadsTheUsualKindsOfBitmap) {
    // 8 bits with a two-colour palette, rows stored top-down (negative height).
    std::string palette;
    Put(palette, 0x00102030, 4);  // blue 0x30, green 0x20, red 0x10
    Put(palette, 0x00FFFFFF, 4);
    const std::string rows = std::string("\x00\x01\x00\x00", 4) + std::string("\x01\x05\x00\x00", 4);
    std::string error;
    std::optional<RgbImage> back = DecodeBmp(Bmp(2, -2, 8, 0, palette, rows, 2), &error);
    ASSERT_TRUE(back) << error;
    // Index 5 lies past the palette: black.
    EXPECT_EQ(Bytes(*back), (std::vector<int>{0x10, 0x20, 0x30, 255, 255, 255, 255, 255, 255, 0, 0, 0}));

    // 1 bit, bottom-up: the lower row is stored first.
    std::string mono;
    Put(mono, 0, 4);
    Put(mono, 0x00FFFFFF, 4);
    back = DecodeBmp(Bmp(3, 2, 1, 0, mono, std::string("\xA0\0\0\0\x40\0\0\0", 8)), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(Bytes(*back), (std::vector<int>{0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255}));

    // 16 bits 5-5-5 and 32 bits with bit-field masks.
    back = DecodeBmp(Bmp(1, 1, 16, 0, "", std::string("\x1F\x7C\0\0", 4)), &error);  // 0x7C1F: red and blue full
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(Bytes(*back), (std::vector<int>{255, 0, 255}));
    std::string masks;
    Put(masks, 0x000000FF, 4);  // red in the low byte
    Put(masks, 0x0000FF00, 4);
    Put(masks, 0x00FF0000, 4);
    back = DecodeBmp(Bmp(1, 1, 32, 3, masks, std::string("\x11\x22\x33\x44", 4)), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(Bytes(*back), (std::vector<int>{0x11, 0x22, 0x33}));
}

TEST(SkinBitmap, DamagedFilesAreRefusedNotRead) {
    const std::string good = EncodeBmp(RgbImage{4, 4, std::vector<std::uint8_t>(48, 7)});
    std::string error;
    EXPECT_FALSE(DecodeBmp("", &error));
    EXPECT_EQ(error, "the file is empty");
    for (std::size_t cut : {std::size_t{1}, std::size_t{20}, std::size_t{53}, good.size() - 1}) {
        EXPECT_FALSE(DecodeBmp(std::string_view(good).substr(0, cut), &error)) << cut;
        EXPECT_EQ(error, cut == 1 ? "not a bitmap file" : "the file is truncated") << cut;
    }
    EXPECT_FALSE(DecodeBmp("\x89PNG\r\n\x1a\n and so on, a picture of another kind", &error));
    EXPECT_EQ(error, "not a bitmap file");

    // Sizes and kinds the reader does not take.
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 8, 1, std::string(1024, '\0'), std::string(4, '\0')), &error));  // RLE8
    EXPECT_EQ(error, "compressed bitmaps are not supported");
    EXPECT_FALSE(DecodeBmp(Bmp(100000, 100000, 24, 0, "", ""), &error));
    EXPECT_EQ(error, "the picture is too large");
    EXPECT_FALSE(DecodeBmp(Bmp(0, 5, 24, 0, "", ""), &error));
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 7, 0, "", std::string(4, '\0')), &error));
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 8, 0, "", std::string(4, '\0'), 100000), &error));
    // A pixel offset that points past the end.
    std::string far = good;
    far[10] = '\xFF';
    far[11] = '\xFF';
    EXPECT_FALSE(DecodeBmp(far, &error));
    EXPECT_EQ(error, "the file is truncated");
}

TEST(SkinBitmap, BrightnessAndEmptyTiles) {
    RgbImage image{2, 1, {0, 100, 255, 130, 10, 200}};
    RgbImage same = image;
    AdjustBrightness(same, 130);
    EXPECT_EQ(Bytes(same), Bytes(image));
    RgbImage bright = image;
    AdjustBrightness(bright, 0);
    EXPECT_EQ(Bytes(bright), (std::vector<int>{130, 230, 255, 255, 140, 255}));
    RgbImage dark = image;
    AdjustBrightness(dark, 200);
    EXPECT_EQ(Bytes(dark), (std::vector<int>{0, 30, 185, 60, 0, 130}));

    // Tiling a picture is a fuzz property, checked over the seed bitmaps; here the empty cases.
    EXPECT_TRUE(TileImage(RgbImage{}, 5, 3).Empty());
    EXPECT_TRUE(TileImage(image, 0, 3).Empty());
}

// The skins the program ships read as bitmaps.
TEST(SkinBitmap, ShippedSkinsRead) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(std::string(KRAVELO_SOURCE_DIR) + "/data/skins")) {
        std::string bytes;
        std::string error;
        ASSERT_TRUE(ReadFileBytes(entry.path().string(), bytes, error)) << error;
        EXPECT_TRUE(DecodeBmp(bytes, &error)) << entry.path() << ": " << error;
        ++count;
    }
    EXPECT_GE(count, 3);
}
