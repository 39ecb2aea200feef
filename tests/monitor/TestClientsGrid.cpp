#include "GridFixture.h"
#include "i18n/FTLanguage.h"
#include "ui/MessageBox.h"

#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

class TestClientsGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void defaultLayout();
    void layoutWithoutNameColumnFallsBack();
    void burstBecomesRowsTogether();
    void dragWriteColumnToEnd();
    void headerButtonHidesWhenScrolledOut();
    void resizeRules_data();
    void resizeRules();
    void hideAndShowGivesDefaultWidth();
    void statisticsColumnsFollowDoStats();
    void serverSwitchesStatisticsOff();
    void statisticsItemsInertWhileDisconnected();
    void popupOnlyFromHeader();
    void rightsHeaderDoesNotSort();
    void greyRowsAlsoWhenSelected();
    void headerHints();

private:
    QAction* item(GridFixture& f, const char* name) { return f.grid->ColPopup()->findChild<QAction*>(name); }
};

void TestClientsGrid::initTestCase()
{
    MessageBox::setTestMode(true);
    loadStringTable();
}

void TestClientsGrid::init()
{
    MessageBox::clearHistory();
}

void TestClientsGrid::defaultLayout()
{
    GridFixture f;
    QCOMPARE(f.grid->objectName(), QString("ClientsList"));
    const std::array<int, 8> order{CK_Write, CK_Config, CK_Status,    CK_IP,
                                   CK_Comp,  CK_Ver,    CK_TimeSaved, CK_MoneySaved};
    for (int pos = 0; pos < 8; ++pos)
        QCOMPARE(f.grid->ColumnOfKind(order[size_t(pos)]), pos);
    QCOMPARE(f.grid->widthAt(0), 65);
    QCOMPARE(f.grid->widthAt(1), 65);
    QCOMPARE(f.grid->widthAt(2), 100);
    QCOMPARE(f.grid->widthAt(5), 55);
    QCOMPARE(f.grid->widthAt(7), 0);
    QVERIFY(f.monitor.fDoStats());
    QCOMPARE(f.grid->header()->sortIndicatorSection(), int(CK_Status));
    QCOMPARE(f.grid->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(f.grid->header()->font().bold(), true);
    QCOMPARE(f.grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(f.grid->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(f.monitor.model().headerData(CK_Comp, Qt::Horizontal).toString(), tr_id(25));

    // No dynamic sort: rows stay in arrival order, the first one gets selected.
    f.add("PC-B", false);
    f.add("PC-A", true);
    f.add("PC-C", true, true);
    QCOMPARE(f.rowNames(), (QStringList{"PC-B", "PC-A", "PC-C"}));
    QCOMPARE(f.grid->rowHeight(0), 21);
    QCOMPARE(f.grid->selectedRecordsBottomUp(), std::vector<int>{0});

    QPushButton* button = f.grid->SetWriteBtn();
    QVERIFY(button->isVisible());
    QCOMPARE(button->size(), QSize(30, 15));
    QCOMPARE(button->text(), tr_id(22));
    QCOMPARE(button->x(), 65 - 30 - 4);
    QCOMPARE(f.grid->SetConfigBtn()->x(), 65 + 65 - 30 - 4);
    QVERIFY(f.grid->header()->checkBoxRect(CK_Write).right() < button->x());

    const ColumnLayout stored = f.grid->columnLayout();
    QCOMPARE(stored.ColTypesAr, ColumnLayout().ColTypesAr);
    QCOMPARE(stored.sortPosition, 2);
    QVERIFY(stored.sortAscending);
}

void TestClientsGrid::layoutWithoutNameColumnFallsBack()
{
    ColumnLayout layout;
    layout.ColTypesAr = {CK_Write, CK_Config, CK_Status, CK_IP, CK_IP, CK_Ver, CK_TimeSaved, CK_MoneySaved};
    layout.ColSizesAr[CK_Ver] = 90;
    GridFixture f(layout);
    QCOMPARE(f.grid->columnLayout().ColTypesAr, ColumnLayout().ColTypesAr);
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(CK_Ver)), 90);
    f.add("PC1");
    QCOMPARE(f.grid->ClientIndexOfRow(0), 0);
}

void TestClientsGrid::burstBecomesRowsTogether()
{
    GridFixture f;
    QSignalSpy inserted(f.grid->model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 100; ++i)
        f.add(QStringLiteral("PC%1").arg(i));
    f.monitor.handleReply(RC_stats, "pc7;7500;3;");
    f.monitor.handleReply(RC_cldel, "PC9");
    QCOMPARE(f.monitor.fclCount(), 100);
    QTRY_COMPARE(f.grid->model()->rowCount(), 100);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(f.grid->selectedRecordsBottomUp(), std::vector<int>{0});
    QCOMPARE(f.grid->model()->index(7, CK_TimeSaved).data().toString(), QString("2h 5m"));
    QCOMPARE(f.grid->model()->index(9, CK_Status).data().toString(), tr_id(41));
    QTRY_VERIFY(f.host.totals.contains("3h 44m")); // 99 × 60 s + 7500 s
}

void TestClientsGrid::dragWriteColumnToEnd()
{
    GridFixture f;
    f.add("PC1", true, false, true, false);
    f.add("PC2", true, false, false, true);
    f.add("PC3", true, false, true, true);
    ClientsHeader* header = f.grid->header();
    header->moveSection(0, 7); // what a drag does

    const ColumnLayout layout = f.grid->columnLayout();
    QCOMPARE(layout.ColTypesAr, (std::array<int, 8>{CK_Config, CK_Status, CK_IP, CK_Comp, CK_Ver,
                                                    CK_TimeSaved, CK_MoneySaved, CK_Write}));
    for (const QString comp : {"PC1", "PC2", "PC3"}) {
        const int row = f.rowOf(comp);
        auto stateAt = [&](int pos) {
            return f.monitor.model().index(row, header->logicalIndex(pos)).data(Qt::CheckStateRole);
        };
        QCOMPARE(stateAt(7).toInt() == Qt::Checked, f.rec(comp).CanWrite);
        QCOMPARE(stateAt(0).toInt() == Qt::Checked, f.rec(comp).CanConfig);
        QVERIFY(!stateAt(1).isValid());
    }
    const int left = header->sectionViewportPosition(CK_Write);
    QCOMPARE(f.grid->SetWriteBtn()->x(), left + 65 - 34);
    QVERIFY(f.grid->SetWriteBtn()->isVisible());
    QCOMPARE(header->checkBoxRect(CK_Write).left(), left + 4);
    QCOMPARE(f.grid->SetConfigBtn()->x(), 65 - 34);

    // The moved box still acts on write access.
    f.clickCheckBox("PC2", CK_Write);
    QCOMPARE(f.host.commands, QStringList{"setwrite:PC2"});
}

void TestClientsGrid::headerButtonHidesWhenScrolledOut()
{
    GridFixture f(ColumnLayout(), 300);
    f.add("PC1");
    QVERIFY(f.grid->SetWriteBtn()->isVisible());
    f.grid->horizontalScrollBar()->setValue(f.grid->horizontalScrollBar()->maximum());
    QVERIFY(f.grid->horizontalScrollBar()->value() > 0);
    QVERIFY(!f.grid->SetWriteBtn()->isVisible());
    f.grid->horizontalScrollBar()->setValue(0);
    QVERIFY(f.grid->SetWriteBtn()->isVisible());
}

void TestClientsGrid::resizeRules_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("width");
    QTest::newRow("IP to 20") << int(CK_IP) << 20 << 70;
    QTest::newRow("IP to 150") << int(CK_IP) << 150 << 150;
    QTest::newRow("version to 69") << int(CK_Ver) << 69 << 70;
    QTest::newRow("write access to 20") << int(CK_Write) << 20 << 65;
    QTest::newRow("config access to 200") << int(CK_Config) << 200 << 65;
}

void TestClientsGrid::resizeRules()
{
    QFETCH(int, kind);
    QFETCH(int, requested);
    QFETCH(int, width);
    GridFixture f;
    f.grid->header()->resizeSection(kind, requested);
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(kind)), width);
    QCOMPARE(f.grid->columnLayout().ColSizesAr[size_t(kind)], ColumnLayout::isRights(kind) ? 65 : width);
}

void TestClientsGrid::hideAndShowGivesDefaultWidth()
{
    GridFixture f;
    f.grid->header()->resizeSection(CK_Ver, 120);
    QAction* ver = item(f, "VerMenu");
    ver->trigger();
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(CK_Ver)), 0);
    QVERIFY(!f.grid->columnLayout().ColVisAr[CK_Ver]);
    QVERIFY(!ver->isChecked());
    ver->trigger();
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(CK_Ver)), 55);
    QVERIFY(ver->isChecked());
    QVERIFY(f.host.commands.isEmpty());
}

void TestClientsGrid::statisticsColumnsFollowDoStats()
{
    ColumnLayout layout;
    layout.ColVisAr[CK_TimeSaved] = false;
    GridFixture f(layout);
    QVERIFY(!f.monitor.fDoStats());

    item(f, "MSMenu")->trigger();
    QVERIFY(f.monitor.fDoStats());
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(CK_MoneySaved)), 100);
    item(f, "TSMenu")->trigger();
    QCOMPARE(f.host.commands, QStringList{"setdostats:1"});
    item(f, "MSMenu")->trigger();
    QVERIFY(f.monitor.fDoStats());
    item(f, "TSMenu")->trigger();
    QVERIFY(!f.monitor.fDoStats());
    QCOMPARE(f.host.commands, (QStringList{"setdostats:1", "setdostats:0"}));
    QCOMPARE(f.host.doStatsSettings, (QList<bool>{true, false}));
}

void TestClientsGrid::serverSwitchesStatisticsOff()
{
    ColumnLayout layout;
    layout.ColVisAr[CK_MoneySaved] = true;
    GridFixture f(layout);
    QVERIFY(f.grid->widthAt(f.grid->ColumnOfKind(CK_MoneySaved)) > 0);
    QVERIFY(f.monitor.handleReply(RC_getdostats, "0"));
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(CK_TimeSaved)), 0);
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(CK_MoneySaved)), 0);
    QCOMPARE(f.host.commands, QStringList{"setdostats:0"});

    // Switched back on by the server: no column appears, the console answers.
    f.monitor.handleReply(RC_getdostats, "1");
    QVERIFY(f.monitor.fDoStats());
    QCOMPARE(f.grid->widthAt(f.grid->ColumnOfKind(CK_TimeSaved)), 0);
    QCOMPARE(f.host.commands, (QStringList{"setdostats:0", "setdostats:1"}));
}

void TestClientsGrid::statisticsItemsInertWhileDisconnected()
{
    GridFixture f;
    f.host.connected = false;
    QAction* ts = item(f, "TSMenu");
    emit f.grid->ColPopup()->aboutToShow();
    QVERIFY(ts->isChecked());
    QVERIFY(!ts->isEnabled());
    QVERIFY(item(f, "IPMenu")->isEnabled());
    f.grid->columnChooserClicked(ts);
    QVERIFY(ts->isChecked());
    QVERIFY(f.grid->widthAt(f.grid->ColumnOfKind(CK_TimeSaved)) > 0);
    QVERIFY(f.monitor.fDoStats());
    QVERIFY(f.host.commands.isEmpty());
    // Items that are no column kind do nothing.
    QAction stranger("x");
    stranger.setObjectName("OtherMenu");
    f.grid->columnChooserClicked(&stranger);
    f.grid->columnChooserClicked(f.grid.get());
    QCOMPARE(f.grid->columnLayout().ColVisAr, ColumnLayout().ColVisAr);
}

void TestClientsGrid::popupOnlyFromHeader()
{
    GridFixture f;
    f.add("PC1");
    QMenu* popup = f.grid->ColPopup();
    QVERIFY(!item(f, "WAMenu")->isVisible());
    QVERIFY(!item(f, "CNMenu")->isVisible());
    QVERIFY(!item(f, "StatMenu")->isVisible());
    QCOMPARE(item(f, "StatMenu")->text(), tr_id(33));
    QCOMPARE(item(f, "VerMenu")->text(), tr_id(27));

    const QRect rowRect = f.grid->visualRect(f.monitor.model().index(0, CK_IP));
    QTest::mouseClick(f.grid->viewport(), Qt::RightButton, {}, rowRect.center());
    QVERIFY(!popup->isVisible());
    QTest::mouseClick(f.grid->header()->viewport(), Qt::RightButton, {}, f.headerPoint(CK_IP, 20));
    QTRY_VERIFY(popup->isVisible());
    QVERIFY(item(f, "IPMenu")->isChecked());
    QVERIFY(!item(f, "MSMenu")->isChecked());
    popup->close();
}

void TestClientsGrid::rightsHeaderDoesNotSort()
{
    GridFixture f;
    f.add("PC-B", true, false, false);
    f.add("PC-A", true, false, true);
    f.add("PC-C", true, false, false);
    QHeaderView* header = f.grid->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, f.headerPoint(CK_Write, 24));
    QCOMPARE(f.rowNames(), (QStringList{"PC-B", "PC-A", "PC-C"}));
    QCOMPARE(header->sortIndicatorSection(), int(CK_Status));
    QVERIFY(f.host.commands.isEmpty());

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, f.headerPoint(CK_Comp, 30));
    QCOMPARE(header->sortIndicatorSection(), int(CK_Comp));
    QCOMPARE(f.rowNames(), (QStringList{"PC-A", "PC-B", "PC-C"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, f.headerPoint(CK_Comp, 30));
    QCOMPARE(f.rowNames(), (QStringList{"PC-C", "PC-B", "PC-A"}));
    QCOMPARE(f.grid->columnLayout().sortPosition, f.grid->ColumnOfKind(CK_Comp));
    QVERIFY(!f.grid->columnLayout().sortAscending);

    // Rows found by name after sorting; a new client goes to the bottom.
    f.monitor.handleReply(RC_cldel, "PC-A");
    QCOMPARE(f.monitor.model().index(2, CK_Status).data().toString(), tr_id(41));
    f.add("PC-0");
    QCOMPARE(f.rowNames().last(), QString("PC-0"));
}

void TestClientsGrid::greyRowsAlsoWhenSelected()
{
    GridFixture f;
    f.add("ON", true);
    f.add("OFF", false);
    f.select({"ON", "OFF"});
    auto* delegate = static_cast<ClientsDelegate*>(f.grid->itemDelegate());
    for (const auto& [comp, colour] :
         {qMakePair(QString("ON"), QColor(Qt::black)), qMakePair(QString("OFF"), QColor(128, 128, 128))}) {
        QStyleOptionViewItem option;
        option.state |= QStyle::State_Selected;
        delegate->initStyleOption(&option, f.monitor.model().index(f.rowOf(comp), CK_Comp));
        QCOMPARE(option.palette.color(QPalette::Active, QPalette::HighlightedText), colour);
        QCOMPARE(option.palette.color(QPalette::Inactive, QPalette::HighlightedText), colour);
        QCOMPARE(option.palette.color(QPalette::Active, QPalette::Text), colour);
    }
    // The colour follows the record when the client goes away.
    f.monitor.handleReply(RC_cldel, "ON");
    QStyleOptionViewItem option;
    delegate->initStyleOption(&option, f.monitor.model().index(f.rowOf("ON"), CK_IP));
    QCOMPARE(option.palette.color(QPalette::Active, QPalette::HighlightedText), QColor(128, 128, 128));
}

void TestClientsGrid::headerHints()
{
    GridFixture f;
    QCOMPARE(f.grid->header()->hintAt(f.headerPoint(CK_Write, 10)), tr_id(28));
    QCOMPARE(f.grid->header()->hintAt(f.headerPoint(CK_Config, 50)), tr_id(29));
    QCOMPARE(f.grid->header()->hintAt(f.headerPoint(CK_IP, 10)), QString());
    f.grid->header()->moveSection(f.grid->ColumnOfKind(CK_Config), 5);
    QCOMPARE(f.grid->header()->hintAt(f.headerPoint(CK_Config, 10)), tr_id(29));
}

QTEST_MAIN(TestClientsGrid)
#include "TestClientsGrid.moc"
