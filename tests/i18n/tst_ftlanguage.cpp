#include "i18n/FTLanguage.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

// Strings for every base a list row may point at, so a row's bases show in what TranslateStr returns.
const QByteArray BaseProbes = "1=at0\n1001=at1000\n2001=at2000\n3001=at3000\n";

QStringList boxTexts()
{
    QStringList texts;
    for (const MessageBox::Shown& shown : MessageBox::history()) {
        texts << shown.text;
    }
    return texts;
}

QString tagged(QWidget* parent, QWidget* w, const char* name, int tag)
{
    w->setParent(parent);
    w->setObjectName(QString::fromLatin1(name));
    TFTLanguage::setTag(w, tag);
    return w->objectName();
}

// A window with one widget of each kind the translation knows, in design English.
std::unique_ptr<QWidget> makeWindow(TFTLanguage& language)
{
    auto window = std::make_unique<QWidget>();
    QWidget* w = window.get();
    w->setWindowTitle(QStringLiteral("Design window"));
    TFTLanguage::setTag(w, 500);
    tagged(w, new QPushButton(QStringLiteral("Refresh design")), "refresh", 174);
    tagged(w, new QLabel(QStringLiteral("Label design")), "hintOnly", 60);
    auto* radio = new QGroupBox(QStringLiteral("Mode design"));
    tagged(w, radio, "radio", 54);
    radio->setProperty("radioGroup", true);
    new QRadioButton(QStringLiteral("Item 0 design"), radio);
    new QRadioButton(QStringLiteral("Item 1 design"), radio);
    auto* combo = new QComboBox;
    tagged(w, combo, "combo", 340);
    for (int i = 0; i < 5; ++i) {
        combo->addItem(QStringLiteral("Combo %1 design").arg(i));
    }
    auto* tabs = new QTabWidget;
    tagged(w, tabs, "tabs", 1);
    for (int i = 0; i < 3; ++i) {
        tabs->addTab(new QWidget, QStringLiteral("Tab %1 design").arg(i));
    }
    auto* list = new QListWidget;
    tagged(w, list, "list", 20);
    list->addItems({QStringLiteral("List 0 design"), QStringLiteral("List 1 design")});
    tagged(w, new QLineEdit(QStringLiteral("Edit design")), "edit", 30);
    tagged(w, new QCheckBox(QStringLiteral("Check design")), "check", 31);
    auto* menu = new QMenu(QStringLiteral("Menu design"));
    tagged(w, menu, "menu", 40);
    QAction* action = menu->addAction(QStringLiteral("Action design"));
    action->setObjectName(QStringLiteral("action"));
    TFTLanguage::setTag(action, 41);
    auto* excludedMenu = new QMenu(QStringLiteral("Excluded menu design"));
    tagged(w, excludedMenu, "excludedMenu", 0);
    language.AddExclusion(excludedMenu);
    QAction* inExcluded = excludedMenu->addAction(QStringLiteral("Item of excluded menu"));
    inExcluded->setObjectName(QStringLiteral("inExcludedMenu"));
    TFTLanguage::setTag(inExcluded, 41);
    tagged(w, new QGroupBox(QStringLiteral("Group design")), "group", 42);
    auto* frame = new QWidget;
    tagged(w, frame, "frame", 0);
    tagged(frame, new QLabel(QStringLiteral("Nested design")), "nested", 43);
    tagged(w, new QLabel(QStringLiteral("Excluded design")), "excluded", 44);
    language.AddExclusion(w->findChild<QLabel*>(QStringLiteral("excluded")));
    tagged(w, new QLabel(QStringLiteral("Untagged design")), "untagged", 0);
    tagged(w, new QFileDialog, "fileDialog", 172);
    tagged(w, new QSlider, "slider", 45);
    return window;
}

// Reads "name.property" or "name.itemN" / "name.tabN" back from the window.
QString readBack(QWidget* window, const QString& path)
{
    const QString name = path.section(u'.', 0, 0);
    const QString part = path.section(u'.', 1);
    QObject* object = name.isEmpty() ? window : window->findChild<QObject*>(name);
    if (!object) {
        return QStringLiteral("<no %1>").arg(name);
    }
    if (part.startsWith(QLatin1String("item"))) {
        const int i = part.mid(4).toInt();
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            return combo->itemText(i);
        }
        if (auto* list = qobject_cast<QListWidget*>(object)) {
            return list->item(i)->text();
        }
        return object->findChildren<QRadioButton*>().at(i)->text();
    }
    if (part.startsWith(QLatin1String("tab"))) {
        return static_cast<QTabWidget*>(object)->tabText(part.mid(3).toInt());
    }
    return object->property(part.toLatin1().constData()).toString();
}

} // namespace

class TstFTLanguage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QByteArray& content, const QString& name = QStringLiteral("cmlang.txt"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            qFatal("cannot write %s", qPrintable(path));
        }
        file.write(content);
        return path;
    }

private slots:
    void initTestCase()
    {
        MessageBox::setTestMode(true);
        QVERIFY(m_dir.isValid());
    }

    void init() { MessageBox::clearHistory(); }

    void languageList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QStringList>("baseProbes");
        QTest::addColumn<int>("badBaseBoxes");

        QTest::newRow("two languages")
            << QByteArray("English|1000:9;Deutsch|2000:7;") << QStringList{"English", "Deutsch"}
            << QList<int>{9, 7} << QStringList{"at1000", "at2000"} << 0;
        QTest::newRow("bad number gives 9") << QByteArray("English|1000:x;") << QStringList{"English"}
                                            << QList<int>{9} << QStringList{"at1000"} << 0;
        QTest::newRow("bad base gives box and base 0") << QByteArray("English|y:9;") << QStringList{"English"}
                                                       << QList<int>{9} << QStringList{"at0"} << 1;
        QTest::newRow("one box per bad base")
            << QByteArray("A|y:9;B|3000:12;C|:7;") << QStringList{"A", "B", "C"} << QList<int>{9, 12, 7}
            << QStringList{"at0", "at3000", "at0"} << 2;
        QTest::newRow("unfinished entry ignored")
            << QByteArray("English|1000:9;Deutsch|2000") << QStringList{"English"} << QList<int>{9}
            << QStringList{"at1000"} << 0;
        QTest::newRow("markers out of order")
            << QByteArray("a:b|c;") << QStringList{"a:b"} << QList<int>{9} << QStringList{"at0"} << 1;
        QTest::newRow("no entry at all")
            << QByteArray("garbage") << QStringList{} << QList<int>{} << QStringList{} << 0;
    }

    void languageList()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, numbers);
        QFETCH(QStringList, baseProbes);
        QFETCH(int, badBaseBoxes);

        TFTLanguage language(writeFile("0=" + list + "\n" + BaseProbes));
        QCOMPARE(boxTexts(), QStringList(badBaseBoxes, QStringLiteral("Error reading languages.")));
        QCOMPARE(language.LanguageCount(), int(names.size()));
        QCOMPARE(language.CurrentLanguage(), names.isEmpty() ? -1 : 0);
        for (int i = 0; i < names.size(); ++i) {
            language.setCurrentLanguage(i);
            QCOMPARE(language.LanguageById(i), names[i]);
            QCOMPARE(language.CurLanguageName(), names[i]);
            QCOMPARE(language.CurLanguageID(), numbers[i]);
            QCOMPARE(language.IndexOfLangID(numbers[i]), int(numbers.indexOf(numbers[i])));
            QCOMPARE(language.TranslateStr(1), baseProbes[i]);
        }
        QCOMPARE(language.LanguageById(int(names.size())), QString());
        QCOMPARE(language.LanguageById(-1), QString());
        if (names.isEmpty()) {
            QCOMPARE(language.CurLanguageID(), 9);
            QCOMPARE(language.TranslateStr(1), QString());
        }
    }

    void currentLanguageIgnoresWritesOutsideRange()
    {
        TFTLanguage language(writeFile("0=English|1000:9;Deutsch|2000:7;\n"));
        language.setCurrentLanguage(1);
        language.setCurrentLanguage(2);
        language.setCurrentLanguage(-1);
        QCOMPARE(language.CurrentLanguage(), 1);
        QCOMPARE(language.CurLanguageName(), QStringLiteral("Deutsch"));
    }

    void languageIdStr_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("idStr");
        QTest::newRow("English") << QByteArray("English|1000:9;") << "09";
        QTest::newRow("French upper-case hex") << QByteArray("Francais|1000:12;") << "0C";
        QTest::newRow("more than two digits") << QByteArray("X|1000:1031;") << "407";
        QTest::newRow("no language") << QByteArray("nothing here") << "09";
        QTest::newRow("negative as the platform wrote it") << QByteArray("X|1000:-1;") << "FFFFFFFF";
    }

    void languageIdStr()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, idStr);
        TFTLanguage language(writeFile("0=" + list + "\n"));
        QCOMPARE(language.CurLanguageIDStr(), idStr);
    }

    void markers_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("line break") << "First line#13Second line"
                                    << "First line\nSecond line"
                                    << "First line\nSecond line";
        QTest::newRow("escaped line break") << "Use ##13 here"
                                            << "Use #13 here"
                                            << "Use #13 here";
        QTest::newRow("three hashes") << "###13"
                                      << "##13"
                                      << "##13";
        QTest::newRow("break at start and end") << "#13x#13"
                                                << "\nx\n"
                                                << "\nx\n";
        QTest::newRow("incomplete marker") << "#1"
                                           << "#1"
                                           << "#1";
        QTest::newRow("application name dropped") << "%appname% says hi%appname%"
                                                  << " says hi"
                                                  << " says hi";
        QTest::newRow("hint kept in messages") << "Refresh{HINT}175"
                                               << "Refresh{HINT}175"
                                               << "Refresh";
        QTest::newRow("hint only falls back") << "{HINT}12"
                                              << "{HINT}12"
                                              << "old";
        QTest::newRow("empty falls back") << ""
                                          << ""
                                          << "old";
    }

    void markers()
    {
        QFETCH(QString, raw);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        TFTLanguage language(writeFile("0=English|1000:9;\n1005=" + raw.toUtf8() + "\n"));
        QCOMPARE(language.TranslateStr(5), message);
        QCOMPARE(language.GetCaption(5, QStringLiteral("old")), caption);
        QCOMPARE(language.TranslateStr(6), QString());
        QCOMPARE(language.GetCaption(6, QStringLiteral("old")), QStringLiteral("old"));
    }

    void translate_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("window title") << ".windowTitle"
                                      << "Wizard";
        QTest::newRow("caption before hint") << "refresh.text"
                                             << "Refresh";
        QTest::newRow("hint with line break") << "refresh.toolTip"
                                              << "Fetch\nagain";
        QTest::newRow("hint-only label keeps design") << "hintOnly.text"
                                                      << "Label design";
        QTest::newRow("hint-only label tip") << "hintOnly.toolTip"
                                             << "Tip twelve";
        QTest::newRow("radio group caption") << "radio.title"
                                             << "File Mode";
        QTest::newRow("radio item 0 from tag+1") << "radio.item0"
                                                 << "Central";
        QTest::newRow("radio item 1 from tag+2") << "radio.item1"
                                                 << "Local";
        QTest::newRow("combo item 0 from tag") << "combo.item0"
                                               << "Do not check";
        QTest::newRow("combo item 3 from tag+3") << "combo.item3"
                                                 << "Experimental";
        QTest::newRow("combo item without string") << "combo.item4"
                                                   << "Combo 4 design";
        QTest::newRow("tab 0 from tag") << "tabs.tab0"
                                        << "Monitor";
        QTest::newRow("tab 2 from tag+2") << "tabs.tab2"
                                          << "Phrases";
        QTest::newRow("list item 1") << "list.item1"
                                     << "Second";
        QTest::newRow("line edit") << "edit.text"
                                   << "Edited";
        QTest::newRow("check box") << "check.text"
                                   << "Checked";
        QTest::newRow("menu title") << "menu.title"
                                    << "Columns";
        QTest::newRow("menu action") << "action.text"
                                     << "Write access";
        QTest::newRow("item of an excluded menu") << "inExcludedMenu.text"
                                                  << "Item of excluded menu";
        QTest::newRow("group box") << "group.title"
                                   << "Backup";
        QTest::newRow("nested in untagged frame") << "nested.text"
                                                  << "Nested";
        QTest::newRow("excluded") << "excluded.text"
                                  << "Excluded design";
        QTest::newRow("untagged") << "untagged.text"
                                  << "Untagged design";
        QTest::newRow("file dialog title") << "fileDialog.windowTitle"
                                           << "Save server log";
        QTest::newRow("track bar tip") << "slider.toolTip"
                                       << "Slide";
    }

    void translate()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        TFTLanguage language(writeFile("0=English|1000:9;\n"
                                       "1000=never shown\n1001=Monitor\n1002=Server\n1003=Phrases\n"
                                       "1012=Tip twelve\n1020=First\n1021=Second\n1030=Edited\n1031=Checked\n"
                                       "1040=Columns\n1041=Write access\n1042=Backup\n1043=Nested\n"
                                       "1044=Excluded\n1045=Slide\n1054=File Mode\n1055=Central\n1056=Local\n"
                                       "1060={HINT}12\n1172=Save server log\n1174=Refresh{HINT}175\n"
                                       "1175=Fetch#13again\n1340=Do not check\n1341=Important\n"
                                       "1342=Minor\n1343=Experimental\n1500=Wizard\n"));
        auto window = makeWindow(language);
        language.Translate(window.get());
        QCOMPARE(readBack(window.get(), path), expected);
        QVERIFY(MessageBox::history().isEmpty());
    }

    void lineBreakShowsAsTwoLines()
    {
        TFTLanguage language(writeFile("0=English|1000:9;\n1001=First line#13Second line\n1002=One line\n"));
        QWidget window;
        auto* twoLines = new QLabel(QStringLiteral("design"), &window);
        auto* oneLine = new QLabel(QStringLiteral("design"), &window);
        TFTLanguage::setTag(twoLines, 1);
        TFTLanguage::setTag(oneLine, 2);
        language.Translate(&window);
        QVERIFY(twoLines->sizeHint().height() >= 2 * oneLine->sizeHint().height() - 2);
    }

    void locale_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("chosen");
        const QByteArray withFrench = "English|1000:9;Deutsch|2000:7;Francais|3000:12;";
        const QByteArray withoutFrench = "English|1000:9;Deutsch|2000:7;";
        QTest::newRow("French listed") << withFrench << "fr_FR"
                                       << "Francais";
        QTest::newRow("French not listed: first") << withoutFrench << "fr_FR"
                                                  << "English";
        QTest::newRow("German") << withoutFrench << "de_DE"
                                << "Deutsch";
        QTest::newRow("Austrian German") << withoutFrench << "de_AT"
                                         << "Deutsch";
        QTest::newRow("C locale: first") << QByteArray("Deutsch|2000:7;English|1000:9;") << "C"
                                         << "Deutsch";
        QTest::newRow("unknown language: first") << withoutFrench << "sw_KE"
                                                 << "English";
        QTest::newRow("no languages") << QByteArray("none") << "de_DE"
                                      << "";
    }

    void locale()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, locale);
        QFETCH(QString, chosen);
        TFTLanguage language(writeFile("0=" + list + "\n"));
        language.chooseLanguageFromLocale(locale);
        QCOMPARE(language.CurLanguageName(), chosen);
    }

    void primaryLanguageIds_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("id");
        const QList<QPair<const char*, int>> rows = {
            {"en_US", 9},  {"en_GB", 9},  {"de_DE", 7},  {"fr_CA", 12}, {"es_ES", 10}, {"it_IT", 16},
            {"nl_NL", 19}, {"da_DK", 6},  {"sv_SE", 29}, {"nb_NO", 20}, {"nn_NO", 20}, {"fi_FI", 11},
            {"pl_PL", 21}, {"pt_BR", 22}, {"cs_CZ", 5},  {"ru_RU", 25}, {"C", 0},
        };
        for (const auto& [locale, id] : rows) {
            QTest::newRow(locale) << QString::fromLatin1(locale) << id;
        }
    }

    void primaryLanguageIds()
    {
        QFETCH(QString, locale);
        QFETCH(int, id);
        QCOMPARE(TFTLanguage::primaryLanguageId(locale), id);
    }

    void systemLocaleFromEnvironment_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("id");
        QTest::newRow("LANGUAGE first") << QStringList{"LANGUAGE=de_DE:en", "LC_ALL=fr_FR.UTF-8"} << 7;
        QTest::newRow("LC_ALL before LANG") << QStringList{"LC_ALL=es_ES.UTF-8", "LANG=de_DE.UTF-8"} << 10;
        QTest::newRow("LC_MESSAGES before LANG")
            << QStringList{"LC_MESSAGES=fr_FR.UTF-8", "LANG=de_DE.UTF-8"} << 12;
        QTest::newRow("LANG alone") << QStringList{"LANG=it_IT.UTF-8"} << 16;
    }

    // The system locale is read once per process, so each case runs in a child.
    void systemLocaleFromEnvironment()
    {
        QFETCH(QStringList, environment);
        QFETCH(int, id);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            env.remove(QString::fromLatin1(name));
        }
        for (const QString& entry : environment) {
            env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        }
        env.insert(QStringLiteral("I18N_PRINT_SYSTEM_LANGUAGE"), QStringLiteral("1"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.readAllStandardOutput().trimmed().toInt(), id);
    }

    // The update check fetches texts on its own thread while the window uses them.
    void concurrentReads()
    {
        TFTLanguage language(writeFile("0=English|1000:9;\n1609=Connected#13to the server\n"));
        std::atomic<int> wrong{0};
        auto reader = [&] {
            for (int i = 0; i < 2000; ++i) {
                if (language.TranslateStr(609) != QStringLiteral("Connected\nto the server")) {
                    ++wrong;
                }
            }
        };
        std::thread a(reader), b(reader);
        reader();
        a.join();
        b.join();
        QCOMPARE(wrong.load(), 0);
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("goodFirst");
        QTest::addColumn<QString>("box");
        QTest::newRow("missing") << "missing" << false << "Source Dll not Found!";
        QTest::newRow("missing after a good one") << "missing" << true << "Source Dll not Found!";
        QTest::newRow("directory") << "directory" << false << "Source Dll not Found!";
        QTest::newRow("empty") << "empty" << false << "Error reading from language DLL.";
        QTest::newRow("no string 0 after a good one")
            << "noList" << true << "Error reading from language DLL.";
        QTest::newRow("binary") << "binary" << false << "Error reading from language DLL.";
        QTest::newRow("one 5 MB line") << "hugeLine" << false << "Error reading from language DLL.";
        QTest::newRow("empty source") << "emptySource" << false << "Language data not found!";
    }

    void badFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, goodFirst);
        QFETCH(QString, box);
        TFTLanguage language(goodFirst ? writeFile("0=English|1000:9;\n1001=Translated\n", "good.txt")
                                       : QString());
        QString path;
        if (kind == u"missing") {
            path = m_dir.filePath(QStringLiteral("no-such-file.txt"));
        } else if (kind == u"directory") {
            path = m_dir.path();
        } else if (kind == u"empty") {
            path = writeFile(QByteArray());
        } else if (kind == u"noList") {
            path = writeFile("1001=text without a list\n");
        } else if (kind == u"binary") {
            QByteArray bytes(256 * 1024, '\0');
            for (int i = 0; i < bytes.size(); ++i) {
                bytes[i] = char((i * 7919 + i / 13) % 256);
            }
            path = writeFile(bytes);
        } else if (kind == u"hugeLine") {
            path = writeFile(QByteArray(5 * 1024 * 1024, 'x'));
        }
        MessageBox::clearHistory();
        language.setSource(path);

        const QList<MessageBox::Shown> shown = MessageBox::history();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, box);
        QCOMPARE(shown[0].icon, MessageBox::Critical);
        QCOMPARE(shown[0].buttons, MessageBox::Buttons(MessageBox::Ok));
        QCOMPARE(language.TranslateStr(1), QString());
        QWidget window;
        auto* label = new QLabel(QStringLiteral("Design"), &window);
        TFTLanguage::setTag(label, 1);
        language.Translate(&window);
        QCOMPARE(label->text(), QStringLiteral("Design"));
        QCOMPARE(language.GetCaption(1, QStringLiteral("Design")), QStringLiteral("Design"));
    }

    void emptyNameAtStartShowsNothing()
    {
        TFTLanguage language;
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(language.LanguageCount(), 0);
        QCOMPARE(language.CurLanguageIDStr(), QStringLiteral("09"));
        QCOMPARE(language.TranslateStr(609), QString());
    }

    void longLinesAreCutAndReadingGoesOn()
    {
        const QByteArray huge(5 * 1024 * 1024, 'y');
        TFTLanguage language(writeFile("\xEF\xBB\xBF"
                                       "0=English|1000:9;\r\n# comment\r\n\r\n1001=" +
                                       huge + "\r\n1002=after\r\n1003=" + QByteArray(1030, 'z') +
                                       "\n1004=\xC3\xA4\xFF tail\n"));
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(language.TranslateStr(1), QString(1024, u'y'));
        QCOMPARE(language.TranslateStr(2), QStringLiteral("after"));
        QCOMPARE(language.TranslateStr(3), QString(1024, u'z'));
        QCOMPARE(language.TranslateStr(4), QString::fromUtf8("\xC3\xA4\xEF\xBF\xBD tail"));
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("I18N_PRINT_SYSTEM_LANGUAGE")) {
        QCoreApplication app(argc, argv);
        std::printf("%d\n", TFTLanguage::primaryLanguageId(QString()));
        return 0;
    }
    QApplication app(argc, argv);
    TstFTLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ftlanguage.moc"
