// What the emulation of the fixed-function pipeline leaves out of OpenGL 1.x
// and WebGL 1 answers plainly: reading the back buffer, the only buffer a
// WebGL canvas has, is glReadBuffer(GL_BACK).
mergeInto(LibraryManager.library, {
  glReadBuffer: function(mode) {
    if (mode != 0x0405 /* GL_BACK */)
      GL.recordError(0x0500 /* GL_INVALID_ENUM */);
  },
});
