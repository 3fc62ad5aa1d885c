// Loading, upload and shutdown on every way out: the messages of a failed
// upload, where the progress bar stands, and that cleanup releases each
// resource once and leaves nothing behind, so that a second call does nothing.
#include "glwindow.h"
#include "loading.h"
#include "media.h"
#include "music.h"
#include "pack.h"
#include "reporterror.h"
#include "scene.h"
#include "systemerror.h"
#include "texture.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

// Stand-ins. Textures only count themselves; a load or an upload fails for
// the one file the case names.
namespace {
int liveTextures = 0;
bool musicStarts = true;
std::string failingLoad;
std::string failingUpload;
unsigned int failingCode = 0;
struct Report {
    bool systemText;
    std::string text;
};
std::vector<Report> reports;
}  // namespace

Texture::Texture()
    : name(nullptr), texWidth(0), texHeight(0), width(0), height(0), pixels(nullptr),
      format(0), glName(0), target(0)
{
    ++liveTextures;
}

Texture::~Texture()
{
    --liveTextures;
    std::free(name);
}

bool Texture::load(const char* path)
{
    name = strdup(path);
    width = height = texWidth = texHeight = 64;
    return failingLoad != path;
}

unsigned int Texture::upload(int, int, int, float)
{
    return failingUpload == name ? failingCode : 0;
}

void reportError(bool appendSystemText, const char* format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    reports.push_back({appendSystemText, text});
}

// Mesa's and Windows' GLU know these two; for any other code there is no text.
extern "C" const GLubyte* gluErrorString(GLenum code)
{
    const char* text = code == GL_INVALID_ENUM ? "invalid enumerant"
                       : code == GL_OUT_OF_MEMORY ? "out of memory"
                                                  : nullptr;
    return reinterpret_cast<const GLubyte*>(text);
}

int musicChannel = 0;
bool startMusic() { return musicStarts; }
void stopMusic() {}
extern "C" signed char FSOUND_SetPaused(int, signed char) { return 1; }
void setLastErrorFileNotFound() {}
void setLastErrorInvalidData() {}
// The window as loading sees it: its size and the loading bar's position.
GLWindow::GLWindow(ModuleInstance, const char*, uint32_t requestedWidth, uint32_t requestedHeight,
                   uint32_t, bool)
    : progressPosition(0), width(requestedWidth), height(requestedHeight)
{
}
GLWindow::~GLWindow() {}
void GLWindow::stepProgress() { ++progressPosition; }

namespace {

// Every pointer cleanup owns, so that each can be checked for null.
std::vector<void**> ownedPointers()
{
    std::vector<void**> pointers = {
        reinterpret_cast<void**>(&glWindow), reinterpret_cast<void**>(&pack)};
    Texture** singles[] = {&texTandrix, &texBalloons, &texFont, &texSanta, &texSantaHead,
                           &texHand, &texLeg, &texCar, &texSun, &texSunray};
    for (Texture** texture : singles)
        pointers.push_back(reinterpret_cast<void**>(texture));
    for (Texture*& texture : texTyres)
        pointers.push_back(reinterpret_cast<void**>(&texture));
    for (Texture*& texture : texCityblocks)
        pointers.push_back(reinterpret_cast<void**>(&texture));
    for (Sprite*& sprite : sunRays)
        pointers.push_back(reinterpret_cast<void**>(&sprite));
    for (int i = 0; i < 2; ++i) {
        pointers.push_back(reinterpret_cast<void**>(&cars[i]));
        pointers.push_back(reinterpret_cast<void**>(&carHeads[i]));
    }
    return pointers;
}

class Loading : public ::testing::Test {
protected:
    // An empty but sound pack in a folder of its own, as the working directory.
    void SetUp() override
    {
        char folderTemplate[] = "/tmp/snowgig-loading-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        folder = folderTemplate;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        FILE* file = std::fopen("snowgig.dat", "wb");
        ASSERT_NE(file, nullptr);
        const unsigned char noEntries[4] = {0, 0, 0, 0};
        std::fwrite(noEntries, 1, 4, file);
        std::fclose(file);
    }
    void TearDown() override
    {
        std::remove("snowgig.dat");
        EXPECT_EQ(chdir(previous), 0);
        rmdir(folder.c_str());
    }
    std::string folder;
    char previous[4096];
};

TEST_F(Loading, EveryWayOutReportsOnceAndCleanupLeavesNothingBehind)
{
    const unsigned int noText = 0x9999;
    const struct {
        const char* way;
        bool music;
        const char* load;    // the file whose load fails
        const char* upload;  // the file whose upload fails
        unsigned int code;
        bool loaded;
        bool uploaded;
        int progress;
        const char* message;  // "" for none
        bool systemText;
    } ways[] = {
        {"music fails", false, "", "", 0, false, false, 0, "", false},
        {"third tyre frame missing", true, "data/tyre2.tga", "", 0, false, false, 9,
         "Error reading data/tyre2.tga.\n", true},
        {"font upload fails", true, "", "data/font.tga", GL_OUT_OF_MEMORY, true, false, 15,
         "texFont: out of memory", false},
        {"fourth city block upload fails", true, "", "data/city3.tga", GL_INVALID_ENUM, true, false,
         25, "texCityblocks[3]: invalid enumerant", false},
        {"second tyre frame, code without text", true, "", "data/tyre1.tga", noText, true, false,
         22, "texTyres[1]: unknown GL error", false},
        {"sun ray, code without text", true, "", "data/sunray.tga", noText, true, false, 24,
         "texSunray: unknown GL error", false},
        {"everything loads", true, "", "", 0, true, true, 26, "", false},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        musicStarts = way.music;
        failingLoad = way.load;
        failingUpload = way.upload;
        failingCode = way.code;
        reports.clear();
        glWindow = new GLWindow(nullptr, "snowgig", 800, 600, 32, true);

        const bool loaded = loadData();
        EXPECT_EQ(loaded, way.loaded);
        EXPECT_EQ(loaded && uploadTextures(), way.uploaded);
        EXPECT_EQ(glWindow->progressPosition, way.progress);
        ASSERT_EQ(reports.size(), *way.message ? 1u : 0u);
        if (*way.message) {
            EXPECT_EQ(reports[0].text, way.message);
            EXPECT_EQ(reports[0].systemText, way.systemText);
        }

        cleanup();
        EXPECT_EQ(liveTextures, 0);
        EXPECT_FALSE(packArchiveOpen());
        const std::vector<void**> owned = ownedPointers();
        for (size_t k = 0; k < owned.size(); ++k)
            EXPECT_EQ(*owned[k], nullptr) << "owned pointer " << k;
        cleanup();  // finds nothing left
        EXPECT_EQ(liveTextures, 0);
    }
}

}  // namespace
