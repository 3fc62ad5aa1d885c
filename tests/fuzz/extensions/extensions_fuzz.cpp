// Runs the extension loader on a driver whose strings come from the input:
// version, GL extensions, WGL extensions and one more name to query, separated
// by NUL bytes. Besides memory errors it stops on a list entry that was not
// offered and on a flag other than 0 or 1.
#include "extensionplatform.h"
#include "extensionsearch.h"
#include "glextensions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

static std::string parts[4];

static void entryPoint() {}

static const char* version() { return parts[0].c_str(); }
static const char* extensions() { return parts[1].c_str(); }
static void* currentDC() { return nullptr; }

static const char* wglExtensions(void*) { return parts[2].c_str(); }

// Entry points whose name is in the input's last part are missing.
static GLProc lookup(const char* name)
{
    if (std::strcmp(name, "wglGetExtensionsStringARB") == 0)
        return reinterpret_cast<GLProc>(wglExtensions);
    if (containsExtension(parts[3].c_str(), name))
        return nullptr;
    return entryPoint;
}

static const char* callARB(GLProc entry, void* dc)
{
    return reinterpret_cast<const char* (*)(void*)>(entry)(dc);
}

static const char* callEXT(GLProc) { return nullptr; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    int part = 0;
    for (std::string& p : parts)
        p.clear();
    for (size_t i = 0; i < size; ++i) {
        if (text[i] == '\0' && part < 3)
            ++part;
        else
            parts[part] += text[i];
    }
    const int result = loadExtensions({version, extensions, lookup, currentDC, callARB, callEXT});
    if (result != 0 && result != 1)
        std::abort();
    queryExtension(parts[3].c_str());
    queryWglExtension(parts[3].c_str());

    const size_t length = strnlen(extensionList, sizeof(extensionList));
    if (length == sizeof(extensionList))
        std::abort();
    std::string list(extensionList, length);
    size_t start = 0;
    for (size_t space = list.find(' '); space != std::string::npos; space = list.find(' ', start)) {
        if (!containsExtension(parts[1].c_str(), list.substr(start, space - start).c_str()))
            std::abort();
        start = space + 1;
    }
    if (start != length)
        std::abort();
    int32_t flags[114];
    std::memcpy(flags, &extensionFlags, sizeof(flags));
    for (int32_t flag : flags) {
        if (flag != 0 && flag != 1)
            std::abort();
    }
    return 0;
}
