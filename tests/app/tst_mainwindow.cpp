#include "app/MainWindowUi.h"
#include "app/TSboCMWnd.h"
#include "support/TestSandbox.h"
#include "ui/MessageBox.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

// Receives the addresses the window asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void switchesShapeTheWindow_data();
    void switchesShapeTheWindow();
    void debugTraceStartsWithHeader();
    void minimumSize();
    void helpAddresses_data();
    void helpAddresses();
    void translatedFromStringTable();

private:
    std::unique_ptr<TestSandbox> m_sandbox;
    UrlCatcher m_urls;
};

void TestMainWindow::initTestCase()
{
    MessageBox::setTestMode(true);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_urls, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_urls, "open");
}

void TestMainWindow::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestMainWindow::init()
{
    m_sandbox = std::make_unique<TestSandbox>();
    MessageBox::clearHistory();
    m_urls.urls.clear();
}

void TestMainWindow::cleanup()
{
    m_sandbox.reset();
}

void TestMainWindow::switchesShapeTheWindow_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("debugTab");
    QTest::addColumn<bool>("blockButtons");

    QTest::newRow("no switches") << QStringList{} << false << false;
    QTest::newRow("debug any case") << QStringList{"-DEBUG"} << true << false;
    QTest::newRow("block") << QStringList{"-block"} << false << true;
    QTest::newRow("other switches do not show block") << QStringList{"-debug", "-local"} << true << false;
}

void TestMainWindow::switchesShapeTheWindow()
{
    QFETCH(QStringList, args);
    QFETCH(bool, debugTab);
    QFETCH(bool, blockButtons);
    args.prepend(QStringLiteral("vodave-durerir"));
    TSboCMWnd w(args);
    w.show();
    const MainWindowUi& ui = w.ui();
    QCOMPARE(ui.PageControl->isTabVisible(MainWindowUi::DebugTab), debugTab);
    QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("ActBtn2"))->isVisible(), blockButtons);
    QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("ActBtn3"))->isVisible(), blockButtons);
    QCOMPARE(w.windowTitle().left(25), QStringLiteral("Scribolt Vodave Durerir v"));
    if (!debugTab) {
        QVERIFY(ui.DebugMemo->toPlainText().isEmpty());
        QVERIFY(!QFile::exists(m_sandbox->desktopDir() + QStringLiteral("/cmlog.txt")));
    }
}

void TestMainWindow::debugTraceStartsWithHeader()
{
    TSboCMWnd w({QStringLiteral("vodave-durerir"), QStringLiteral("-debug")});
    QFile f(m_sandbox->desktopDir() + QStringLiteral("/cmlog.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray header = "Scribolt Vodave Durerir " + w.windowTitle().mid(25).toLatin1() + " debug file\r\n"
                              + QByteArray(72, '-') + "\r\n";
    QVERIFY2(f.readAll().startsWith(header), "trace file must begin with the header and 72 hyphens");
}

void TestMainWindow::minimumSize()
{
    TSboCMWnd w({QStringLiteral("vodave-durerir")});
    w.show();
    w.resize(300, 200);
    QVERIFY(w.width() >= 584);
    QVERIFY(w.height() >= 490);
    QCOMPARE(w.minimumSize(), QSize(584, 490));
}

void TestMainWindow::helpAddresses_data()
{
    QTest::addColumn<QString>("focusInside");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("help button") << QString() << QStringLiteral("/docsnet8/09/netman.htm#");
    QTest::newRow("F1 in updates group") << QStringLiteral("UpdatesCombo")
                                         << QStringLiteral("/docsnet8/09/netman.htm#update");
}

void TestMainWindow::helpAddresses()
{
    QFETCH(QString, focusInside);
    QFETCH(QString, suffix);
    TSboCMWnd w({QStringLiteral("vodave-durerir")});
    w.show();
    if (focusInside.isEmpty()) {
        w.findChild<QPushButton*>(QStringLiteral("HelpBtn"))->click();
    } else {
        w.ui().PageControl->setTabVisible(MainWindowUi::UpdatesTab, true);
        w.ui().PageControl->setCurrentIndex(MainWindowUi::UpdatesTab);
        QWidget* target = w.findChild<QWidget*>(focusInside);
        target->setFocus();
        QTest::keyClick(&w, Qt::Key_F1);
    }
    QCOMPARE(m_urls.urls.size(), 1);
    const QString url = m_urls.urls.first().toString();
    QVERIFY2(url.endsWith(suffix), qPrintable(url));
    QVERIFY2(url.startsWith(QLatin1String("http")), qPrintable(url));
}

void TestMainWindow::translatedFromStringTable()
{
    // The shipped table gives every tab and button a text; the window shows
    // the translated texts, not blanks.
    TSboCMWnd w({QStringLiteral("vodave-durerir")});
    const QTabWidget* tabs = w.ui().PageControl;
    for (int i = 0; i < tabs->count(); ++i) {
        QVERIFY2(!tabs->tabText(i).isEmpty(), qPrintable(QString::number(i)));
    }
    QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("ExitBtn"))->text().isEmpty());
    QVERIFY(MessageBox::history().isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
