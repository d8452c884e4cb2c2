#include "platform/CupsLibrary.h"

#include <QLibrary>

#include <type_traits>

namespace platform {

const CupsLibrary &CupsLibrary::instance()
{
    static const CupsLibrary cups = [] {
        CupsLibrary c;
        QLibrary library(QStringLiteral("cups"), 2);
        c.loaded = library.load();
        const auto resolve = [&c, &library](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
            c.loaded = c.loaded && function;
        };
        resolve(c.connect, "httpConnect2"), resolve(c.close, "httpClose");
        resolve(c.setTimeout, "httpSetTimeout"), resolve(c.getFd, "httpGetFd"), resolve(c.server, "cupsServer");
        resolve(c.port, "ippPort"), resolve(c.encryption, "cupsEncryption"), resolve(c.user, "cupsUser");
        resolve(c.setPasswordCB, "cupsSetPasswordCB2"), resolve(c.doRequest, "cupsDoRequest");
        resolve(c.doIORequest, "cupsDoIORequest"), resolve(c.getNamedDest, "cupsGetNamedDest");
        resolve(c.freeDests, "cupsFreeDests"), resolve(c.lastError, "cupsLastError");
        resolve(c.lastErrorString, "cupsLastErrorString"), resolve(c.errorString, "ippErrorString");
        resolve(c.newRequest, "ippNewRequest"), resolve(c.addString, "ippAddString");
        resolve(c.addStrings, "ippAddStrings"), resolve(c.addInteger, "ippAddInteger");
        resolve(c.findAttribute, "ippFindAttribute"), resolve(c.findNextAttribute, "ippFindNextAttribute");
        resolve(c.getCount, "ippGetCount"), resolve(c.getInteger, "ippGetInteger");
        resolve(c.getString, "ippGetString"), resolve(c.getBoolean, "ippGetBoolean");
        resolve(c.getValueTag, "ippGetValueTag"), resolve(c.deleteIpp, "ippDelete");
        resolve(c.getStatusCode, "ippGetStatusCode"), resolve(c.firstAttribute, "ippFirstAttribute");
        resolve(c.nextAttribute, "ippNextAttribute"), resolve(c.getName, "ippGetName");
        resolve(c.getGroupTag, "ippGetGroupTag");
        return c;
    }();
    return cups;
}

} // namespace platform
