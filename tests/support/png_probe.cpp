// png_probe.cpp
// `png_probe FILE X Y [X Y ...]` prints "R G B A" for each pixel, one line each, so that shell tests
// can look at screenshots. Exit 2 on wrong arguments, 1 when the file cannot be read or a pixel lies
// outside the image.
#include "tests/support/png_image.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 2) % 2 != 0) {
        std::fprintf(stderr, "usage: png_probe FILE X Y [X Y ...]\n");
        return 2;
    }
    PngImage image;
    if (!ReadPng(argv[1], image)) {
        std::fprintf(stderr, "png_probe: cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("size %d %d\n", image.width, image.height);
    for (int i = 2; i + 1 < argc; i += 2) {
        const int x = std::atoi(argv[i]);
        const int y = std::atoi(argv[i + 1]);
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
            std::fprintf(stderr, "png_probe: pixel %d,%d outside %dx%d\n", x, y, image.width, image.height);
            return 1;
        }
        const RgbaPixel pixel = image.At(x, y);
        std::printf("%d %d %d %d\n", pixel.r, pixel.g, pixel.b, pixel.a);
    }
    return 0;
}
