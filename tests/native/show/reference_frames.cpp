// Writes the reference pictures: one PNG per kept scene state, drawn from the
// given pack.  Usage: show_reference_frames PACK OUTPUT_DIRECTORY
#include "framecheck.h"
#include "framescenes.h"
#include "offscreenframes.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PACK OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    if (!startFrames(argv[1])) {
        endFrames();
        return 1;
    }
    int failures = 0;
    for (int k = 0; k < frameSceneCount; ++k) {
        const FrameScene& scene = frameScenes[k];
        prepareFrame(scene.width, scene.height);
        scene.pose();
        const std::string path = std::string(argv[2]) + "/" + scene.name + ".png";
        if (writePng(path.c_str(), renderFrame())) {
            std::printf("wrote %s\n", path.c_str());
        } else {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    const std::string fingerprintPath = std::string(argv[2]) + "/pictures.fingerprint";
    if (!writeFingerprint(fingerprintPath.c_str(), pictureFingerprint())) {
        std::fprintf(stderr, "cannot write %s\n", fingerprintPath.c_str());
        ++failures;
    }
    endFrames();
    return failures == 0 ? 0 : 1;
}
