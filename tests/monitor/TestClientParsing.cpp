#include "monitor/ClientList.h"
#include "monitor/ClientParsing.h"

#include <QtTest>

using namespace ClientParsing;

class TestClientParsing : public QObject
{
    Q_OBJECT

private slots:
    void clAdd_data();
    void clAdd();
    void block_data();
    void block();
    void stats_data();
    void stats();
    void fileStats_data();
    void fileStats();
    void byteFlags_data();
    void byteFlags();
    void secondsToText_data();
    void secondsToText();
    void moneyTotals_data();
    void moneyTotals();
    void lowestVersion_data();
    void lowestVersion();
};

void TestClientParsing::clAdd_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("canWrite");
    QTest::addColumn<bool>("canConfig");
    QTest::addColumn<QString>("comp");
    QTest::addColumn<QString>("ver");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("money");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("blocked");

    QTest::newRow("address only") << "10.0.0.5"
                                  << "10.0.0.5" << true << true << ""
                                  << ""
                                  << "0"
                                  << "0" << false << false;
    QTest::newRow("ends after first ;") << "10.0.0.5;"
                                        << "10.0.0.5" << true << true << ""
                                        << ""
                                        << "0"
                                        << "0" << false << false;
    QTest::newRow("full") << "10.0.0.5;0;1;PC1;8.0.21;300;12.50;1;0;"
                          << "10.0.0.5" << false << true << "PC1"
                          << "8.0.21"
                          << "300"
                          << "12.50" << true << false;
    QTest::newRow("rights off, blocked") << "10.0.0.6;0;0;PC2;8.0.3;0;0;0;1;"
                                         << "10.0.0.6" << false << false << "PC2"
                                         << "8.0.3"
                                         << "0"
                                         << "0" << false << true;
    QTest::newRow("last field without ;") << "10.0.0.5;1;1;PC1;8.0.21;300;12.50;1;1"
                                          << "10.0.0.5" << true << true << "PC1"
                                          << "8.0.21"
                                          << "300"
                                          << "12.50" << true << false;
    QTest::newRow("money without ;") << "10.0.0.7;1;1;PC3;8.0;60;5"
                                     << "10.0.0.7" << true << true << "PC3"
                                     << "8.0"
                                     << "60"
                                     << "0" << false << false;
    QTest::newRow("rights not digits") << "ip;x;y;PC4;"
                                       << "ip" << true << true << "PC4"
                                       << ""
                                       << "0"
                                       << "0" << false << false;
    QTest::newRow("rights missing") << "ip;;"
                                    << "ip" << true << true << ""
                                    << ""
                                    << "0"
                                    << "0" << false << false;
    QTest::newRow("only write flag") << "ip;0"
                                     << "ip" << false << true << ""
                                     << ""
                                     << "0"
                                     << "0" << false << false;
    QTest::newRow("decimal flags") << "ip;1;1;PC5;v;1;2;1.0;2.5;"
                                   << "ip" << true << true << "PC5"
                                   << "v"
                                   << "1"
                                   << "2" << false << false;
    QTest::newRow("word flags") << "ip;1;1;PC5;v;1;2;true;TRUE;"
                                << "ip" << true << true << "PC5"
                                << "v"
                                << "1"
                                << "2" << false << false;
    QTest::newRow("lowest 8 bits") << "ip;1;1;PC5;v;1;2;256;257;"
                                   << "ip" << true << true << "PC5"
                                   << "v"
                                   << "1"
                                   << "2" << false << true;
    QTest::newRow("text after ninth field") << "ip;1;0;PC6;v;1;2;1;0;extra;more"
                                            << "ip" << true << false << "PC6"
                                            << "v"
                                            << "1"
                                            << "2" << true << false;
    QTest::newRow("empty fields") << ";1;1;;;;;;;"
                                  << "" << true << true << ""
                                  << ""
                                  << ""
                                  << "" << false << false;
}

void TestClientParsing::clAdd()
{
    QFETCH(QString, arg);
    const ClientRec rec = parseClAdd(arg);
    QTEST(rec.IP, "ip");
    QTEST(rec.CanWrite, "canWrite");
    QTEST(rec.CanConfig, "canConfig");
    QTEST(rec.Comp, "comp");
    QTEST(rec.Ver, "ver");
    QTEST(rec.TimeSaved, "time");
    QTEST(rec.MoneySaved, "money");
    QTEST(rec.Connected, "connected");
    QTEST(rec.Blocked, "blocked");
}

void TestClientParsing::block_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QString>("comp");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<QString>("error");

    QTest::newRow("no flag") << "PC1"
                             << "PC1" << true << "";
    QTest::newRow("0") << "PC1;0"
                       << "PC1" << false << "";
    QTest::newRow("1") << "PC1;1"
                       << "PC1" << true << "";
    QTest::newRow("TRUE") << "PC1;TRUE"
                          << "PC1" << true << "";
    QTest::newRow("False") << "PC1;False"
                           << "PC1" << false << "";
    QTest::newRow("0.0") << "PC1;0.0"
                         << "PC1" << false << "";
    QTest::newRow("2.5") << "PC1;2.5"
                         << "PC1" << true << "";
    QTest::newRow("-1") << "PC1;-1"
                        << "PC1" << true << "";
    QTest::newRow("empty flag") << "PC1;"
                                << "" << false << "'' is not a valid boolean value";
    QTest::newRow("word") << "PC1;yes"
                          << "" << false << "'yes' is not a valid boolean value";
    QTest::newRow("nan") << "PC1;nan"
                         << "" << false << "'nan' is not a valid boolean value";
}

void TestClientParsing::block()
{
    QFETCH(QString, arg);
    QFETCH(QString, error);
    try {
        const BlockReply reply = parseBlock(arg);
        QVERIFY2(error.isEmpty(), "a bad flag must be refused");
        QTEST(reply.comp, "comp");
        QTEST(reply.flag, "flag");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromStdString(e.what()), error);
    }
}

void TestClientParsing::stats_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("comp");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("money");

    QTest::newRow("no ;") << "PC1" << false << ""
                          << ""
                          << "";
    QTest::newRow("name only") << "PC1;" << true << "PC1"
                               << "0"
                               << "0";
    QTest::newRow("seconds without ;") << "PC1;300" << true << "PC1"
                                       << "0"
                                       << "0";
    QTest::newRow("seconds") << "PC1;300;" << true << "PC1"
                             << "300"
                             << "0";
    QTest::newRow("full") << "PC1;300;7,5;" << true << "PC1"
                          << "300"
                          << "7,5";
}

void TestClientParsing::stats()
{
    QFETCH(QString, arg);
    QFETCH(bool, valid);
    const auto reply = parseStats(arg);
    QCOMPARE(reply.has_value(), valid);
    if (!reply)
        return;
    QTEST(reply->comp, "comp");
    QTEST(reply->seconds, "seconds");
    QTEST(reply->money, "money");
}

void TestClientParsing::fileStats_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("editingBy");

    QTest::newRow("read-only alone") << "1" << true << "";
    QTest::newRow("editor") << "0;PC1" << false << "PC1";
    QTest::newRow("other digit") << "5;" << true << "";
    QTest::newRow("not a digit") << "x;PC2" << false << "PC2";
    QTest::newRow("empty") << "" << false << "";
}

void TestClientParsing::fileStats()
{
    QFETCH(QString, arg);
    const FileStats stats = parseFileStats(arg);
    QTEST(stats.readOnly, "readOnly");
    QTEST(stats.editingBy, "editingBy");
}

void TestClientParsing::byteFlags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("on");
    QTest::newRow("0") << "0" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("256") << "256" << false;
    QTest::newRow("text") << "yes" << true;
    QTest::newRow("empty") << "" << true;
}

void TestClientParsing::byteFlags()
{
    QFETCH(QString, text);
    QTEST(byteFlag(text), "on");
}

void TestClientParsing::secondsToText_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0";
    QTest::newRow("59") << qint64(59) << "0";
    QTest::newRow("300") << qint64(300) << "5m";
    QTest::newRow("3599") << qint64(3599) << "59m";
    QTest::newRow("3600") << qint64(3600) << "1h";
    QTest::newRow("7500") << qint64(7500) << "2h 5m";
    QTest::newRow("86400") << qint64(86400) << "1d";
    QTest::newRow("90000") << qint64(90000) << "1d 1h";
    QTest::newRow("negative") << qint64(-7500) << "0";
    QTest::newRow("past 32 bits") << qint64(3000000000) << "34722d 5h 20m";
}

void TestClientParsing::secondsToText()
{
    QFETCH(qint64, seconds);
    QTEST(SecondsToText(seconds), "text");
}

void TestClientParsing::moneyTotals_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("cTotal");
    QTest::addColumn<QString>("germanTotal");

    QTest::newRow("point") << QStringList{"12.50"} << "12.5"
                           << "12,5";
    QTest::newRow("comma") << QStringList{"12,50"} << "12.5"
                           << "12,5";
    QTest::newRow("integer") << QStringList{"7"} << "7"
                             << "7";
    QTest::newRow("grouped is skipped") << QStringList{"1,234.56"} << "0"
                                        << "0";
    QTest::newRow("minus becomes separator") << QStringList{"-3"} << "0.3"
                                             << "0,3";
    QTest::newRow("empty is skipped") << QStringList{""} << "0"
                                      << "0";
    QTest::newRow("all") << QStringList{"12.50", "12,50", "7", "1,234.56", "-3"} << "32.3"
                         << "32,3";
    QTest::newRow("large sum, no grouping") << QStringList{"600000.25", "600000.25"} << "1200000.5"
                                            << "1200000,5";
}

void TestClientParsing::moneyTotals()
{
    QFETCH(QStringList, values);
    QFETCH(QString, cTotal);
    QFETCH(QString, germanTotal);
    for (const auto& [locale, expected] :
         {qMakePair(QLocale::c(), cTotal),
          qMakePair(QLocale(QLocale::German, QLocale::Germany), germanTotal)}) {
        ClientList list;
        int n = 0;
        for (const QString& value : values) {
            ClientRec rec;
            rec.Comp = QStringLiteral("PC%1").arg(++n);
            rec.MoneySaved = value;
            list.append(rec);
        }
        QLocale::setDefault(locale);
        QCOMPARE(moneyText(list.totalMoney(), QLocale()), expected);
    }
    QLocale::setDefault(QLocale::system());
}

void TestClientParsing::lowestVersion_data()
{
    QTest::addColumn<QStringList>("versions");
    QTest::addColumn<QString>("lowest");
    QTest::newRow("mixed") << QStringList{"8.0.21", "7.5.3", ""} << "7.5.3";
    QTest::newRow("part widths") << QStringList{"7.12.3", "7.5.30"} << "7.5.30";
    QTest::newRow("equal, earlier wins") << QStringList{"8.0.1", "8.000.1"} << "8.0.1";
    QTest::newRow("none readable") << QStringList{"", "x"} << "";
    QTest::newRow("empty list") << QStringList{} << "";
}

void TestClientParsing::lowestVersion()
{
    QFETCH(QStringList, versions);
    ClientList list;
    int n = 0;
    for (const QString& ver : versions) {
        ClientRec rec;
        rec.Comp = QStringLiteral("PC%1").arg(++n);
        rec.Ver = ver;
        list.append(rec);
    }
    QTEST(list.lowestVersion(), "lowest");
}

QTEST_GUILESS_MAIN(TestClientParsing)
#include "TestClientParsing.moc"
