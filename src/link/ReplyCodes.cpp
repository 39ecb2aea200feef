#include "ReplyCodes.h"

#include <array>

namespace {

// Indexed by code; entry 0 stands for RC_None.
constexpr std::array<const char*, 34> kKeywords = {
    "",
    "clcount",
    "cladd",
    "cldel",
    "block",
    "getfile",
    "getfilemode",
    "getdostats",
    "setfile",
    "getport",
    "getudpport",
    "getfilestats",
    "getlogsize",
    "getdobackup",
    "getbackupcount",
    "getdefwrite",
    "getdefconfig",
    "start",
    "stop",
    "getfileupdate",
    "getdolog",
    "getver",
    "gettcpok",
    "compatible",
    "notcompatible",
    "ncclient",
    "stats",
    "getpass",
    "getpassmode",
    "getip",
    "addlog",
    "getlogpath",
    "getconfigpath",
    "configerr",
};

bool equalsAsciiNoCase(QStringView text, const char* keyword)
{
    qsizetype i = 0;
    for (; keyword[i] != '\0'; ++i) {
        if (i >= text.size())
            return false;
        char16_t c = text[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c != char16_t(keyword[i]))
            return false;
    }
    return i == text.size();
}

} // namespace

ReplyCode replyCodeOf(QStringView keyword)
{
    if (keyword.isEmpty())
        return RC_None;
    for (int code = 1; code < int(kKeywords.size()); ++code) {
        if (equalsAsciiNoCase(keyword, kKeywords[code]))
            return static_cast<ReplyCode>(code);
    }
    return RC_None;
}

const char* replyKeyword(ReplyCode code)
{
    const int i = int(code);
    return i > 0 && i < int(kKeywords.size()) ? kKeywords[i] : "";
}
