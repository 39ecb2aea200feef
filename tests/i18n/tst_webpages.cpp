#include "i18n/WebPages.h"

#include <QtTest>

class TstWebPages : public QObject
{
    Q_OBJECT

    static QString site() { return QStringLiteral(SCRIBOLT_WEB_SITE); }

private slots:
    void download_data()
    {
        QTest::addColumn<int>("langId");
        QTest::addColumn<QString>("path");
        QTest::newRow("German") << 7 << "/de/download.htm";
        QTest::newRow("English") << 9 << "/download.htm";
        QTest::newRow("French") << 12 << "/download.htm";
        QTest::newRow("0x407 is not German") << 0x407 << "/download.htm";
    }

    void download()
    {
        QFETCH(int, langId);
        QFETCH(QString, path);
        QCOMPARE(downloadPageUrl(langId), site() + path);
    }

    void help_data()
    {
        QTest::addColumn<QString>("idStr");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("byKeyword");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "09"
                               << "" << false << "/docsnet8/09/netman.htm";
        QTest::newRow("help button: bare #") << "07"
                                             << "" << true << "/docsnet8/07/netman.htm#";
        QTest::newRow("keyword") << "09"
                                 << "update" << true << "/docsnet8/09/netman.htm#update";
        QTest::newRow("keyword not asked") << "09"
                                           << "update" << false << "/docsnet8/09/netman.htm";
        QTest::newRow("backslashes") << "0C"
                                     << "a\\b" << true << "/docsnet8/0C/netman.htm#a/b";
    }

    void help()
    {
        QFETCH(QString, idStr);
        QFETCH(QString, keyword);
        QFETCH(bool, byKeyword);
        QFETCH(QString, path);
        QCOMPARE(helpPageUrl(idStr, keyword, byKeyword), site() + path);
        QVERIFY(QUrl(helpPageUrl(idStr, keyword, byKeyword)).isValid());
    }
};

QTEST_GUILESS_MAIN(TstWebPages)
#include "tst_webpages.moc"
