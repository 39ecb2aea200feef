#pragma once

#include "FakeMonitorHost.h"
#include "link/ReplyCodes.h"
#include "monitor/ClientMonitor.h"
#include "monitor/ClientsGrid.h"
#include "monitor/ClientsHeader.h"

#include <QAbstractItemModelTester>
#include <QStyleOptionViewItem>
#include <QtTest>
#include <memory>

// A monitor with its grid shown on the offscreen screen.
struct GridFixture
{
    explicit GridFixture(const ColumnLayout& layout = ColumnLayout(), int width = 800)
    {
        grid->SetupClientsGrid(layout);
        grid->resize(width, 300);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    }

    void add(const QString& comp, bool connected = true, bool blocked = false, bool canWrite = true,
             bool canConfig = true)
    {
        monitor.handleReply(RC_cladd, QStringLiteral("10.0.0.1;%1;%2;%3;8.0.21;60;1;%4;%5;")
                                          .arg(int(canWrite))
                                          .arg(int(canConfig))
                                          .arg(comp)
                                          .arg(int(connected))
                                          .arg(int(blocked)));
    }

    int rowOf(const QString& comp)
    {
        return monitor.model().rowOfRecord(monitor.cList().indexOfExactName(comp));
    }

    const ClientRec& rec(const QString& comp) const
    {
        return monitor.cList().at(monitor.cList().indexOfExactName(comp));
    }

    void select(const QStringList& comps)
    {
        monitor.model(); // rows of records still arriving come first
        grid->clearSelection();
        for (const QString& comp : comps)
            grid->selectionModel()->select(monitor.model().index(rowOf(comp), 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // Where the view draws a cell's check box, in viewport coordinates.
    QPoint checkBoxCentre(const QString& comp, int kind)
    {
        const QModelIndex index = monitor.model().index(rowOf(comp), kind);
        QStyleOptionViewItem option;
        option.initFrom(grid.get());
        static_cast<ClientsDelegate*>(grid->itemDelegate())->initStyleOption(&option, index);
        option.rect = grid->visualRect(index);
        return grid->style()
            ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, grid.get())
            .center();
    }

    void clickCheckBox(const QString& comp, int kind)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, checkBoxCentre(comp, kind));
    }

    QPoint headerPoint(int kind, int dx) const
    {
        return QPoint(grid->header()->sectionViewportPosition(kind) + dx, grid->header()->height() / 2);
    }

    QStringList rowNames()
    {
        QStringList names;
        for (int row = 0; row < monitor.model().rowCount(); ++row)
            names << monitor.cList().at(monitor.model().recordOfRow(row)).Comp;
        return names;
    }

    FakeMonitorHost host;
    ClientMonitor monitor{host};
    QAbstractItemModelTester tester{&monitor.model(), QAbstractItemModelTester::FailureReportingMode::QtTest};
    std::unique_ptr<ClientsGrid> grid = std::make_unique<ClientsGrid>(monitor, host);
};
