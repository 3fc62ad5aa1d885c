// Decodes the same three TGA images with Texture::load through a pack file and
// with stb_image from memory, alternating in one run, and prints megapixels
// per second for both and their ratio (ours / stb_image).
//   tgabench [rounds]
#include "pack.h"
#include "texture.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct BenchImage {
    const char* name;
    const char* description;
    int width;
    int height;
    std::vector<unsigned char> tga;
};

std::vector<unsigned char> tgaHeader(int type, int width, int height, int depth)
{
    std::vector<unsigned char> header(18, 0);
    header[2] = (unsigned char)type;
    header[12] = (unsigned char)(width & 0xFF);
    header[13] = (unsigned char)(width >> 8);
    header[14] = (unsigned char)(height & 0xFF);
    header[15] = (unsigned char)(height >> 8);
    header[16] = (unsigned char)depth;
    header[17] = depth == 32 ? 8 : 0;  // origin bits clear: stored bottom-up, the usual layout
    return header;
}

// A sprite-like picture: soft shapes on a transparent background, with noise
// so that raw packets occur too.
void picturePixel(int x, int y, unsigned char bgra[4])
{
    int dx = x - 256;
    int dy = y - 256;
    bool inside = dx * dx + dy * dy < 200 * 200;
    unsigned noise = unsigned(x * 73856093u ^ y * 19349663u) >> 28;
    if (!inside) {
        bgra[0] = bgra[1] = bgra[2] = bgra[3] = 0;
        return;
    }
    bgra[0] = (unsigned char)(x / 8 * 8);
    bgra[1] = (unsigned char)(y / 16 * 16 + (x % 64 < 4 ? noise : 0));
    bgra[2] = (unsigned char)((x + y) / 32 * 32);
    bgra[3] = 255;
}

std::vector<unsigned char> runLength32(int width, int height)
{
    std::vector<unsigned char> tga = tgaHeader(10, width, height, 32);
    std::vector<unsigned char> row(size_t(width) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picturePixel(x, y, &row[size_t(x) * 4]);
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < 128 &&
                   std::memcmp(&row[size_t(x + run) * 4], &row[size_t(x) * 4], 4) == 0)
                ++run;
            if (run > 1) {
                tga.push_back((unsigned char)(0x80 | (run - 1)));
                tga.insert(tga.end(), &row[size_t(x) * 4], &row[size_t(x) * 4] + 4);
                x += run;
                continue;
            }
            int raw = 1;
            while (x + raw < width && raw < 128 &&
                   !(x + raw + 1 < width &&
                     std::memcmp(&row[size_t(x + raw) * 4], &row[size_t(x + raw + 1) * 4], 4) == 0))
                ++raw;
            tga.push_back((unsigned char)(raw - 1));
            tga.insert(tga.end(), &row[size_t(x) * 4], &row[size_t(x + raw) * 4]);
            x += raw;
        }
    }
    return tga;
}

std::vector<unsigned char> uncompressed(int width, int height, int depth)
{
    std::vector<unsigned char> tga = tgaHeader(2, width, height, depth);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char bgra[4];
            picturePixel(x, y, bgra);
            bgra[0] = (unsigned char)(bgra[0] ^ x);  // busier than the sprite
            if (depth == 24) {
                tga.insert(tga.end(), bgra, bgra + 3);
            } else {
                unsigned v = unsigned(bgra[2] >> 3) << 10 | unsigned(bgra[1] >> 3) << 5 | unsigned(bgra[0] >> 3);
                tga.push_back((unsigned char)(v & 0xFF));
                tga.push_back((unsigned char)(v >> 8));
            }
        }
    }
    return tga;
}

double seconds()
{
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(clock::now().time_since_epoch()).count();
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (std::fclose(file) == 0) && ok;
}

std::vector<unsigned char> packOf(const std::vector<BenchImage>& images)
{
    std::vector<unsigned char> pack(4 + images.size() * 40, 0);
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            pack[at + i] = (unsigned char)(value >> (8 * i));
    };
    put32(0, uint32_t(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        std::memcpy(&pack[4 + i * 40], images[i].name, std::strlen(images[i].name));
        put32(4 + i * 40 + 32, uint32_t(pack.size()));
        put32(4 + i * 40 + 36, uint32_t(images[i].tga.size()));
        pack.insert(pack.end(), images[i].tga.begin(), images[i].tga.end());
    }
    return pack;
}

// Best time of `repeats` decodes, in seconds per image.
double timeOurs(const BenchImage& image, int repeats)
{
    std::string path = std::string("data/") + image.name;
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        double start = seconds();
        Texture texture;
        if (!texture.load(path.c_str())) {
            std::fprintf(stderr, "tgabench: our loader refused %s\n", image.name);
            std::exit(1);
        }
        best = std::min(best, seconds() - start);
    }
    return best;
}

double timeStb(const BenchImage& image, int repeats)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        double start = seconds();
        int width, height, channels;
        unsigned char* pixels = stbi_load_from_memory(image.tga.data(), int(image.tga.size()), &width,
                                                      &height, &channels, 4);
        if (!pixels) {
            std::fprintf(stderr, "tgabench: stb_image refused %s: %s\n", image.name, stbi_failure_reason());
            std::exit(1);
        }
        stbi_image_free(pixels);
        best = std::min(best, seconds() - start);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    if (rounds < 1 || rounds > 1000) {
        std::fprintf(stderr, "usage: tgabench [rounds 1-1000]\n");
        return 1;
    }
    std::vector<BenchImage> images = {
        {"rle32.tga", "32-bit run-length 512 x 512", 512, 512, runLength32(512, 512)},
        {"raw24.tga", "24-bit uncompressed 512 x 512", 512, 512, uncompressed(512, 512, 24)},
        {"raw16.tga", "16-bit uncompressed 512 x 512", 512, 512, uncompressed(512, 512, 16)},
    };
    std::string packPath = "/tmp/snowgig-tgabench-" + std::to_string(getpid()) + ".dat";
    if (!writeFile(packPath, packOf(images))) {
        std::fprintf(stderr, "tgabench: cannot write %s\n", packPath.c_str());
        return 1;
    }
    PackFile* pack = new PackFile(packPath.c_str());
    if (!packArchiveOpen()) {
        std::fprintf(stderr, "tgabench: cannot open %s\n", packPath.c_str());
        std::remove(packPath.c_str());
        return 1;
    }

    std::printf("%-32s %10s %12s %12s %8s\n", "image", "file bytes", "ours MP/s", "stb MP/s", "ratio");
    const int repeats = 20;
    for (const BenchImage& image : images) {
        double ours = 1e9;
        double stb = 1e9;
        for (int round = 0; round < rounds; ++round) {  // alternate so both see the same machine
            ours = std::min(ours, timeOurs(image, repeats));
            stb = std::min(stb, timeStb(image, repeats));
        }
        double megapixels = double(image.width) * image.height / 1e6;
        std::printf("%-32s %10zu %12.1f %12.1f %8.2f\n", image.description, image.tga.size(),
                    megapixels / ours, megapixels / stb, stb / ours);
    }
    delete pack;
    std::remove(packPath.c_str());
    return 0;
}
