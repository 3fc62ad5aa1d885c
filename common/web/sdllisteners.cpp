#include "sdllisteners.h"

#include <emscripten.h>

// The window's and the document's own addEventListener stands in front of the
// one they share (EventTarget's) while SDL sets up, and notes what SDL adds.
EM_JS(void, jsNoteListeners, (), {
    const noted = Module.sdlListeners || (Module.sdlListeners = []);
    for (const target of [window, document]) {
        target.addEventListener = (type, listener, options) => {
            noted.push({target: target, type: type, listener: listener, options: options});
            EventTarget.prototype.addEventListener.call(target, type, listener, options);
        };
    }
});

EM_JS(void, jsStopNotingListeners, (), {
    delete window.addEventListener;
    delete document.addEventListener;
});

EM_JS(void, jsRemoveNotedListeners, (), {
    for (const noted of Module.sdlListeners || [])
        noted.target.removeEventListener(noted.type, noted.listener, noted.options);
    Module.sdlListeners = [];
});

void noteSdlListeners()
{
    jsNoteListeners();
}

void stopNotingSdlListeners()
{
    jsStopNotingListeners();
}

void removeSdlListeners()
{
    jsRemoveNotedListeners();
}
