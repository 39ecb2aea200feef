#include "i18n/TextFormat.h"

QString formatText(const QString& format, const QStringList& args)
{
    QString result;
    result.reserve(format.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%' || i + 1 >= format.size()) {
            result += c;
            continue;
        }
        const QChar kind = format.at(i + 1);
        if (kind == u's' || kind == u'd') {
            result += next < args.size() ? args.at(next) : QString();
            ++next;
            ++i;
        } else if (kind == u'%') {
            result += u'%';
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}
