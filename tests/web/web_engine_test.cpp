// web_engine_test.cpp
// The parts of the engine's web back end that differ from the SDL one and run outside a browser:
// the key and mouse numbering and the image files (stb_image in place of SDL_image). The rest is
// checked in the browser by web_page_test.py.
#include "engine2d/web/web_image_files.h"
#include "engine2d/web/web_key_map.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

TEST(WebKeyMap, EveryProgramKeyAnswersToItsBrowserKeyCodesAndButtonsToTheirDomNumbers) {
    const struct {
        int virtualKey;
        std::vector<int> codes;
        int button;
    } keys[] = {{27, {27}, -1},  {82, {82}, -1},   {83, {83}, -1},         {86, {86}, -1},         {77, {77}, -1},
                {76, {76}, -1},  {107, {107}, -1}, {109, {109}, -1},       {187, {187, 61}, -1},   {189, {189, 173}, -1},
                {112, {}, -1},   {1, {}, 0},       {2, {}, 2},             {4, {}, 1}};
    for (const auto& key : keys) {
        const DomKeyList list = DomKeyCodesForVirtualKey(key.virtualKey);
        EXPECT_EQ(std::vector<int>(list.codes, list.codes + list.count), key.codes) << key.virtualKey;
        EXPECT_EQ(DomButtonForVirtualKey(key.virtualKey), key.button) << key.virtualKey;
    }
}

TEST(WebImageFiles, PngRoundTripsOpaqueTheDataJpegDecodesAndOtherBytesAreRefusedWithAReason) {
    PixelImage image;
    image.width = 3;
    image.height = 2;
    image.pixels = {0x80FF0000, 0xFF00FF00, 0x000000FF, 0xFFFFFFFF, 0xFF102030, 0x01ABCDEF};
    const std::vector<unsigned char> png = EncodeOpaquePng(image);
    PixelImage decoded;
    std::string error;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), &decoded, &error)) << error;
    ASSERT_EQ(decoded.width * 10 + decoded.height, 32);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) EXPECT_EQ(decoded.pixels[i], image.pixels[i] | 0xFF000000u) << i;

    std::ifstream file(std::string(PERCOLATION_DATA_FOLDER) + "/284.jpg", std::ios::binary);
    const std::vector<unsigned char> jpeg((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(DecodeImage(jpeg.data(), jpeg.size(), &decoded, &error)) << error;
    EXPECT_EQ(decoded.width * 1000 + decoded.height, 512512);

    const unsigned char text[] = "plain text";
    for (const std::size_t size : {sizeof text, std::size_t{0}}) {
        error.clear();
        EXPECT_FALSE(DecodeImage(text, size, &decoded, &error));
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
