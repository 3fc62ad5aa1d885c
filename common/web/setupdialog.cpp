// The Setup form of the page: the 4:3 sizes the screen can show, full screen
// or in the page, and the loading bar that serves as the loading screen after
// OK. After OK the form also waits for the page's download of the data file,
// with its progress on the same bar, so that loading finds it in place.
#include "glwindow.h"

#include "pagecalls.h"
#include "reporterror.h"
#include "screensizes.h"

#include <emscripten.h>

#include <string>

namespace {

// The screen's size in its own pixels, so that a mode shown in the page is
// drawn one pixel to a pixel, sharp on high-density screens too.
EM_JS(int, screenPixelWidth, (), {
    return Math.round(screen.width * (window.devicePixelRatio || 1));
});
EM_JS(int, screenPixelHeight, (), {
    return Math.round(screen.height * (window.devicePixelRatio || 1));
});

const char* const packName = "snowgig.dat";

}  // namespace

int GLWindow::findMode(uint32_t modeWidth, uint32_t modeHeight, uint32_t modeBitsPerPixel) const
{
    return findModeIndex(modes, modeWidth, modeHeight, modeBitsPerPixel);
}

bool GLWindow::showSelectDialog()
{
    const std::vector<ModeFields> offered = fourByThreeModesWithin(
        static_cast<uint32_t>(screenPixelWidth()), static_cast<uint32_t>(screenPixelHeight()));
    for (const ModeFields& mode : offered) {
        if (modeBelongsInList(modes, mode))
            modes.push_back(new DisplayMode(mode));
    }
    if (modes.empty()) {
        reportError(false, "Couldn't find any display modes!");
        return false;
    }

    std::string entries;
    for (const DisplayMode* mode : modes) {
        char text[32];
        formatModeEntry(text, sizeof text, *mode);
        if (!entries.empty())
            entries += '\n';
        entries += text;
    }
    dialog = 1;
    pageShowSetup(entries.c_str(), findMode(width, height, bitsPerPixel), fullScreen);

    while (!dialogAccepted && !dialogCancelled) {
        int selected = pageSetupChoice();
        if (selected == pageSetupCancelled) {
            dialogCancelled = 1;
        } else if (selected < 0 || static_cast<size_t>(selected) >= modes.size()) {
            reportError(false, "Please select a resolution!");
        } else {
            DisplayMode* mode = modes[static_cast<size_t>(selected)];
            width = mode->width;
            height = mode->height;
            bitsPerPixel = mode->bitsPerPixel;
            chosenMode = mode;
            fullScreen = pageSetupFullScreen();
            dialogAccepted = 1;
            pageLockSetup();
        }
    }
    if (!dialogAccepted) {
        closeDialog();
        return false;
    }
    // A failed download leaves no file behind; loading then reports it as a
    // missing data file.
    pageFetchPack(packName);
    return true;
}

void GLWindow::setProgressRange(int steps)
{
    progressSteps = static_cast<uint16_t>(steps);
    setProgress(0);
}

void GLWindow::setProgress(int position)
{
    progressPosition = position;
    if (!dialog)
        return;
    double fraction = progressSteps > 0 ? static_cast<double>(position) / progressSteps : 0.0;
    if (fraction < 0.0)
        fraction = 0.0;
    if (fraction > 1.0)
        fraction = 1.0;
    pageSetProgress(fraction);
}

void GLWindow::stepProgress()
{
    setProgress(progressPosition + 1);
}

void GLWindow::closeDialog()
{
    if (!dialog)
        return;
    pageCloseSetup();
    dialog = 0;
}
