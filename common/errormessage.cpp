#include "errormessage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

char* formatErrorMessage(const char* appendedText, const char* format, va_list args)
{
    va_list measuring;
    va_copy(measuring, args);
    int length = vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length < 0)
        return nullptr;

    size_t messageLength = static_cast<size_t>(length);
    size_t appendedLength = appendedText ? strlen(appendedText) : 0;
    char* text = static_cast<char*>(malloc(messageLength + appendedLength + 1));
    if (!text)
        return nullptr;
    if (vsnprintf(text, messageLength + 1, format, args) != length) {
        free(text);
        return nullptr;
    }
    if (appendedText)
        memcpy(text + messageLength, appendedText, appendedLength + 1);
    return text;
}

void describeUnknownError(char* text, size_t size, unsigned long code)
{
    if (size == 0)
        return;
    snprintf(text, size, "Unknown error %lu (0x%08lX).\r\n", code, code);
}

char* joinErrorText(const char* text, const char* ending)
{
    const size_t textLength = strlen(text);
    const size_t endingLength = strlen(ending);
    char* joined = static_cast<char*>(malloc(textLength + endingLength + 1));
    if (!joined)
        return nullptr;
    memcpy(joined, text, textLength);
    memcpy(joined + textLength, ending, endingLength + 1);
    return joined;
}
