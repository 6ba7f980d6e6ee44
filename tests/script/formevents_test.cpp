// A script's form driven as a user would, in process: each event of its
// controls and of the form reaches the script procedure bound to it with
// the control as Sender, values the handler leaves come back (Key,
// NewWidth, Action), and the form's canvas paints from OnPaint.
#include "report/model/trpscriptclasses.h"
#include "script/bindings/tscformcontrols.h"
#include "script/tscscript.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using bralvo::script::TscScript;

std::unique_ptr<TscScript> run(const QString &text)
{
    bralvo::report::registerReportScriptModule();
    auto script = std::make_unique<TscScript>();
    script->AddRTTI();
    script->SetLines(text.split(u'\n'));
    EXPECT_TRUE(script->Compile()) << script->ErrorText.toStdString();
    script->Execute();
    return script;
}

QStringList logOf(TscScript &script)
{
    return script.Find(QStringLiteral("Log"))->GetValue().toString().split(u';', Qt::SkipEmptyParts);
}

const char *const kFormScript = R"(var f: TForm; e: TEdit; cb: TComboBox; Log: String;
procedure Note(Sender: TObject; What: String);
begin
  Log := Log + What + ':' + TControl(Sender).Name + ';';
end;
procedure Click(Sender: TObject); begin Note(Sender, 'Click'); end;
procedure DblClick(Sender: TObject); begin Note(Sender, 'DblClick'); end;
procedure MouseDown(Sender: TObject; Button, Shift, X, Y: Integer); begin Note(Sender, 'Down' + IntToStr(Button)); end;
procedure MouseUp(Sender: TObject; Button, Shift, X, Y: Integer); begin Note(Sender, 'Up' + IntToStr(Button)); end;
procedure MouseMove(Sender: TObject; Shift, X, Y: Integer); begin Note(Sender, 'Move' + IntToStr(X)); end;
procedure Resized(Sender: TObject); begin Note(Sender, 'Resize'); end;
procedure CanResize(Sender: TObject; var NewWidth, NewHeight: Integer; var Resize: Boolean);
begin
  Note(Sender, 'CanResize' + IntToStr(NewWidth));
  NewWidth := 50;
end;
procedure Entered(Sender: TObject); begin Note(Sender, 'Enter'); end;
procedure Exited(Sender: TObject); begin Note(Sender, 'Exit'); end;
procedure KeyDown(Sender: TObject; var Key: Integer; Shift: Integer); begin Note(Sender, 'KeyDown' + IntToStr(Key)); end;
procedure KeyUp(Sender: TObject; var Key: Integer; Shift: Integer); begin Note(Sender, 'KeyUp' + IntToStr(Key)); end;
procedure KeyPress(Sender: TObject; var Key: Char);
begin
  Note(Sender, 'Press' + Key);
  if Key = 'a' then Key := 'b';
end;
procedure DropDown(Sender: TObject); begin Note(Sender, 'DropDown'); end;
procedure CloseUp(Sender: TObject); begin Note(Sender, 'CloseUp'); end;
procedure Activated(Sender: TObject); begin Note(Sender, 'Activate'); end;
procedure Deactivated(Sender: TObject); begin Note(Sender, 'Deactivate'); end;
procedure Shown(Sender: TObject); begin Note(Sender, 'Show'); end;
procedure Hidden(Sender: TObject); begin Note(Sender, 'Hide'); end;
procedure Painted(Sender: TObject);
begin
  f.Canvas.Brush.Color := clRed;
  f.Canvas.Rectangle(0, 0, 10, 10);
end;
procedure Closed(Sender: TObject; var Action: Integer); begin Note(Sender, 'Close'); Action := caHide; end;
begin
  f := TForm.Create(nil); f.Name := 'Form1'; f.SetBounds(0, 0, 300, 200);
  e := TEdit.Create(f); e.Parent := f; e.Name := 'Edit1'; e.SetBounds(10, 10, 120, 24);
  cb := TComboBox.Create(f); cb.Parent := f; cb.Name := 'Combo1'; cb.SetBounds(10, 50, 120, 24);
  cb.Items.Add('a'); cb.Items.Add('b');
  e.OnClick := 'Click'; e.OnDblClick := 'DblClick'; e.OnMouseDown := 'MouseDown'; e.OnMouseUp := 'MouseUp';
  e.OnMouseMove := 'MouseMove'; e.OnResize := 'Resized'; e.OnCanResize := 'CanResize';
  e.OnEnter := 'Entered'; e.OnExit := 'Exited';
  e.OnKeyDown := 'KeyDown'; e.OnKeyUp := 'KeyUp'; e.OnKeyPress := 'KeyPress';
  cb.OnDropDown := 'DropDown'; cb.OnCloseUp := 'CloseUp'; cb.OnEnter := 'Entered';
  f.OnActivate := 'Activated'; f.OnDeactivate := 'Deactivated'; f.OnShow := 'Shown'; f.OnHide := 'Hidden';
  f.OnPaint := 'Painted'; f.OnClose := 'Closed'; f.OnResize := 'Resized';
  e.Width := 80;
  f.Show;
  cb.DroppedDown := True;
  if cb.DroppedDown then Note(cb, 'Dropped');
  cb.DroppedDown := False;
end.)";

TEST(ScriptFormEvents, EveryEventReachesItsHandlerWithItsControlAsSender)
{
    auto script = run(QString::fromUtf8(kFormScript));
    QWidget *form = bralvo::script::firstScriptForm();
    ASSERT_NE(form, nullptr);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    auto *edit = form->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    auto *combo = form->findChild<QComboBox *>(QStringLiteral("Combo1"));
    ASSERT_TRUE(edit && combo);
    EXPECT_EQ(edit->width(), 50);  // OnCanResize changed the script's 80

    edit->setFocus();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(7, 5), edit->mapToGlobal(QPointF(7, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &move);
    QTest::keyClick(edit, Qt::Key_A);
    EXPECT_EQ(edit->text(), QStringLiteral("b"));  // the handler's Key was typed
    combo->setFocus();
    form->resize(320, 200);
    const QImage picture = form->grab().toImage();
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(Qt::red));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(form, &deactivate);
    form->close();
    EXPECT_FALSE(form->isVisible());

    const QStringList log = logOf(*script);
    for (const char *e : {"CanResize80:Edit1", "Resize:Edit1", "Show:Form1", "Activate:Form1", "Enter:Edit1",
                          "Down0:Edit1", "Up0:Edit1", "Click:Edit1", "DblClick:Edit1", "Move7:Edit1",
                          "KeyDown65:Edit1", "Pressa:Edit1", "KeyUp65:Edit1", "Exit:Edit1", "Enter:Combo1",
                          "DropDown:Combo1", "Dropped:Combo1", "CloseUp:Combo1", "Resize:Form1", "Deactivate:Form1", "Close:Form1",
                          "Hide:Form1"})
        EXPECT_TRUE(log.contains(QLatin1String(e))) << e << " not in " << log.join(u' ').toStdString();
}

TEST(ScriptFormEvents, ApplicationMinimizesAndRestoresTheWindows)
{
    auto script = run(QStringLiteral("var f: TForm; Log: String;\nbegin\n  f := TForm.Create(nil);\n  f.Show;\n"
                                     "  Application.Minimize;\nend."));
    QWidget *form = bralvo::script::firstScriptForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isMinimized());
    run(QStringLiteral("begin\n  Application.Restore;\nend."));
    EXPECT_FALSE(form->isMinimized());
}

} // namespace

// An error in a handler the event loop called, with no script call to
// raise it in, reaches the user in an error box; one raised while a
// script call (Show) runs goes to that call instead.
TEST(ScriptFormEvents, AnErrorInAHandlerOfAModelessFormIsShown)
{
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    auto script = run(QStringLiteral(
        "var f: TForm; b: TButton; Log: String;\n"
        "procedure Clicked(Sender: TObject); begin RaiseException('broken handler'); end;\n"
        "begin\n  f := TForm.Create(nil); f.SetBounds(0, 0, 200, 100);\n"
        "  b := TButton.Create(f); b.Parent := f; b.Name := 'Button1'; b.OnClick := 'Clicked';\n"
        "  f.Show;\nend."));
    QWidget *form = bralvo::script::firstScriptForm();
    ASSERT_NE(form, nullptr);
    auto *button = form->findChild<QPushButton *>(QStringLiteral("Button1"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(boxes.boxes().size(), size_t(1));
    EXPECT_TRUE(boxes.boxes().at(0).text.contains(QLatin1String("broken handler")));
    EXPECT_EQ(boxes.boxes().at(0).flags, bralvo::platform::kMbIconError);
    form->close();

    bralvo::script::TscScript failing;
    failing.AddRTTI();
    failing.SetLines(QStringLiteral("var f: TForm; Log: String;\nprocedure Shown(Sender: TObject); begin "
                                    "RaiseException('no show'); end;\nbegin\n  f := TForm.Create(nil); "
                                    "f.OnShow := 'Shown';\n  try f.Show; except Log := ExceptionMessage; end;\n"
                                    "  f.Close;\nend.")
                         .split(u'\n'));
    ASSERT_TRUE(failing.Compile()) << failing.ErrorText.toStdString();
    failing.Execute();
    EXPECT_EQ(logOf(failing), QStringList{QStringLiteral("no show")});
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.boxes().size(), size_t(1));
}
