// What the emulation of the fixed-function pipeline leaves out of OpenGL 1.x
// and WebGL 1 answers plainly: reading the back buffer, the only buffer a
// WebGL canvas has, is glReadBuffer(GL_BACK); the emulation shades every
// primitive smoothly, which GL_FLAT shading matches wherever a primitive has
// one colour, as every primitive of the show has (it sets no colour between
// glBegin and glEnd, and no lighting).
mergeInto(LibraryManager.library, {
  glReadBuffer: function(mode) {
    if (mode != 0x0405 /* GL_BACK */)
      GL.recordError(0x0500 /* GL_INVALID_ENUM */);
  },
  glShadeModel: function(mode) {
    if (mode != 0x1D00 /* GL_FLAT */ && mode != 0x1D01 /* GL_SMOOTH */)
      GL.recordError(0x0500 /* GL_INVALID_ENUM */);
  },
});
