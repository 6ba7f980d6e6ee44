// A report that asks before it prints: a dialog page with a label, an
// edit, a lookup combo over an SQLite table, a check box and OK/Cancel,
// run through PrepareReport in real windows (offscreen) and driven as a
// user would: what was typed and chosen reaches the report's expressions,
// Cancel stops the preparation, and every event reaches its script
// procedure with the control or the page as Sender.
#include "fixturedb.h"
#include "report/data/trpado.h"
#include "report/engine/trpengine.h"
#include "report/engine/trppreviewpages.h"
#include "report/model/trpdialogcontrols.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/preview/reportwindows.h"
#include "report/preview/trpdialogform.h"

#include "tests/support/qstringprint.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

struct Installed {
    Installed()
    {
        installReportEngine();
        installPreviewPages();
        registerDataComponents();
        installReportWindows();
    }
};

struct DialogReport : Installed {
    bralvo::test::FixtureDb fixture;
    TrpReport report{nullptr};

    DialogReport()
    {
        QFile file(QStringLiteral(BRALVO_REPORT_DATA_DIR "/dialog.rpx"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray xml = file.readAll();
        xml.replace("@DB@", fixture.path().toUtf8());
        QFile copy(fixture.path() + QStringLiteral(".xml"));
        EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(xml);
        copy.close();
        report.EngineOptions()->SetNewSilentMode(simSilent);
        report.LoadFromFile(copy.fileName());
        EXPECT_EQ(report.ErrorList().count(), 0) << report.ErrorList().text().toStdString();
    }

    // The memo texts of the first prepared page, by memo name.
    QString memo(const QString &name)
    {
        TrpReportPage *page = report.PreparedPages()->GetPage(0);
        auto *m = page ? dynamic_cast<TrpCustomMemoView *>(page->FindObject(name)) : nullptr;
        return m ? m->Text().trimmed() : QStringLiteral("<none>");
    }
};

// Runs answer on the dialog page's window once it runs modally (other
// windows, such as the progress window, may come first).
void whenDialogRuns(std::function<void(TrpDialogForm *)> answer)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto *form = qobject_cast<TrpDialogForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        poll->stop();
        poll->deleteLater();
        answer(form);
    });
    poll->start();
}

template <class T>
T *control(QWidget *form, const char *name)
{
    T *found = form->findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void sendMove(QWidget *widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Types, chooses and clicks through the dialog, then presses OK.
void answerDialog()
{
    whenDialogRuns([](TrpDialogForm *form) {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        auto *edit = control<QLineEdit>(form, "Edit1");
        auto *combo = control<QComboBox>(form, "Customer");
        auto *check = control<QCheckBox>(form, "CheckBox1");
        ASSERT_TRUE(edit && combo && check);
        EXPECT_TRUE(edit->hasFocus());  // the page's OnShow focused it
        // A key without a virtual-key code only types; OnKeyPress turns x into y.
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Uacute, QStringLiteral("Ú"), Qt::NoModifier);
        QTest::keyClicks(edit, QStringLiteral("cet x"));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::mouseDClick(edit, Qt::LeftButton);
        sendMove(edit, QPoint(3, 3));
        EXPECT_EQ(combo->count(), 2);
        combo->setFocus();
        EXPECT_EQ(combo->currentIndex(), -1);  // nothing chosen yet
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);  // Kaktus, then Lipa
        QTest::mouseClick(check, Qt::LeftButton);
        QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(5, 5));
        form->resize(form->width(), form->height());
        form->setFixedSize(330, 200);
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(form, &deactivate);
        EXPECT_FALSE(form->close());  // OnCloseQuery refuses the first close
        QTest::mouseClick(control<QPushButton>(form, "OkB"), Qt::LeftButton);
    });
}

TEST(ReportDialogPage, TypedTextAndChosenKeyReachTheExpressionsAndEveryEventItsHandler)
{
    DialogReport r;
    answerDialog();
    ASSERT_TRUE(r.report.PrepareReport()) << r.report.ErrorList().text().toStdString();
    EXPECT_EQ(r.memo(QStringLiteral("Answers")), QStringLiteral("Úcet y|2|Lipa a.s.|True"));
    const QStringList events = r.memo(QStringLiteral("Events")).split(u';', Qt::SkipEmptyParts);
    const char *const expected[] = {
        "Show:DialogPage1",     "Enter:Edit1",        "Activate:DialogPage1", "KeyDown88:DialogPage1",
        "KeyPressÚ:DialogPage1", "KeyDown88:Edit1",    "KeyPressÚ:Edit1",      "KeyUp88:DialogPage1",
        "KeyUp88:Edit1",        "KeyPressx:Edit1",    "MouseDown:Edit1",      "MouseUp:Edit1",
        "DblClick:Edit1",       "MouseMove:Edit1",    "Exit:Edit1",           "Enter:Customer",
        "KeyDown40:Customer",   "Click:CheckBox1",    "MouseDown:CheckBox1",  "Click:DialogPage1",
        "Resize:DialogPage1",   "Deactivate:DialogPage1", "CloseQuery:DialogPage1", "Click:OkB",
        "Hide:DialogPage1"};
    for (const char *e : expected)
        EXPECT_TRUE(events.contains(QString::fromUtf8(e))) << e << " not in " << events.join(u' ').toStdString();
    // A handler's key comes back: x was typed as y, and the page saw it first.
    EXPECT_LT(events.indexOf(QStringLiteral("KeyPressx:DialogPage1")), events.indexOf(QStringLiteral("KeyPressx:Edit1")));
}

TEST(ReportDialogPage, CancelStopsThePreparation)
{
    DialogReport r;
    bool shown = false;
    whenDialogRuns([&shown](TrpDialogForm *form) {
        shown = true;
        QTest::mouseClick(control<QPushButton>(form, "CancelB"), Qt::LeftButton);
    });
    r.report.PrepareReport();
    EXPECT_TRUE(shown);
    EXPECT_EQ(r.report.PreparedPages()->GetCount(), 0);
}

} // namespace
