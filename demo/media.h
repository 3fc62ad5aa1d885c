// The demo's process-wide media: the window, the pack, the textures and the
// scale of the chosen display mode against the 640 x 480 the show is drawn for.
#ifndef SNOWGIG_MEDIA_H
#define SNOWGIG_MEDIA_H

class GLWindow;
class PackFile;
class Texture;

extern GLWindow* glWindow;
extern PackFile* pack;

extern float scaleX;
extern float scaleY;

// Sets scaleX and scaleY for a window of this size.
void setScaleFor(unsigned int width, unsigned int height);

extern Texture* texTandrix;
extern Texture* texBalloons;
extern Texture* texFont;
extern Texture* texSanta;
extern Texture* texSantaHead;
extern Texture* texHand;
extern Texture* texLeg;
extern Texture* texCar;
extern Texture* texTyres[4];
extern Texture* texSun;
extern Texture* texSunray;
extern Texture* texCityblocks[5];

// The shutdown routine: releases everything above at most once. Its result is
// never looked at; the type is that of the window's shutdown callback.
int cleanup();

#endif
