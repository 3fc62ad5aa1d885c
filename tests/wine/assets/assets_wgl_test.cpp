// A pack written to disk, read back through the Windows C runtime, and its
// images uploaded into a WGL context.
#include "pack.h"
#include "texture.h"

#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void put32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (unsigned char)(value >> (8 * i));
}

Bytes packOf(const std::vector<std::pair<std::string, Bytes>>& items)
{
    Bytes pack(4 + items.size() * 40, 0);
    put32(pack, 0, uint32_t(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        std::memcpy(&pack[4 + i * 40], items[i].first.c_str(), items[i].first.size());
        put32(pack, 4 + i * 40 + 32, uint32_t(pack.size()));
        put32(pack, 4 + i * 40 + 36, uint32_t(items[i].second.size()));
        pack.insert(pack.end(), items[i].second.begin(), items[i].second.end());
    }
    return pack;
}

// 24-bit uncompressed, each pixel's bytes taken from its position.
Bytes tga24(uint16_t width, uint16_t height)
{
    Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, (unsigned char)width, (unsigned char)(width >> 8),
                 (unsigned char)height, (unsigned char)(height >> 8), 24, 0};
    for (int i = 0; i < width * height * 3; ++i)
        tga.push_back((unsigned char)(i * 13 + i / 7));
    return tga;
}

std::string packPath()
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + "snowgig-assets-wgl-test.dat";
}

bool createContext()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "assetsTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("assetsTest", "assets", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    HDC deviceContext = window ? GetDC(window) : nullptr;
    if (!deviceContext)
        return false;
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(format);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    int chosen = ChoosePixelFormat(deviceContext, &format);
    if (!chosen || !SetPixelFormat(deviceContext, chosen, &format))
        return false;
    HGLRC context = wglCreateContext(deviceContext);
    return context && wglMakeCurrent(deviceContext, context);
}

} // namespace

TEST(AssetsOnWindows, ReadsThePackInBinaryAndUploadsBothTargets)
{
    // Bytes a text-mode read would change: CR LF pairs and the end-of-file mark.
    const Bytes binary = {'\r', '\n', 0x1A, '\r', 0, '\n', '\n', 0x1A};
    std::string path = packPath();
    Bytes pack = packOf({{"binary.bin", binary}, {"picture.tga", tga24(300, 200)}, {"line.tga", tga24(64, 1)}});
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(pack.data(), 1, pack.size(), file), pack.size());
    std::fclose(file);

    ASSERT_TRUE(createContext());
    PackFile* archive = new PackFile(path.c_str());
    PackStream* stream = packOpen("data\\BINARY.bin", "rb");
    ASSERT_NE(stream, nullptr);
    Bytes got(binary.size(), 0);
    EXPECT_EQ(packRead(got.data(), 1, int32_t(got.size()), stream), int(binary.size()));
    EXPECT_EQ(got, binary);
    packClose(stream);

    Texture picture;
    Texture line;
    ASSERT_TRUE(picture.load("data/picture.tga"));
    ASSERT_TRUE(line.load("data/line.tga"));
    delete archive;
    EXPECT_FALSE(packArchiveOpen());

    ASSERT_EQ(picture.upload(0, 1, GL_CLAMP, float(GL_MODULATE)), 0u);
    EXPECT_EQ(picture.target, unsigned(GL_TEXTURE_2D));
    std::vector<unsigned char> back(size_t(512) * 256 * 4, 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(std::memcmp(back.data(), picture.pixels, back.size()), 0);

    ASSERT_EQ(line.upload(0, 1, GL_CLAMP, float(GL_MODULATE)), 0u);
    EXPECT_EQ(line.target, unsigned(GL_TEXTURE_1D));
    back.assign(64 * 4, 0xEE);
    glGetTexImage(GL_TEXTURE_1D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(std::memcmp(back.data(), line.pixels, back.size()), 0);
    EXPECT_EQ(line.upload(0, 1, 0x1234, float(GL_MODULATE)), unsigned(GL_INVALID_ENUM));
    std::remove(path.c_str());
}
