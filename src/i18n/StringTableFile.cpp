#include "i18n/StringTableFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Room for an id, "=", MaxLength characters of up to four UTF-8 bytes each and the line end.
constexpr qint64 MaxLineBytes = 32 + 4 * StringTableFile::MaxLength + 2;

void skipRestOfLine(QFile& file)
{
    while (!file.atEnd()) {
        const QByteArray chunk = file.readLine(64 * 1024);
        if (chunk.isEmpty() || chunk.endsWith('\n')) {
            return;
        }
    }
}

} // namespace

bool StringTableFile::parseLine(const QString& line, int& id, QString& text)
{
    if (line.isEmpty() || line.startsWith(u'#')) {
        return false;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0) {
        return false;
    }
    bool ok = false;
    const int value = line.left(eq).trimmed().toInt(&ok);
    if (!ok || value < 0) {
        return false;
    }
    id = value;
    text = line.mid(eq + 1).left(MaxLength);
    return true;
}

StringTableFile::Status StringTableFile::read(const QString& path, QHash<int, QString>& strings)
{
    strings.clear();
    const QFileInfo info(path);
    if (!info.isFile()) {
        return NotFound;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return NotFound;
    }
    bool first = true;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine(MaxLineBytes + 1);
        if (bytes.isEmpty()) {
            break;
        }
        if (!bytes.endsWith('\n')) {
            skipRestOfLine(file);
        }
        if (first && bytes.startsWith("\xEF\xBB\xBF")) {
            bytes.remove(0, 3);
        }
        first = false;
        while (bytes.endsWith('\n') || bytes.endsWith('\r')) {
            bytes.chop(1);
        }
        int id = 0;
        QString text;
        if (parseLine(QString::fromUtf8(bytes), id, text)) {
            strings.insert(id, text);
        }
    }
    return Ok;
}
