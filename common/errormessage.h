// Builds the text of an error message box: a printf-style message, optionally
// followed by the system's description of an error code.
#ifndef SNOWGIG_ERRORMESSAGE_H
#define SNOWGIG_ERRORMESSAGE_H

#include <cstdarg>
#include <cstddef>

// The formatted message followed directly by appendedText (if not null), in a
// buffer from malloc sized to fit, so a message of any length is kept whole.
// Null when the format cannot be rendered or memory runs out. The caller frees it.
char* formatErrorMessage(const char* appendedText, const char* format, va_list args);

// Stands in for the system's description of an error code the system has no
// text for: "Unknown error 1234 (0x000004D2).\r\n", cut to fit `size`.
void describeUnknownError(char* text, size_t size, unsigned long code);

// A copy of `text` with `ending` behind it, in a buffer from malloc that the
// caller frees; null when memory runs out.
char* joinErrorText(const char* text, const char* ending);

#endif
