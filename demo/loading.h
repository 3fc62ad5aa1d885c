// Start-up steps between the Setup dialog and the main loop.
#ifndef SNOWGIG_LOADING_H
#define SNOWGIG_LOADING_H

// Progress steps on the loading screen: 14 while loading, 1 for the GL state,
// 12 while uploading.
const int loadingSteps = 27;

// Opens the pack, starts the music paused, fixes the scale, loads every image
// and creates the scene. Reports its own failure.
bool loadData();
// Turns every image into a GL texture. Reports its own failure.
bool uploadTextures();

#endif
