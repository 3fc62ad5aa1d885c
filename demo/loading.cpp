#include "loading.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "glwindow.h"
#include "../common/reporterror.h"
#include "images.h"
#include "media.h"
#include "music.h"
#include "pack.h"
#include "packsearch.h"
#include "programfolder.h"
#include "scene.h"
#include "systemerror.h"
#include "texture.h"

namespace {

// Leaves the last-error code at the reason an image could not be loaded: not
// in the pack at all, or there but not a picture the loader takes.
void noteImageFailure(const char* path)
{
    PackStream* stream = packOpen(path, "rb");
    if (stream) {
        packClose(stream);
        setLastErrorInvalidData();
    } else {
        setLastErrorFileNotFound();
    }
}

// Loads one image, or a numbered series of frames as one step.
bool loadSeries(const ImageSeries& series)
{
    for (int i = 0; i < series.count; i++) {
        const ImageFile& file = imageFiles[series.firstFile + i];
        Texture* texture = new Texture();
        *file.texture = texture;
        if (!texture->load(file.path)) {
            noteImageFailure(file.path);
            reportError(true, "Error reading %s.\n", file.path);
            return false;
        }
        if (series.count == 1)
            glWindow->stepProgress();
    }
    if (series.count > 1)
        glWindow->stepProgress();
    return true;
}

bool uploadSeries(const ImageSeries& series)
{
    for (int i = 0; i < series.count; i++) {
        const ImageFile& file = imageFiles[series.firstFile + i];
        unsigned int code = (*file.texture)->upload(0, 1, file.wrap, 8448.0f);
        if (code != 0) {
            const char* text = reinterpret_cast<const char*>(gluErrorString(code));
            if (!text)
                text = "unknown GL error";
            if (series.count == 1)
                reportError(false, "%s: %s", series.label, text);
            else
                reportError(false, "%s[%i]: %s", series.label, i, text);
            return false;
        }
    }
    glWindow->stepProgress();
    return true;
}

}  // namespace

bool loadData()
{
    pack = new PackFile(findPack("snowgig.dat", programFolder().c_str(),
                                 installedDataFolder()).c_str());
    if (!packArchiveOpen()) {
        reportError(false, "Couldn't read snowgig.dat: the file is missing or damaged.\n"
                           "It belongs in the folder the demo is started from.");
        return false;
    }
    if (!startMusic())
        return false;

    setScaleFor(glWindow->getWidth(), glWindow->getHeight());
    glWindow->stepProgress();

    for (const ImageSeries& series : images) {
        if (!loadSeries(series))
            return false;
    }

    createScene();
    glWindow->stepProgress();
    return true;
}

bool uploadTextures()
{
    for (int index : uploadOrder) {
        if (!uploadSeries(images[index]))
            return false;
    }
    return true;
}
