// The page's side of these calls is the object `snowgigPage` of web/page.js.
#include "pagecalls.h"

#include <emscripten.h>

// The JavaScript of each call; the program calls the plain functions below.

EM_JS(void, jsShowSetup, (const char* entries, int selected, int fullScreen), {
    snowgigPage.showSetup(UTF8ToString(entries).split("\n"), selected, fullScreen != 0);
});

EM_ASYNC_JS(int, jsSetupChoice, (), {
    return await snowgigPage.setupChoice();
});

EM_JS(int, jsSetupFullScreen, (), {
    return snowgigPage.setupFullScreen() ? 1 : 0;
});

EM_JS(void, jsLockSetup, (), {
    snowgigPage.lockSetup();
});

EM_JS(void, jsCloseSetup, (), {
    snowgigPage.closeSetup();
});

EM_ASYNC_JS(void, jsSetProgress, (double fraction), {
    await snowgigPage.setProgress(fraction);
});

EM_ASYNC_JS(int, jsFetchPack, (const char* name), {
    const bytes = await snowgigPage.pack();
    if (!bytes)
        return 0;
    FS.writeFile(UTF8ToString(name), bytes);
    return 1;
});

EM_ASYNC_JS(void, jsShowMessage, (const char* caption, const char* text), {
    await snowgigPage.showMessage(UTF8ToString(caption), UTF8ToString(text));
});

EM_JS(int, jsIsFullScreen, (), {
    return snowgigPage.isFullScreen() ? 1 : 0;
});

EM_JS(void, jsShowCanvas, (int width, int height, int fullScreen), {
    snowgigPage.showCanvas(width, height, fullScreen != 0);
});

EM_JS(void, jsHideCanvas, (), {
    snowgigPage.hideCanvas();
});

EM_ASYNC_JS(int, jsWaitForFrame, (), {
    await new Promise(requestAnimationFrame);
    return snowgigPage.frameShown() ? 1 : 0;
});

void pageShowSetup(const char* entries, int selected, int fullScreen)
{
    jsShowSetup(entries, selected, fullScreen);
}

int pageSetupChoice()
{
    return jsSetupChoice();
}

int pageSetupFullScreen()
{
    return jsSetupFullScreen();
}

void pageLockSetup()
{
    jsLockSetup();
}

void pageCloseSetup()
{
    jsCloseSetup();
}

void pageSetProgress(double fraction)
{
    jsSetProgress(fraction);
}

int pageFetchPack(const char* name)
{
    return jsFetchPack(name);
}

void pageShowMessage(const char* caption, const char* text)
{
    jsShowMessage(caption, text);
}

int pageIsFullScreen()
{
    return jsIsFullScreen();
}

void pageShowCanvas(int width, int height, int fullScreen)
{
    jsShowCanvas(width, height, fullScreen);
}

void pageHideCanvas()
{
    jsHideCanvas();
}

int pageWaitForFrame()
{
    return jsWaitForFrame();
}
