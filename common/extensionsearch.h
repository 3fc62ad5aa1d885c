// Whole-word search in a space-separated extension string.
#ifndef SNOWGIG_EXTENSIONSEARCH_H
#define SNOWGIG_EXTENSIONSEARCH_H

// True when name stands in extensions as a word of its own: at the start of the
// string or after a space, and followed by a space or the end. An empty name, a
// name with a space in it and a null string are never found.
bool containsExtension(const char* extensions, const char* name);

#endif
