#include "sdllisteners.h"

#include <emscripten.h>

// An addEventListener of their own stands in front of the one the window, the
// document and the canvas share (EventTarget's) while SDL sets up, and notes
// what SDL adds.
EM_JS(void, jsNoteListeners, (), {
    const noted = Module.sdlListeners || (Module.sdlListeners = []);
    for (const target of [window, document, Module["canvas"]].filter((target) => target)) {
        target.addEventListener = (type, listener, options) => {
            noted.push({target: target, type: type, listener: listener, options: options});
            EventTarget.prototype.addEventListener.call(target, type, listener, options);
        };
    }
});

EM_JS(void, jsStopNotingListeners, (), {
    for (const target of [window, document, Module["canvas"]].filter((target) => target))
        delete target.addEventListener;
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
