// Draws the frame from the scene state: the logo frame or the scene frame.
#ifndef SNOWGIG_RENDER_H
#define SNOWGIG_RENDER_H

void resize(int width, int height);
void draw();

#endif
