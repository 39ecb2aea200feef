#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QObject;
class QWidget;

// Captions by widget tag and message texts by id, from the string table
// cmlang.txt ("<id>=<text>" lines, string 0 the language list).
// One instance for the whole program (instance()); tests may make their own.
class TFTLanguage
{
public:
    explicit TFTLanguage(const QString& fileName = QString());
    TFTLanguage(const TFTLanguage&) = delete;
    TFTLanguage& operator=(const TFTLanguage&) = delete;

    static TFTLanguage& instance();

    // What "#13" in a text becomes. Qt widgets break lines at LF and show a lone
    // CR as nothing, so the Windows carriage return would lose the line break.
    static constexpr char16_t LineBreak = u'\n';

    // Name of the dynamic property that carries a widget's tag.
    static constexpr const char* TagProperty = "tag";
    static void setTag(QObject* object, int tag);
    static int tag(const QObject* object);

    QString Source() const { return fSource; }
    void setSource(const QString& path);

    int CurrentLanguage() const { return fCurLang; }
    void setCurrentLanguage(int index);
    QString CurLanguageName() const;
    int CurLanguageID() const;
    QString CurLanguageIDStr() const;
    int NoTransTag() const { return fNoTransTag; }
    void setNoTransTag(int tag) { fNoTransTag = tag; }
    int LanguageCount() const { return int(fLangStrs.size()); }

    int IndexOfLangID(int langId) const;
    QString LanguageById(int index) const;
    // The string id where the block of the language at index starts; 0 out of range.
    int LanguageBase(int index) const;
    void AddExclusion(QObject* component);

    // Picks the language of a locale name such as "de_DE" (system locale when
    // empty), falling back to the first language of the list.
    void chooseLanguageFromLocale(const QString& localeName = QString());
    // The Windows primary language number for a locale name (9 English, 7 German, ...); 0 if unknown.
    static int primaryLanguageId(const QString& localeName);

    void Translate(QWidget* target);
    QString TranslateStr(int id) const;
    QString GetCaption(int index, const QString& oldCaption) const;

    bool isLoaded() const { return fLoaded; }

    // The raw string of an absolute id, empty when missing.
    QString rawString(int absoluteId) const;

private:
    void load();
    void ParseLanguageList(const QString& text);
    bool hasCurrentLanguage() const { return fCurLang >= 0 && fCurLang < LanguageCount(); }
    // String Base + id of the current language; empty when missing.
    QString stringAt(qint64 id) const;
    QString captionAt(qint64 id, const QString& oldCaption) const;
    QString hintFor(int tag) const;
    bool isExcluded(const QObject* object) const;
    void translateChildren(QObject* parent);
    void translateObject(QObject* object);

    QString fSource;
    QString fLangStr;
    QStringList fLangStrs;
    QList<int> fLangNums;
    QList<int> fLangIds;
    QList<const QObject*> fExclusions;
    int fCurLang = -1;
    int fNoTransTag = 0;
    bool fLoaded = false;
    QHash<int, QString> fStrings;
};

// The string table beside the program, else the installed one
// (../share/scribolt-vodave-durerir/cmlang.txt relative to the program).
QString defaultLanguageFile();

// Shorthand for message texts: tr_id(611) == TFTLanguage::instance().TranslateStr(611).
inline QString tr_id(int id)
{
    return TFTLanguage::instance().TranslateStr(id);
}
