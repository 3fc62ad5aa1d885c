// The part of the Setup dialog that is the same everywhere: the list of modes,
// the choice OK takes, and the loading bar's position.
#include "glwindow.h"

#include "modefilter.h"
#include "reporterror.h"
#include "windowsystem.h"

int GLWindow::findMode(uint32_t modeWidth, uint32_t modeHeight, uint32_t modeBitsPerPixel) const
{
    return findModeIndex(modes, modeWidth, modeHeight, modeBitsPerPixel);
}

// Every mode the system offers that belongs in the list, in the system's order.
static void listDisplayModes(GLWindow* window)
{
    for (int number = 0;; number++) {
        DisplayMode* mode = readDisplayMode(number);
        if (!mode)
            break;
        if (modeBelongsInList(window->modes, *mode))
            window->modes.push_back(mode);
        else
            freeDisplayMode(mode);
    }
}

bool GLWindow::showSelectDialog()
{
    if (!prepareSetupDialog(this))
        return false;
    listDisplayModes(this);
    if (modes.empty()) {
        reportError(false, "Couldn't find any display modes!");
        return false;
    }
    if (!openSetupDialog(this))
        return false;
    if (!waitForSetupChoice(this))
        return false;
    if (dialogAccepted)
        return true;
    closeDialog();
    return false;
}

bool acceptSetupChoice(GLWindow* window, int selected, bool fullScreen)
{
    if (selected < 0 || static_cast<size_t>(selected) >= window->modes.size()) {
        reportError(false, "Please select a resolution!");
        return false;
    }
    DisplayMode* mode = window->modes[static_cast<size_t>(selected)];
    const ModeFields fields = modeFieldsOf(*mode);
    window->width = fields.width;
    window->height = fields.height;
    window->bitsPerPixel = fields.bitsPerPixel;
    window->chosenMode = mode;
    window->fullScreen = fullScreen ? 1 : 0;
    window->dialogAccepted = 1;
    lockSetupDialog(window);
    return true;
}

void cancelSetupChoice(GLWindow* window)
{
    if (!window->dialogAccepted)
        window->dialogCancelled = 1;
}

void setupEntryText(const DisplayMode& mode, char* text, size_t size)
{
    formatModeEntry(text, size, modeFieldsOf(mode));
}

void GLWindow::setProgressRange(int steps)
{
    progressSteps = steps;
    setProgress(0);
}

void GLWindow::setProgress(int position)
{
    progressPosition = position;
    if (dialog)
        showProgress(this);
}

void GLWindow::stepProgress()
{
    setProgress(progressPosition + 1);
}

double progressFraction(const GLWindow* window)
{
    if (window->progressSteps <= 0)
        return 0.0;
    const double fraction =
        static_cast<double>(window->progressPosition) / window->progressSteps;
    return fraction < 0.0 ? 0.0 : fraction > 1.0 ? 1.0 : fraction;
}
