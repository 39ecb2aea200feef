#include "i18n/FTLanguage.h"

#include "i18n/StringTableFile.h"
#include "i18n/WindowsLanguageId.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QObject>
#include <QVariant>
#include <limits>

namespace {

const QString HintMarker = QStringLiteral("{HINT}");
const QString AppNameMarker = QStringLiteral("%appname%");

// "#13" becomes a line break, "##13" the text "#13"; "%appname%" goes,
// since the console gives the component no application name.
QString expandMarkers(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (QStringView(text).mid(i, 3) == u"#13") {
            if (i > 0 && text.at(i - 1) == u'#') {
                out += QStringLiteral("13");
            } else {
                out += QChar(TFTLanguage::LineBreak);
            }
            i += 3;
        } else {
            out += text.at(i);
            ++i;
        }
    }
    out.remove(AppNameMarker);
    return out;
}

// The text from position from up to position to; empty when to does not lie
// after from (markers found in an unexpected order).
QString between(const QString& text, qsizetype from, qsizetype to)
{
    return to > from ? text.mid(from, to - from) : QString();
}

void showError(const QString& text)
{
    const QString caption =
        QCoreApplication::instance() ? QGuiApplication::applicationDisplayName() : QString();
    MessageBox::show(nullptr, MessageBox::Critical, caption, text, MessageBox::Ok);
}

} // namespace

TFTLanguage::TFTLanguage(const QString& fileName) : fSource(fileName)
{
    // The program's own module carries no strings: an empty source simply
    // starts with no languages and shows nothing (no window may exist yet).
    if (!fSource.isEmpty()) {
        load();
    }
}

TFTLanguage& TFTLanguage::instance()
{
    static TFTLanguage language;
    return language;
}

void TFTLanguage::setTag(QObject* object, int tag)
{
    if (object) {
        object->setProperty(TagProperty, tag);
    }
}

int TFTLanguage::tag(const QObject* object)
{
    return object ? object->property(TagProperty).toInt() : 0;
}

void TFTLanguage::setSource(const QString& path)
{
    fSource = path;
    load();
}

void TFTLanguage::load()
{
    fStrings.clear();
    fLoaded = false;
    if (fSource.isEmpty()) {
        ParseLanguageList(QString());
        showError(QStringLiteral("Language data not found!"));
        return;
    }
    QHash<int, QString> strings;
    if (StringTableFile::read(fSource, strings) != StringTableFile::Ok) {
        showError(QStringLiteral("Source Dll not Found!"));
        return;
    }
    fStrings = std::move(strings);
    fLoaded = true;
    const QString list = fStrings.value(0);
    if (list.isEmpty()) {
        // Bases of an earlier list would point into this file's strings.
        ParseLanguageList(QString());
        showError(QStringLiteral("Error reading from language DLL."));
        return;
    }
    ParseLanguageList(list);
}

void TFTLanguage::ParseLanguageList(const QString& text)
{
    fLangStr = text;
    fLangStrs.clear();
    fLangNums.clear();
    fLangIds.clear();
    QString rest = text;
    for (;;) {
        const qsizetype a = rest.indexOf(u'|');
        const qsizetype b = rest.indexOf(u':');
        const qsizetype c = rest.indexOf(u';');
        if (a < 0 || b < 0 || c < 0) {
            break;
        }
        bool ok = false;
        int number = between(rest, b + 1, c).toInt(&ok);
        if (!ok) {
            number = 9;
        }
        int base = between(rest, a + 1, b).toInt(&ok);
        if (!ok) {
            base = 0;
            showError(QStringLiteral("Error reading languages."));
        }
        fLangStrs.append(rest.left(a));
        fLangNums.append(number);
        fLangIds.append(base);
        rest.remove(0, c + 1);
    }
    // A list text without a single entry leaves no language to point at.
    fCurLang = fLangStrs.isEmpty() ? -1 : 0;
}

void TFTLanguage::setCurrentLanguage(int index)
{
    if (index >= 0 && index < LanguageCount()) {
        fCurLang = index;
    }
}

QString TFTLanguage::CurLanguageName() const
{
    return hasCurrentLanguage() ? fLangStrs.at(fCurLang) : QString();
}

int TFTLanguage::CurLanguageID() const
{
    return hasCurrentLanguage() ? fLangNums.at(fCurLang) : 9;
}

QString TFTLanguage::CurLanguageIDStr() const
{
    // Unsigned, as the Windows hex formatting gives a negative number.
    return QString::number(uint(CurLanguageID()), 16).toUpper().rightJustified(2, u'0');
}

int TFTLanguage::IndexOfLangID(int langId) const
{
    return int(fLangNums.indexOf(langId));
}

QString TFTLanguage::LanguageById(int index) const
{
    return index >= 0 && index < LanguageCount() ? fLangStrs.at(index) : QString();
}

int TFTLanguage::LanguageBase(int index) const
{
    return index >= 0 && index < LanguageCount() ? fLangIds.at(index) : 0;
}

void TFTLanguage::AddExclusion(QObject* component)
{
    if (component && !fExclusions.contains(component)) {
        fExclusions.append(component);
    }
}

int TFTLanguage::primaryLanguageId(const QString& localeName)
{
    QLocale locale(localeName);
    if (localeName.isEmpty()) {
        // uiLanguages follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG in that order.
        const QStringList ui = QLocale::system().uiLanguages();
        locale = ui.isEmpty() ? QLocale::system() : QLocale(ui.first());
    }
    return windowsPrimaryLanguageId(locale.language());
}

void TFTLanguage::chooseLanguageFromLocale(const QString& localeName)
{
    const int index = IndexOfLangID(primaryLanguageId(localeName));
    setCurrentLanguage(index >= 0 ? index : 0);
}

QString TFTLanguage::rawString(int absoluteId) const
{
    return fStrings.value(absoluteId);
}

QString TFTLanguage::stringAt(qint64 id) const
{
    if (!hasCurrentLanguage()) {
        return QString();
    }
    const qint64 absolute = qint64(fLangIds.at(fCurLang)) + id;
    if (absolute < 0 || absolute > std::numeric_limits<int>::max()) {
        return QString();
    }
    return fStrings.value(int(absolute));
}

QString TFTLanguage::TranslateStr(int id) const
{
    if (!fLoaded || !hasCurrentLanguage()) {
        return QString();
    }
    return expandMarkers(stringAt(id));
}

QString TFTLanguage::captionAt(qint64 id, const QString& oldCaption) const
{
    // Without language data a caller's text stays rather than being blanked.
    if (!fLoaded || !hasCurrentLanguage()) {
        return oldCaption;
    }
    QString text = stringAt(id);
    const qsizetype hint = text.indexOf(HintMarker);
    if (hint >= 0) {
        text.truncate(hint);
    }
    text = expandMarkers(text);
    return text.isEmpty() ? oldCaption : text;
}

QString TFTLanguage::GetCaption(int index, const QString& oldCaption) const
{
    return captionAt(index, oldCaption);
}

QString TFTLanguage::hintFor(int tag) const
{
    const QString text = stringAt(tag);
    const qsizetype pos = text.indexOf(HintMarker);
    if (pos < 0) {
        return QString();
    }
    bool ok = false;
    const int id = text.mid(pos + HintMarker.size()).trimmed().toInt(&ok);
    return ok ? expandMarkers(stringAt(id)) : QString();
}

bool TFTLanguage::isExcluded(const QObject* object) const
{
    return fExclusions.contains(object);
}

QString defaultLanguageFile()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString beside = QDir(dir).filePath(QStringLiteral("cmlang.txt"));
    if (QFileInfo(beside).isFile()) {
        return beside;
    }
    const QString installed =
        QDir::cleanPath(dir + QStringLiteral("/../share/scribolt-vodave-durerir/cmlang.txt"));
    return QFileInfo(installed).isFile() ? installed : beside;
}
