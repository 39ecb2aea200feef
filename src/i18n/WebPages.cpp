#include "i18n/WebPages.h"

namespace {

QString site()
{
    QString s = QStringLiteral(SCRIBOLT_WEB_SITE);
    while (s.endsWith(u'/')) {
        s.chop(1);
    }
    return s;
}

} // namespace

QString downloadPageUrl(int langId)
{
    return site() + (langId == 7 ? QStringLiteral("/de/download.htm") : QStringLiteral("/download.htm"));
}

QString helpPageUrl(const QString& langIdStr, const QString& keyword, bool byKeyword)
{
    QString url = site() + QStringLiteral("/docsnet8/") + langIdStr + QStringLiteral("/netman.htm");
    if (byKeyword) {
        url += u'#' + keyword;
    }
    url.replace(u'\\', u'/');
    return url;
}
