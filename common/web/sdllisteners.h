// The listeners Emscripten's SDL puts on the page's window and document and on
// the canvas while it starts and makes the canvas's context. It never takes
// them off, and each holds the whole program instance (its WebAssembly memory,
// its WebGL context, its canvas): every run the page starts would keep every
// earlier one, and whatever still holds a finished run's canvas keeps its run.
#ifndef SNOWGIG_SDLLISTENERS_H
#define SNOWGIG_SDLLISTENERS_H

// From here to stopNotingSdlListeners, listeners added to the window, the
// document or the canvas are noted.
void noteSdlListeners();
void stopNotingSdlListeners();
// Takes the noted listeners off again.
void removeSdlListeners();

#endif
