// What the show calls in the rest of the program, for the video renderer: the
// music channel and its pause switch, which tells the renderer from which frame
// the tune plays, and the shutdown routine (no key is ever pressed here).
#ifndef SNOWGIG_VIDEO_SHOWSTANDINS_H
#define SNOWGIG_VIDEO_SHOWSTANDINS_H

// True once the show has unpaused the music, as the sound library would play it.
extern bool tunePlaying;

#endif
