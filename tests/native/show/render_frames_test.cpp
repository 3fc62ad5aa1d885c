// Whole frames drawn on the headless platform from the real pack, compared with the
// reference pictures kept in the repository.
#include "framecheck.h"
#include "framescenes.h"
#include "offscreenframes.h"
#include "media.h"
#include "scene.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

void PrintTo(const FrameScene& scene, std::ostream* out)
{
    *out << scene.name;
}

namespace {

class OffscreenEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ready = startFrames(SHOW_PACK_PATH); }
    void TearDown() override { endFrames(); }
    static bool ready;
};
bool OffscreenEnvironment::ready = false;

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new OffscreenEnvironment);

Picture renderScene(const char* name)
{
    const FrameScene* scene = findFrameScene(name);
    if (!scene)
        return Picture();
    prepareFrame(scene->width, scene->height);
    scene->pose();
    return renderFrame();
}

class ReferenceFrame : public ::testing::TestWithParam<FrameScene> {};

TEST_P(ReferenceFrame, MatchesTheKeptPictureWithinTolerance)
{
    ASSERT_TRUE(OffscreenEnvironment::ready) << "the pack could not be loaded";
    const FrameScene& scene = GetParam();
    const FrameCheck check =
        checkReferenceFrame(SHOW_REFERENCE_DIR, scene.name, renderScene(scene.name), "show");
    EXPECT_TRUE(check.failure.empty()) << check.failure;
}

INSTANTIATE_TEST_SUITE_P(Show, ReferenceFrame,
                         ::testing::ValuesIn(frameScenes, frameScenes + frameSceneCount),
                         [](const ::testing::TestParamInfo<FrameScene>& sceneInfo) {
                             std::string name = sceneInfo.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(Frames, LogoAtAlphaZeroShowsOnlyTheSky)
{
    ASSERT_TRUE(OffscreenEnvironment::ready);
    const Picture frame = renderScene("logo-alpha0-640x480");
    size_t notSky = 0;
    for (size_t p = 0; p < frame.rgba.size(); p += 4) {
        notSky += !(frame.rgba[p] == 43 && frame.rgba[p + 1] == 181 && frame.rgba[p + 2] == 255);
    }
    EXPECT_EQ(notSky, 0u);

    const Picture opaque = renderScene("logo-opaque-640x480");
    size_t logo = 0;
    for (size_t p = 0; p < opaque.rgba.size(); p += 4)
        logo += !(opaque.rgba[p] == 43 && opaque.rgba[p + 1] == 181 && opaque.rgba[p + 2] == 255);
    EXPECT_GT(logo, 1000u) << "the opaque logo covers part of the sky";
}

TEST(Frames, StageFourAddsOnlyDarkTextInsideTheBigBubble)
{
    ASSERT_TRUE(OffscreenEnvironment::ready);
    const Picture withoutText = renderScene("bubble-stage3-640x480");
    const Picture withText = renderScene("bubble-stage4-640x480");
    ASSERT_EQ(withoutText.rgba.size(), withText.rgba.size());
    const float left = santa.x + (float(texSanta->width) + 85) * scaleX;
    const float top = santa.y + santa.bob - 162 * scaleY;
    const float right = left + 201 * scaleX;
    const float bottom = top + 137 * scaleY;
    size_t textPixels = 0;
    size_t outside = 0;
    size_t lighter = 0;
    for (uint32_t y = 0; y < withText.height; ++y) {
        for (uint32_t x = 0; x < withText.width; ++x) {
            const size_t p = (size_t(y) * withText.width + x) * 4;
            int before = 0;
            int after = 0;
            for (int c = 0; c < 3; ++c) {
                before += withoutText.rgba[p + c];
                after += withText.rgba[p + c];
            }
            if (before == after)
                continue;
            ++textPixels;
            outside += x < left || x >= right || y < top || y >= bottom;
            lighter += after > before;
        }
    }
    EXPECT_GT(textPixels, 200u) << "the quote is drawn";
    EXPECT_EQ(outside, 0u);
    EXPECT_EQ(lighter, 0u) << "the quote is black";
}

}  // namespace
