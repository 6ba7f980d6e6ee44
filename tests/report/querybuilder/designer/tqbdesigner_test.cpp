// The query builder window offscreen over an SQLite fixture: inserting
// and closing boxes, ticking fields, dragging links, the grid's editors,
// the SQL and Result pages, links' popup, and the host's dialog.
#include "report/querybuilder/designer/tqbdesigner.h"

#include "platform/registryini.h"

#include "qbfixture.h"
#include "tests/support/qstringprint.h"
#include "report/editors/tqbsyntaxmemo.h"
#include "report/querybuilder/designer/tqbdialog.h"
#include "report/querybuilder/designer/tqbgrid.h"
#include "report/querybuilder/designer/tqblinkform.h"
#include "report/querybuilder/designer/tqblists.h"
#include "report/querybuilder/designer/tqbtable.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "report/querybuilder/tqbcore.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/tempdataroot.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace bralvo::report;

namespace {

const QString kExpectedSql = "SELECT C.Company, SUM(O.AmountPaid)\r\n"
                             "FROM\r\n"
                             "    Customer C\r\n"
                             "    INNER JOIN Orders O ON (C.CustNo=O.CustNo)\r\n"
                             "GROUP BY C.Company\r\n"
                             "ORDER BY C.Company\r\n";

class Designer : public ::testing::Test {
protected:
    void SetUp() override
    {
        qbCore().SetEngine(&sqlite.engine);
        qbCore().Clear();
        designer = std::make_unique<TqbDesigner>();
        designer->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(designer.get()));
    }
    void TearDown() override
    {
        designer.reset();
        qbCore().Clear();
        qbCore().SetEngine(nullptr);
    }

    TqbTableArea *area() const { return designer->TableArea(); }
    TqbGrid *grid() const { return designer->Grid(); }

    static QPoint itemCentre(QListWidget *list, int row)
    {
        return list->visualItemRect(list->item(row)).center();
    }
    void doubleClickTable(const QString &name)
    {
        QListWidget *list = designer->TableList();
        const int row = list->row(list->findItems(name, Qt::MatchExactly).value(0));
        ASSERT_GE(row, 0) << name.toStdString();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, itemCentre(list, row));
    }
    static int fieldRow(ui::TqbTable *box, const QString &field)
    {
        for (int i = 0; i < box->FieldList()->count(); ++i)
            if (box->FieldList()->item(i)->text().startsWith(field + " ("))
                return i;
        return -1;
    }
    static void tick(ui::TqbTable *box, const QString &field, bool on = true)
    {
        box->FieldList()->item(fieldRow(box, field))->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    // A real drag: press on the source item, move over the target, release.
    static void drag(QListWidget *from, int fromRow, QWidget *to, QPoint toPoint)
    {
        QWidget *source = from->viewport();
        const QPoint start = itemCentre(from, fromRow);
        QTest::mousePress(source, Qt::LeftButton, {}, start);
        QTest::mouseMove(source, start + QPoint(12, 0));
        const QPoint over = source->mapFromGlobal(to->mapToGlobal(toPoint));
        QTest::mouseMove(source, over);
        QTest::mouseRelease(source, Qt::LeftButton, {}, over);
    }
    void selectRow(int row) { grid()->setCurrentItem(grid()->topLevelItem(row)); }
    QComboBox *editor(int tag) const { return qobject_cast<QComboBox *>(grid()->Editor(tag)); }

    bralvo::test::TempDataRoot home;
    QbFixtureFile file;
    QbFileEngine sqlite{file.path};
    std::unique_ptr<TqbDesigner> designer;
};

} // namespace

TEST_F(Designer, WindowLayoutAndTexts)
{
    EXPECT_EQ(designer->objectName(), "qbDesigner");
    EXPECT_EQ(designer->windowTitle(), "Rida Zuzir Evavide  Designer");
    EXPECT_EQ(designer->Pages()->tabText(0), "Model");
    EXPECT_EQ(designer->Pages()->tabText(1), "SQL");
    EXPECT_EQ(designer->Pages()->tabText(2), "Result");
    EXPECT_EQ(grid()->headerItem()->text(0), "Collumn");
    EXPECT_EQ(designer->TableList()->count(), 2);
    EXPECT_TRUE(designer->Memo()->ReadOnly());
}

TEST_F(Designer, SameTableTwiceGetsItsOwnAliasAndCascades)
{
    doubleClickTable("Customer");
    doubleClickTable("Customer");
    ASSERT_EQ(area()->Boxes().size(), 2);
    EXPECT_EQ(area()->Boxes().at(0)->Title()->text().trimmed(), "Customer - C");
    EXPECT_EQ(area()->Boxes().at(1)->Title()->text().trimmed(), "Customer - C1");
    EXPECT_EQ(area()->Boxes().at(0)->pos(), QPoint(15, 15));
    EXPECT_EQ(area()->Boxes().at(1)->pos(), QPoint(30, 30));
    EXPECT_EQ(area()->CascadePosition(), QPoint(45, 45));
}

TEST_F(Designer, DraggingATableOntoTheAreaInsertsItThere)
{
    drag(designer->TableList(), 1, area(), QPoint(200, 60));
    ASSERT_EQ(area()->Boxes().size(), 1);
    EXPECT_EQ(area()->Boxes().at(0)->TableName(), "Orders");
    EXPECT_EQ(area()->Boxes().at(0)->pos(), QPoint(200, 60));
    drag(designer->TableList(), 0, grid(), QPoint(5, 5)); // the grid takes no tables
    EXPECT_EQ(area()->Boxes().size(), 1);
}

TEST_F(Designer, TickingAddsRowsAndClosingOneBoxKeepsTheOther)
{
    doubleClickTable("Customer");
    doubleClickTable("Customer");
    ui::TqbTable *c = area()->Boxes().at(0), *c1 = area()->Boxes().at(1);
    tick(c, "Company");
    tick(c1, "Company");
    tick(c1, "CustNo");
    ASSERT_EQ(grid()->topLevelItemCount(), 3);
    tick(c1, "CustNo", false);
    EXPECT_EQ(grid()->topLevelItemCount(), 2);
    QTest::mouseClick(c->CloseButton(), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(area()->Boxes().size(), 1);
    ASSERT_EQ(qbCore().Model().Rows.size(), 1);
    EXPECT_EQ(qbCore().Model().Rows.at(0).alias, "C1");
    EXPECT_EQ(grid()->topLevelItem(0)->text(0), "Company");
}

TEST_F(Designer, LinksNeedCompatibleFieldTypes)
{
    doubleClickTable("Customer");
    doubleClickTable("Orders");
    ui::TqbTable *c = area()->Boxes().at(0), *o = area()->Boxes().at(1);
    o->move(220, 15);
    struct Case {
        const char *from, *onto;
        bool linked;
    };
    const Case cases[] = {
        {"LastDate", "SaleDate", true},  // Date onto DateTime
        {"LastDate", "OrderNo", false},  // Date onto Integer
        {"Company", "OrderNo", false},   // String onto Integer
    };
    for (const Case &k : cases) {
        const int before = int(qbCore().Model().Links.size());
        drag(c->FieldList(), fieldRow(c, k.from), o->FieldList(),
             itemCentre(o->FieldList(), fieldRow(o, k.onto)));
        EXPECT_EQ(qbCore().Model().Links.size() - before, k.linked ? 1 : 0) << k.from << " onto " << k.onto;
    }
    // Largeint onto String, checked on the drop target alone.
    o->FieldList()->setCurrentRow(fieldRow(o, "Items"));
    EXPECT_FALSE(c->FieldList()->CanDrop(o->FieldList(), c->FieldList()->viewport()->mapTo(
                     c->FieldList(), itemCentre(c->FieldList(), fieldRow(c, "Company")))));
}

TEST_F(Designer, GridEditorsWriteTheRecords)
{
    doubleClickTable("Orders");
    tick(area()->Boxes().at(0), "AmountPaid");
    selectRow(0);
    ASSERT_TRUE(editor(1)->isVisible());
    editor(1)->setCurrentIndex(1);
    EXPECT_EQ(grid()->topLevelItem(0)->text(1), "Not Visible");
    EXPECT_FALSE(qbCore().Model().Rows.at(0).visible);
    editor(3)->setCurrentIndex(2);
    EXPECT_EQ(qbCore().Model().Rows.at(0).sort, 2);
    EXPECT_EQ(grid()->topLevelItem(0)->text(3), "Descending");
    editor(3)->setCurrentIndex(0); // "No"
    EXPECT_EQ(qbCore().Model().Rows.at(0).sort, 0);
    EXPECT_EQ(grid()->topLevelItem(0)->text(3), "");
    auto *where = qobject_cast<TqbEdit *>(grid()->Editor(2));
    QTest::keyClicks(where, "> 5");
    EXPECT_EQ(qbCore().Model().Rows.at(0).where, "> 5");
    EXPECT_FALSE(where->PanelVisible());
}

TEST_F(Designer, RowsMoveUpAndDown)
{
    doubleClickTable("Customer");
    tick(area()->Boxes().at(0), "CustNo");
    tick(area()->Boxes().at(0), "Company");
    selectRow(1);
    grid()->MoveRow(-1);
    EXPECT_EQ(qbCore().Model().Rows.at(0).field, "Company");
    EXPECT_EQ(grid()->topLevelItem(0)->text(0), "Company");
    EXPECT_EQ(grid()->indexOfTopLevelItem(grid()->currentItem()), 0);
}

TEST_F(Designer, ScriptedSessionGivesTheSqlAndTheRows)
{
    doubleClickTable("Customer");
    doubleClickTable("Orders");
    ui::TqbTable *c = area()->Boxes().at(0), *o = area()->Boxes().at(1);
    o->move(220, 15);
    tick(c, "Company");
    tick(o, "AmountPaid");
    drag(c->FieldList(), fieldRow(c, "CustNo"), o->FieldList(), itemCentre(o->FieldList(), fieldRow(o, "CustNo")));
    ASSERT_EQ(qbCore().Model().Links.size(), 1);
    selectRow(0);
    editor(3)->setCurrentIndex(1); // ascending
    editor(5)->setCurrentIndex(1); // grouping
    selectRow(1);
    editor(4)->setCurrentIndex(5); // SUM
    designer->Pages()->setCurrentIndex(1);
    EXPECT_EQ(designer->Memo()->Text(), kExpectedSql);
    designer->Pages()->setCurrentIndex(2);
    const QAbstractItemModel *rows = designer->ResultGrid()->model();
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->index(0, 0).data().toString(), "Alpha");
    EXPECT_EQ(rows->index(0, 1).data().toString(), "14.75");
    EXPECT_EQ(rows->index(1, 0).data().toString(), "Beta");
    EXPECT_EQ(rows->index(1, 1).data().toString(), "7.5");
    designer->Pages()->setCurrentIndex(0);
    EXPECT_EQ(rows->rowCount(), 0);
}

TEST_F(Designer, ClickingALinkOffersOptionsAndDelete)
{
    doubleClickTable("Customer");
    doubleClickTable("Orders");
    area()->Boxes().at(1)->move(260, 15);
    area()->AddLink(area()->Boxes().at(0), 1, area()->Boxes().at(1), 2);
    const QList<QPoint> pts = area()->LinkPoints(0);
    const QPoint middle = (pts.first() + pts.last()) / 2;
    QTest::mouseClick(area(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(area()->SelectedLink(), 0);
    auto *menu = area()->findChild<QMenu *>("LinkMenu");
    ASSERT_NE(menu, nullptr);
    QTimer::singleShot(0, [] {
        auto *form = qobject_cast<TqbLinkForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), "Link Options");
        EXPECT_EQ(form->findChild<QLineEdit *>("Text1")->text(), "Customer");
        EXPECT_EQ(form->findChild<QLineEdit *>("Text2")->text(), "CustNo");
        EXPECT_EQ(form->findChild<QLineEdit *>("Text3")->text(), "Orders");
        EXPECT_EQ(form->findChild<QLineEdit *>("Text4")->text(), "CustNo");
        form->SetJOperator(5);
        form->SetJType(1);
        form->accept();
    });
    menu->actions().at(0)->trigger();
    EXPECT_EQ(qbCore().Model().Links.at(0).JOperator, 5);
    EXPECT_EQ(qbCore().Model().Links.at(0).JType, 1);
    menu->actions().at(1)->trigger();
    EXPECT_TRUE(qbCore().Model().Links.isEmpty());
}

TEST_F(Designer, EngineErrorsReachTheUserAndTheWindowStays)
{
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    sqlite.engine.SetSQL(QString());
    designer->Pages()->setCurrentIndex(2); // empty grid: nothing to run
    designer->Pages()->setCurrentIndex(0);
    // A broken query on the Result page.
    doubleClickTable("Customer");
    tick(area()->Boxes().at(0), "Company");
    qbCore().Model().Rows[0].where = "= = =";
    designer->Pages()->setCurrentIndex(2);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes().at(0).flags, 16);
    EXPECT_TRUE(designer->isVisible());
}

TEST(TqbDialog, RoundTripThroughTheHost)
{
    bralvo::test::TempDataRoot home;
    QbFixtureFile file;
    QbFileEngine sqlite(file.path);
    TqbDialog dialog;
    dialog.SetEngine(&sqlite.engine);
    dialog.SetSchemaInsideSQL(false);
    dialog.SetSQL(QString());
    dialog.SetSQLSchema(QString());
    TqbDialog::ModalHook() = [](TqbDesigner &d) {
        EXPECT_TRUE(d.TableArea()->Boxes().isEmpty());
        d.TableArea()->InsertTableCascade("Customer");
        d.TableArea()->Boxes().at(0)->FieldList()->item(2)->setCheckState(Qt::Checked);
        return true;
    };
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.SQL(), "SELECT C.Company\r\nFROM\r\n    Customer C\r\n\r\n");
    const QString schema = dialog.SQLSchema();
    EXPECT_FALSE(schema.isEmpty());
    // Opened again with the stored parts: the model comes back.
    TqbDialog again;
    again.SetEngine(&sqlite.engine);
    again.SetSchemaInsideSQL(false);
    again.SetSQL(dialog.SQL());
    again.SetSQLSchema(schema);
    TqbDialog::ModalHook() = [](TqbDesigner &d) {
        EXPECT_EQ(d.TableArea()->Boxes().size(), 1);
        EXPECT_TRUE(d.TableArea()->Boxes().at(0)->IsTicked(2));
        EXPECT_EQ(d.Grid()->topLevelItemCount(), 1);
        d.TableArea()->ClearAll();
        return true;
    };
    ASSERT_TRUE(again.Execute());
    EXPECT_EQ(again.SQL(), "");
    EXPECT_EQ(again.SQLSchema(), "");
    TqbDialog::ModalHook() = nullptr;
    qbCore().SetEngine(nullptr);
}

TEST_F(Designer, SaveToFileAndLoadItBack)
{
    doubleClickTable("Customer");
    doubleClickTable("Orders");
    tick(area()->Boxes().at(0), "Company");
    area()->AddLink(area()->Boxes().at(0), 1, area()->Boxes().at(1), 2);
    const QString file = home.path() + "model.sql";
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerSaveFile(file);
    designer->findChild<QAction *>("SaveB")->trigger();
    EXPECT_EQ(boxes.calls().at(0).request.defaultSuffix, "sql");
    designer->findChild<QAction *>("ClearB")->trigger();
    EXPECT_TRUE(area()->Boxes().isEmpty());
    EXPECT_EQ(grid()->topLevelItemCount(), 0);
    boxes.answerOpenFile(file);
    designer->findChild<QAction *>("OpenB")->trigger();
    ASSERT_EQ(area()->Boxes().size(), 2);
    EXPECT_TRUE(area()->Boxes().at(0)->IsTicked(2));
    EXPECT_EQ(qbCore().Model().Links.size(), 1);
    EXPECT_EQ(grid()->topLevelItem(0)->text(0), "Company");
}

TEST_F(Designer, WindowPositionIsKeptInTheSettingsStore)
{
    designer->setGeometry(40, 50, 700, 500);
    designer.reset();
    bralvo::platform::RegistryIniStore store(TqbDesigner::SettingsKeyPath());
    EXPECT_EQ(store.readInteger("qbDesigner", "Width", 0), 700);
    EXPECT_EQ(store.readInteger("qbDesigner", "Height", 0), 500);
    TqbDesigner again;
    EXPECT_EQ(again.size(), QSize(700, 500));
}

TEST_F(Designer, MinimisedBoxKeepsItsLinksOnItsEdge)
{
    doubleClickTable("Customer");
    doubleClickTable("Orders");
    ui::TqbTable *c = area()->Boxes().at(0), *o = area()->Boxes().at(1);
    o->move(260, 15);
    area()->AddLink(c, 2, o, 2);
    const int height = c->height();
    QTest::mouseClick(c->MinimiseButton(), Qt::LeftButton);
    EXPECT_EQ(c->height(), c->minimumHeight());
    const QList<QPoint> pts = area()->LinkPoints(0);
    EXPECT_TRUE(pts.first().y() == c->y() || pts.first().y() == c->y() + c->height() - 1) << pts.first().y();
    QTest::mouseClick(c->MinimiseButton(), Qt::LeftButton);
    EXPECT_EQ(c->height(), height);
    EXPECT_EQ(qbCore().Model().Tables.at(0).Height, height);
}

TEST_F(Designer, SelectingARowShowsItsFieldInItsBox)
{
    doubleClickTable("Customer");
    doubleClickTable("Orders");
    ui::TqbTable *c = area()->Boxes().at(0);
    tick(c, "Company");
    tick(area()->Boxes().at(1), "AmountPaid");
    tick(area()->Boxes().at(1), "OrderNo");
    c->FieldList()->setCurrentRow(0);
    selectRow(0);
    EXPECT_EQ(c->FieldList()->currentRow(), fieldRow(c, "Company"));
    EXPECT_EQ(area()->children().last(), c); // raised
}
