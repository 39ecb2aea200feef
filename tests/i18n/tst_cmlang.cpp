#include "i18n/FTLanguage.h"
#include "i18n/StringTableFile.h"
#include "i18n/TextIds.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QRegularExpression>
#include <QtTest>
#include <algorithm>
#include <map>
#include <set>

// The shipped string table: both languages complete and consistent.
class TstCmLang : public QObject
{
    Q_OBJECT

    QString m_path;
    QHash<int, QString> m_strings;
    std::unique_ptr<TFTLanguage> m_language;
    // Relative ids with their text, per language index.
    std::vector<std::map<int, QString>> m_blocks;

    static QString placeholders(const QString& text)
    {
        QString found;
        static const QRegularExpression re(QStringLiteral("%[sd%]"));
        for (const QRegularExpressionMatch& m : re.globalMatch(text)) {
            found += m.captured();
        }
        return found;
    }

private slots:
    void initTestCase()
    {
        MessageBox::setTestMode(true);
        m_path = qEnvironmentVariable("SCRIBOLT_SOURCE_DIR") + QStringLiteral("/data/cmlang.txt");
        QCOMPARE(StringTableFile::read(m_path, m_strings), StringTableFile::Ok);
        m_language = std::make_unique<TFTLanguage>(m_path);
        QCOMPARE(MessageBox::history().size(), 0);
        QCOMPARE(m_language->LanguageCount(), 2);

        QList<int> bases;
        for (int i = 0; i < m_language->LanguageCount(); ++i) {
            bases << m_language->LanguageBase(i);
        }
        std::sort(bases.begin(), bases.end());
        m_blocks.resize(bases.size());
        for (auto it = m_strings.cbegin(); it != m_strings.cend(); ++it) {
            if (it.key() == 0) {
                continue;
            }
            int owner = -1;
            for (int i = 0; i < m_language->LanguageCount(); ++i) {
                const int base = m_language->LanguageBase(i);
                const int next =
                    bases.indexOf(base) + 1 < bases.size() ? bases[bases.indexOf(base) + 1] : INT_MAX;
                if (it.key() > base && it.key() < next) {
                    owner = i;
                }
            }
            QVERIFY2(owner >= 0, qPrintable(QStringLiteral("id %1 belongs to no language").arg(it.key())));
            m_blocks[owner][it.key() - m_language->LanguageBase(owner)] = it.value();
        }
    }

    void languages()
    {
        QCOMPARE(m_language->IndexOfLangID(9), 0);
        QCOMPARE(m_language->IndexOfLangID(7), 1);
        m_language->chooseLanguageFromLocale(QStringLiteral("de_DE"));
        QCOMPARE(m_language->CurLanguageIDStr(), QStringLiteral("07"));
        m_language->chooseLanguageFromLocale(QStringLiteral("ja_JP"));
        QCOMPARE(m_language->CurLanguageIDStr(), QStringLiteral("09"));
    }

    void sameIdsInEveryLanguage()
    {
        std::set<int> first;
        for (const auto& [id, text] : m_blocks[0]) {
            first.insert(id);
        }
        for (size_t i = 1; i < m_blocks.size(); ++i) {
            std::set<int> other;
            for (const auto& [id, text] : m_blocks[i]) {
                other.insert(id);
            }
            std::vector<int> onlyOne;
            std::set_symmetric_difference(first.begin(), first.end(), other.begin(), other.end(),
                                          std::back_inserter(onlyOne));
            QVERIFY2(onlyOne.empty(), qPrintable(QStringLiteral("ids in one language only, first: %1")
                                                     .arg(onlyOne.empty() ? 0 : onlyOne.front())));
        }
    }

    void usedIdsHaveTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Deutsch") << 1;
    }

    void usedIdsHaveTexts()
    {
        QFETCH(int, language);
        m_language->setCurrentLanguage(language);
        for (int id : TextId::CaptionIds) {
            QVERIFY2(!m_language->GetCaption(id, QString()).isEmpty(), qPrintable(QString::number(id)));
        }
        for (int id : TextId::MessageIds) {
            const QString text = m_language->TranslateStr(id);
            QVERIFY2(!text.isEmpty(), qPrintable(QString::number(id)));
            // Messages are shown as fetched: a hint marker would show up in them.
            QVERIFY2(!text.contains(QLatin1String("{HINT}")), qPrintable(QString::number(id)));
        }
        for (const auto& [id, text] : m_blocks[language]) {
            const qsizetype hint = text.indexOf(QLatin1String("{HINT}"));
            if (hint >= 0) {
                bool ok = false;
                const int target = text.mid(hint + 6).toInt(&ok);
                QVERIFY2(ok && !m_language->TranslateStr(target).isEmpty(), qPrintable(QString::number(id)));
            }
        }
    }

    void placeholdersAgree()
    {
        for (const auto& [id, text] : m_blocks[0]) {
            for (size_t i = 1; i < m_blocks.size(); ++i) {
                const auto other = m_blocks[i].find(id);
                // A missing id is reported by sameIdsInEveryLanguage.
                if (other != m_blocks[i].end()) {
                    QVERIFY2(placeholders(other->second) == placeholders(text),
                             qPrintable(QString::number(id)));
                }
            }
        }
    }

    void formatArguments_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        QTest::newRow("busy port") << TextId::WizardPortBusy << "%d";
        QTest::newRow("found port") << TextId::WizardPortFound << "%d";
        QTest::newRow("client update") << TextId::UpdateClient << "%s";
        QTest::newRow("server update") << TextId::UpdateServer << "%s";
        QTest::newRow("console update") << TextId::UpdateConsole << "%s";
        QTest::newRow("incompatible client") << TextId::ClientNotCompatible << "%s";
        QTest::newRow("totals") << TextId::TotalsLine << "%s%s";
        QTest::newRow("updates available") << TextId::UpdatesAvailable << "%s";
        QTest::newRow("no argument in a status") << TextId::ConnectedTo << "";
    }

    void formatArguments()
    {
        QFETCH(int, id);
        QFETCH(QString, expected);
        for (const auto& block : m_blocks) {
            QVERIFY(block.count(id) == 1);
            QCOMPARE(placeholders(block.at(id)), expected);
        }
    }

    // The reader cuts silently, so the file itself must stay within the limit and name each id once.
    void fileLinesWithinLimits()
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSet<int> seen;
        int lineNo = 0;
        while (!file.atEnd()) {
            ++lineNo;
            const QString line = QString::fromUtf8(file.readLine()).chopped(1);
            int id = 0;
            QString text;
            if (!StringTableFile::parseLine(line, id, text)) {
                continue;
            }
            QVERIFY2(line.mid(line.indexOf(u'=') + 1).size() <= StringTableFile::MaxLength,
                     qPrintable(QString::number(lineNo)));
            QVERIFY2(!seen.contains(id), qPrintable(QStringLiteral("id %1 twice").arg(id)));
            seen.insert(id);
        }
    }

    void copyBesideProgramIsCurrent()
    {
        QFile built(defaultLanguageFile());
        QFile source(m_path);
        QVERIFY(built.open(QIODevice::ReadOnly));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QVERIFY(built.readAll() == source.readAll());
    }
};

QTEST_MAIN(TstCmLang)
#include "tst_cmlang.moc"
