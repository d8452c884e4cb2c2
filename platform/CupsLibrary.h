#pragma once
// libcups, loaded when first needed, as Qt's own print support loads it:
// linked in, it and its libraries would cost every run memory at start.
// Only the threads that talk to the print server call into it.
#include <cups/cups.h>

namespace platform {

struct CupsLibrary {
    decltype(&::httpConnect2) connect = nullptr;
    decltype(&::httpClose) close = nullptr;
    decltype(&::httpSetTimeout) setTimeout = nullptr;
    decltype(&::httpGetFd) getFd = nullptr;
    decltype(&::cupsServer) server = nullptr;
    decltype(&::ippPort) port = nullptr;
    decltype(&::cupsEncryption) encryption = nullptr;
    decltype(&::cupsUser) user = nullptr;
    decltype(&::cupsSetPasswordCB2) setPasswordCB = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::cupsDoIORequest) doIORequest = nullptr;
    decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::ippErrorString) errorString = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippAddString) addString = nullptr;
    decltype(&::ippAddStrings) addStrings = nullptr;
    decltype(&::ippAddInteger) addInteger = nullptr;
    decltype(&::ippFindAttribute) findAttribute = nullptr;
    decltype(&::ippFindNextAttribute) findNextAttribute = nullptr;
    decltype(&::ippGetCount) getCount = nullptr;
    decltype(&::ippGetInteger) getInteger = nullptr;
    decltype(&::ippGetBoolean) getBoolean = nullptr;
    decltype(&::ippGetValueTag) getValueTag = nullptr;
    decltype(&::ippGetString) getString = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
    decltype(&::ippGetStatusCode) getStatusCode = nullptr;
    decltype(&::ippFirstAttribute) firstAttribute = nullptr;
    decltype(&::ippNextAttribute) nextAttribute = nullptr;
    decltype(&::ippGetName) getName = nullptr;
    decltype(&::ippGetGroupTag) getGroupTag = nullptr;
    // Whether the library and every function above were found.
    bool loaded = false;

    static const CupsLibrary &instance();
};

} // namespace platform
