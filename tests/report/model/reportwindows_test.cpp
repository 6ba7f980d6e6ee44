// The library's small windows, driven offscreen: the progress window
// with its Cancel, the password prompt of protected definitions, the
// dialog-page window and the hidden parent window.
#include "testreport.h"

#include "platform/component.h"
#include "report/model/trpdialogcontrols.h"
#include "report/model/trpoptions.h"
#include "report/model/trpwindows.h"
#include "report/preview/reportwindows.h"
#include "report/preview/trpdialogform.h"
#include "report/preview/trpdialogformwindow.h"
#include "report/preview/trpparentform.h"
#include "report/preview/trppasswordform.h"
#include "report/preview/trpprogress.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::quietReport;

namespace {

// The library's windows installed for one test.
struct InstalledWindows {
    InstalledWindows() { installReportWindows(); }
    ~InstalledWindows()
    {
        setReportWindows(TrpReportWindows{});
        setDialogWindowFactory(nullptr);
    }
};

// A shown and active window, as the program's window would be.
struct ActiveWindow {
    QWidget *widget = new QWidget;
    ActiveWindow()
    {
        widget->setObjectName(QStringLiteral("TfFaktura"));
        widget->show();
        widget->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(widget));
    }
    ~ActiveWindow() { delete widget; }
};

// Answers the next modal password form: types Text and presses OK, or
// presses Cancel when Text is empty.
void answerPasswordForm(const QString &text)
{
    QTimer::singleShot(0, [text] {
        auto *form = qobject_cast<TrpPasswordForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        if (text.isEmpty()) {
            QTest::mouseClick(form->CancelB, Qt::LeftButton);
            return;
        }
        QTest::keyClicks(form->PasswordE, text);
        QTest::mouseClick(form->OkB, Qt::LeftButton);
    });
}

QByteArray protectedDefinition(const QString &password)
{
    auto report = quietReport();
    bralvo::report::testing::buildExample(*report);
    report->ReportOptions()->SetPassword(password);
    return bralvo::report::testing::saveToBytes(*report);
}

} // namespace

TEST(TrpProgress, DisablesTheActiveWindowWhileItShows)
{
    ActiveWindow main;
    auto progress = std::make_unique<TrpProgress>();
    EXPECT_FALSE(main.widget->isEnabled());
    progress->Execute(10, QStringLiteral("Preparing page 1"), true, true);
    EXPECT_TRUE(progress->isVisible());
    progress->hide();
    EXPECT_TRUE(main.widget->isEnabled());
}

// The window that was active may be closed and freed while the progress
// window shows; enabling it afterwards must not touch a freed object.
TEST(TrpProgress, ProgressWindowOutlivingTheActiveWindowIsSafe)
{
    auto main = std::make_unique<ActiveWindow>();
    TrpProgress progress;
    progress.Execute(0, QString(), false, true);
    main.reset();
    progress.hide();
    SUCCEED();
}

TEST(TrpProgress, ExecuteSetsUpMessageBarAndCancel)
{
    struct Case {
        bool bar, cancel;
        int messageTop;
    };
    for (const Case &c : {Case{true, true, 15}, Case{false, true, 35}, Case{true, false, 15}}) {
        SCOPED_TRACE(QStringLiteral("bar %1 cancel %2").arg(c.bar).arg(c.cancel).toStdString());
        TrpProgress progress;
        progress.Execute(40, QStringLiteral("Exporting page 3"), c.bar, c.cancel);
        EXPECT_EQ(progress.LMessage->text(), QStringLiteral("Exporting page 3"));
        EXPECT_EQ(progress.Bar->isVisible(), c.bar);
        EXPECT_EQ(progress.CancelB->isVisible(), c.cancel);
        EXPECT_EQ(progress.LMessage->y(), c.messageTop);
        EXPECT_EQ(progress.Bar->maximum(), 40);
        EXPECT_EQ(progress.Position(), 0);
        EXPECT_EQ(progress.CancelB->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(progress.size(), QSize(271, 101));
        progress.SetPosition(25);
        EXPECT_EQ(progress.Position(), 25);
        progress.Reset();
        EXPECT_EQ(progress.Position(), 0);
        EXPECT_FALSE(progress.Terminated());
    }
}

TEST(TrpProgress, CancelStopsTheReportAtItsNextStep)
{
    InstalledWindows windows;
    auto report = quietReport();
    report->BeginProgress(ptExporting);
    auto *progress = dynamic_cast<TrpProgress *>(report->ProgressWindow());
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    report->StepProgress(ptExporting, 1);
    EXPECT_EQ(progress->LMessage->text(), QStringLiteral("Exporting page 1"));
    EXPECT_FALSE(report->Terminated());

    QTest::mouseClick(progress->CancelB, Qt::LeftButton);
    EXPECT_TRUE(progress->Terminated());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_FALSE(report->Terminated());
    report->StepProgress(ptExporting, 2);
    EXPECT_TRUE(report->Terminated());
    report->EndProgress(ptExporting);
    EXPECT_EQ(report->ProgressWindow(), nullptr);
}

TEST(TrpProgress, ShowsOnlyWhenTheReportWantsIt)
{
    InstalledWindows windows;
    struct Case {
        bool oldStyle, showProgress, threadSafe;
        TrpProgressType type;
        bool shown;
    };
    for (const Case &c : {Case{false, true, false, ptRunning, false}, Case{true, true, false, ptRunning, true},
                          Case{false, true, false, ptPrinting, true}, Case{false, false, false, ptExporting, false},
                          Case{true, true, true, ptRunning, false}}) {
        auto report = quietReport();
        report->SetOldStyleProgress(c.oldStyle);
        report->SetShowProgress(c.showProgress);
        report->EngineOptions()->SetThreadSafeMode(c.threadSafe);
        report->BeginProgress(c.type);
        EXPECT_EQ(report->ProgressWindow() != nullptr, c.shown)
            << c.oldStyle << c.showProgress << c.threadSafe << int(c.type);
        report->EndProgress(c.type);
        EXPECT_EQ(report->ProgressWindow(), nullptr);
    }
}

TEST(TrpPasswordForm, CaptionsComeFromTheLibraryTexts)
{
    TrpPasswordForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Password"));
    EXPECT_EQ(form.PasswordL->text(), QStringLiteral("Enter the password:"));
    EXPECT_EQ(form.OkB->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.CancelB->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(form.PasswordE->echoMode(), QLineEdit::Password);
}

TEST(TrpPasswordForm, ProtectedDefinitionLoadsOnlyWithTheRightPassword)
{
    InstalledWindows windows;
    const QByteArray definition = protectedDefinition(QStringLiteral("tajne"));
    struct Case {
        QString typed;
        bool loads;
    };
    for (const Case &c : {Case{"tajne", true}, Case{"zle", false}, Case{"", false}}) {
        SCOPED_TRACE(c.typed.toStdString());
        auto report = quietReport();
        answerPasswordForm(c.typed);
        bralvo::report::testing::loadFromBytes(*report, definition);
        EXPECT_EQ(report->FindObject(QStringLiteral("Memo1")) != nullptr, c.loads);
        EXPECT_EQ(report->ErrorList().contains(QStringLiteral("Invalid password")), !c.loads);
        if (c.loads) {
            EXPECT_EQ(report->ReportOptions()->Password(), QStringLiteral("tajne"));
        }
    }
}

TEST(TrpDialogForm, ThreadSafeOwnerGivesAnEmptyWindowWithoutParent)
{
    QWidget parent;
    bralvo::platform::Component page;
    page.setTag(kThreadSafeDialogTag);
    TrpDialogForm safe(&page, &parent);
    EXPECT_TRUE(safe.ThreadSafe());
    EXPECT_EQ(safe.parentWidget(), nullptr);
    EXPECT_TRUE(safe.findChildren<QWidget *>().isEmpty());

    page.setTag(0);
    TrpDialogForm normal(&page, &parent);
    EXPECT_FALSE(normal.ThreadSafe());
    EXPECT_EQ(normal.parentWidget(), &parent);
    EXPECT_EQ(normal.windowTitle(), QStringLiteral(" "));
    EXPECT_TRUE(normal.findChildren<QWidget *>().isEmpty());
}

TEST(TrpDialogForm, UserMayCloseOnlyWhenThePageAllows)
{
    TrpDialogForm form(nullptr);
    form.show();
    EXPECT_FALSE(form.close());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    bool allow = true;
    form.OnCloseQuery = [&] { return allow; };
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
}

TEST(TrpDialogForm, ArrowAndTabKeysReachTheWindowFirst)
{
    TrpDialogForm form(nullptr);
    auto *edit = new QLineEdit(&form);
    auto *other = new QLineEdit(&form);
    other->move(0, 30);
    form.show();
    edit->setFocus();
    QList<int> keys;
    form.OnKeyDown = [&](int key, Qt::KeyboardModifiers, bool &handled) {
        keys << key;
        handled = key == Qt::Key_Tab;
    };
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(keys, QList<int>({Qt::Key_Tab, Qt::Key_Down}));
}

TEST(ParentForm, OneHiddenWindowThatLetsItsControlsGoOnClear)
{
    QWidget *form = GetParentForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(GetParentForm(), form);
    EXPECT_FALSE(form->isVisible());
    auto *control = new QLabel(form);
    ClearParentForm();
    EXPECT_EQ(control->parentWidget(), nullptr);
    delete control;
    EXPECT_NE(GetParentForm(), nullptr);
}

// A dialog page of a report opens a real window and waits in it until a
// result is set or the user closes it (a close is a cancel).
TEST(TrpDialogFormWindow, DialogPageRunsModallyInARealWindow)
{
    InstalledWindows installed;
    auto report = quietReport();
    auto *page = new TrpDialogPage(report.get());
    page->SetCaption(QStringLiteral("Výber obdobia"));
    page->SetBounds(10, 20, 300, 200);
    auto *window = dynamic_cast<TrpDialogFormWindow *>(page->Window());
    ASSERT_NE(window, nullptr);
    TrpDialogForm *form = window->Form();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Výber obdobia"));
    EXPECT_EQ(form->size(), QSize(300, 200));

    page->SetBorderStyle(bsDialog);  // fixed size while it runs
    QWidget *modal = nullptr;
    QTimer::singleShot(0, [&] {
        modal = QApplication::activeModalWidget();
        page->SetModalResult(1);
    });
    EXPECT_EQ(page->ShowModal(), 1);
    EXPECT_EQ(modal, form);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    page->SetWidth(320);  // the page still sizes its window
    EXPECT_EQ(form->width(), 320);

    QTimer::singleShot(0, [&] { form->close(); });  // the user's close: a cancel
    EXPECT_EQ(page->ShowModal(), 2);
}

// A dialog control keeps its Qt control in step: placed on the page's
// window (a control on no page on the hidden parent form), bounds,
// visibility, font and the texts passed through, a rename carried into a
// caption that showed the name, and Draw painting the control.
TEST(TrpDialogControl, ItsQtControlFollowsTheControl)
{
    InstalledWindows installed;
    auto report = quietReport();
    auto *page = new TrpDialogPage(report.get());
    auto *form = dynamic_cast<TrpDialogFormWindow *>(page->Window())->Form();
    auto *button = new TrpButtonControl(page);
    button->setName(QStringLiteral("Button1"));
    auto *qtButton = qobject_cast<QPushButton *>(button->Control());
    ASSERT_NE(qtButton, nullptr);
    EXPECT_EQ(qtButton->parentWidget(), form);
    EXPECT_EQ(qtButton->text(), QStringLiteral("Button1"));  // the caption follows the name
    button->setName(QStringLiteral("OkB"));
    EXPECT_EQ(qtButton->text(), QStringLiteral("OkB"));
    EXPECT_EQ(qtButton->objectName(), QStringLiteral("OkB"));
    button->SetCaption(QStringLiteral("OK"));
    button->setName(QStringLiteral("Ok2"));
    EXPECT_EQ(button->Caption(), QStringLiteral("OK"));

    button->SetBounds(10.4, 20.6, 80, 25);
    EXPECT_EQ(qtButton->geometry(), QRect(10, 21, 80, 25));
    button->SetEnabled(false);
    button->SetHint(QStringLiteral("Potvrdiť"));
    EXPECT_FALSE(qtButton->isEnabled());
    EXPECT_EQ(button->Hint(), QStringLiteral("Potvrdiť"));
    EXPECT_EQ(qtButton->toolTip(), QStringLiteral("Potvrdiť"));
    button->SetVisible(false);
    EXPECT_TRUE(qtButton->isHidden());
    button->SetVisible(true);
    EXPECT_FALSE(qtButton->isHidden());
    page->Font()->setSize(14);
    EXPECT_EQ(qtButton->font().pointSize(), 14);  // ParentFont

    auto *edit = new TrpEditControl(page);
    edit->SetBounds(5, 5, 60, 22);
    qobject_cast<QLineEdit *>(edit->Control())->setText(QStringLiteral("typed"));
    EXPECT_EQ(edit->Text(), QStringLiteral("typed"));
    QImage image(100, 60, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        edit->Draw(painter, 2, 2, 30, 30);  // scale and offset are not used
    }
    EXPECT_NE(image.pixelColor(6, 6), QColor(Qt::white));   // the edit's frame
    EXPECT_EQ(image.pixelColor(80, 40), QColor(Qt::white));  // nothing beyond it

    TrpCheckBoxControl loose(nullptr);
    EXPECT_EQ(loose.Control()->parentWidget(), GetParentForm());
}
