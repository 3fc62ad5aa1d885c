// The Setup form of the page: the 4:3 sizes the screen can show, full screen
// or in the page, and the loading bar that serves as the loading screen after
// OK. After OK the form also waits for the page's download of the data file,
// with its progress on the same bar, so that loading finds it in place.
#include "glwindow.h"

#include "pagecalls.h"
#include "reporterror.h"
#include "screensizes.h"
#include "windowsystem.h"

#include <emscripten.h>

#include <new>
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

bool prepareSetupDialog(GLWindow*)
{
    return true;
}

DisplayMode* readDisplayMode(int number)
{
    const std::vector<ModeFields> offered = fourByThreeModesWithin(
        static_cast<uint32_t>(screenPixelWidth()), static_cast<uint32_t>(screenPixelHeight()));
    if (number < 0 || static_cast<size_t>(number) >= offered.size())
        return nullptr;
    return new (std::nothrow) DisplayMode(offered[static_cast<size_t>(number)]);
}

void freeDisplayMode(DisplayMode* mode)
{
    delete mode;
}

bool openSetupDialog(GLWindow* owner)
{
    std::string entries;
    for (const DisplayMode* mode : owner->modes) {
        char text[32];
        setupEntryText(*mode, text, sizeof text);
        if (!entries.empty())
            entries += '\n';
        entries += text;
    }
    owner->dialog = 1;
    pageShowSetup(entries.c_str(), owner->findMode(owner->width, owner->height, owner->bitsPerPixel),
                  owner->fullScreen);
    return true;
}

bool waitForSetupChoice(GLWindow* owner)
{
    while (!owner->dialogAccepted && !owner->dialogCancelled) {
        const int selected = pageSetupChoice();
        if (selected == pageSetupCancelled)
            cancelSetupChoice(owner);
        else
            acceptSetupChoice(owner, selected, pageSetupFullScreen() != 0);
    }
    // A failed download leaves no file behind; loading then reports it as a
    // missing data file.
    if (owner->dialogAccepted)
        pageFetchPack(packName);
    return true;
}

void lockSetupDialog(GLWindow*)
{
    pageLockSetup();
}

void showProgress(GLWindow* owner)
{
    pageSetProgress(progressFraction(owner));
}

void GLWindow::closeDialog()
{
    if (!dialog)
        return;
    pageCloseSetup();
    dialog = 0;
}
