#include "server/Utf16LineReader.h"

bool Utf16LineReader::feed(QByteArrayView bytes, QStringList* lines)
{
    m_buffer.append(bytes.data(), bytes.size());
    qsizetype start = 0;
    qsizetype i = m_scanned;
    for (; i + 1 < m_buffer.size(); i += 2) {
        if (m_buffer[i] == 0 && m_buffer[i + 1] == 0) {
            lines->append(QString::fromUtf16(reinterpret_cast<const char16_t*>(m_buffer.constData() + start),
                                             (i - start) / 2));
            start = i + 2;
        }
    }
    m_buffer.remove(0, start);
    m_scanned = i - start;
    if (m_buffer.size() > m_max) {
        m_buffer.clear();
        m_scanned = 0;
        return false;
    }
    return true;
}
