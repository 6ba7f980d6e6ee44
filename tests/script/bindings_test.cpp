// The standard and report classes as scripts see them, run through scrun
// in a folder of their own: constants, date functions, lists, streams,
// INI files, XML documents and a script-built form, in every language
// where the construct exists.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ScrunRun {
    int exitCode = -1;
    QString output;
};

ScrunRun scrun(const QTemporaryDir &dir, const QString &fileName, const QString &text, const QStringList &extra = {})
{
    QFile file(dir.filePath(fileName));
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
    file.close();
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(BRALVO_SCRUN), extra + QStringList{file.fileName()});
    ScrunRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

struct Case {
    const char *file;
    const char *script;
};

void expectEachPrints(const Case *cases, size_t count, const char *expected)
{
    for (size_t i = 0; i < count; ++i) {
        QTemporaryDir dir;
        SCOPED_TRACE(cases[i].file);
        const ScrunRun run = scrun(dir, QString::fromLatin1(cases[i].file), QString::fromUtf8(cases[i].script));
        EXPECT_EQ(run.output.toStdString(), std::string(expected));
        EXPECT_EQ(run.exitCode, 0);
    }
}

const char *const kConstantsOut = "int:3\nint:5\nint:2024\nint:0\nfloat:3.77953\nint:536870911\nint:112\n"
                                  "int:113\nint:255\nint:16711680\nint:-16777201\n";

TEST(ScriptBindings, ConstantsAndDateFunctionsInEveryLanguage)
{
    const Case cases[] = {
        {"c.pas", "var d: TDateTime;\nbegin\n  d := EncodeDate(2024, 3, 5);\n"
                  "  Emit(MonthOf(d)); Emit(DayOf(d)); Emit(YearOf(d));\n  Emit(IIF(True, 1, 2));\n"
                  "  Emit(fr01cm); Emit(clTransparent); Emit(VK_F1); Emit(VK_F2);\n"
                  "  Emit(clRed); Emit(clBlue); Emit(clBtnFace);\nend."},
        {"c.cpp", "TDateTime d;\n{\nd = EncodeDate(2024, 3, 5);\nEmit(MonthOf(d)); Emit(DayOf(d)); Emit(YearOf(d));\n"
                  "Emit(IIF(true, 1, 2));\nEmit(fr01cm); Emit(clTransparent); Emit(VK_F1); Emit(VK_F2);\n"
                  "Emit(clRed); Emit(clBlue); Emit(clBtnFace);\n}\n"},
        {"c.js", "d = EncodeDate(2024, 3, 5);\nEmit(MonthOf(d)); Emit(DayOf(d)); Emit(YearOf(d));\n"
                 "Emit(IIF(true, 1, 2));\nEmit(fr01cm); Emit(clTransparent); Emit(VK_F1); Emit(VK_F2);\n"
                 "Emit(clRed); Emit(clBlue); Emit(clBtnFace);\n"},
        {"c.bas", "Dim d = EncodeDate(2024, 3, 5)\nEmit(MonthOf(d))\nEmit(DayOf(d))\nEmit(YearOf(d))\n"
                  "Emit(IIF(True, 1, 2))\nEmit(fr01cm)\nEmit(clTransparent)\nEmit(VK_F1)\nEmit(VK_F2)\n"
                  "Emit(clRed)\nEmit(clBlue)\nEmit(clBtnFace)\n"},
    };
    expectEachPrints(cases, std::size(cases), kConstantsOut);
}

TEST(ScriptBindings, StringListSortsKeepsOrIgnoresDuplicatesAndReadsValues)
{
    const Case cases[] = {
        {"l.pas", "var l: TStringList; i: Integer;\nbegin\n  l := TStringList.Create;\n"
                  "  l.Add('b=2'); l.Add('a=1'); l.Add('c=3');\n  l.Sort;\n  Emit(l.CommaText);\n"
                  "  Emit(l.Values['b']);\n  l.Values['d'] := '4';\n  Emit(l[3]);\n"
                  "  l.Sorted := True; l.Duplicates := dupIgnore;\n  Emit(l.Add('a=1')); Emit(l.Count);\n"
                  "  Emit(l.Find('c=3', i)); Emit(i);\n  l.Free;\nend."},
        {"l.js", "l = new TStringList;\nl.Add(\"b=2\"); l.Add(\"a=1\"); l.Add(\"c=3\");\nl.Sort;\n"
                 "Emit(l.CommaText);\nEmit(l.Values[\"b\"]);\nl.Values[\"d\"] = \"4\";\nEmit(l[3]);\n"
                 "l.Sorted = true; l.Duplicates = dupIgnore;\nEmit(l.Add(\"a=1\")); Emit(l.Count);\n"
                 "i = 0;\nEmit(l.Find(\"c=3\", i)); Emit(i);\ndelete l;\n"},
    };
    expectEachPrints(cases, std::size(cases),
                     "str:a=1,b=2,c=3\nstr:2\nstr:d=4\nint:0\nint:4\nbool:true\nint:2\n");
}

TEST(ScriptBindings, StreamsReadWhatIsLeftAndWriteOnlyTheText)
{
    const Case cases[] = {
        {"s.pas", "var m: TMemoryStream; s: String;\nbegin\n  m := TMemoryStream.Create;\n"
                  "  Emit(m.Write('abcdefgh', 100));\n  m.Position := 4;\n  Emit(m.Read(s, 10)); Emit(s);\n"
                  "  m.Position := 6;\n  Emit(m.Read(s, -5)); Emit(s);\n  Emit(m.Read(s, 2000000000)); Emit(s);\n"
                  "  Emit(m.Seek(-3, soFromEnd)); Emit(m.Size);\n  m.Free;\nend."},
        {"s.cpp", "TMemoryStream m;\nString s;\n{\nm = new TMemoryStream;\nEmit(m.Write(\"abcdefgh\", 100));\n"
                  "m.Position = 4;\nEmit(m.Read(s, 10)); Emit(s);\nm.Position = 6;\n"
                  "Emit(m.Read(s, -5)); Emit(s);\nEmit(m.Read(s, 2000000000)); Emit(s);\n"
                  "Emit(m.Seek(-3, soFromEnd)); Emit(m.Size);\ndelete m;\n}\n"},
    };
    expectEachPrints(cases, std::size(cases),
                     "int:8\nint:4\nstr:efgh\nint:0\nstr:\nint:2\nstr:gh\nint64:5\nint64:8\n");
}

TEST(ScriptBindings, IniFilesThroughTheInheritedConstructor)
{
    const Case cases[] = {
        {"i.pas", "var f: TIniFile; l: TStringList;\nbegin\n  f := TIniFile.Create('x.ini');\n"
                  "  Emit(f.ClassName);\n  f.WriteString('S', 'a', '1'); f.WriteInteger('S', 'b', 2);\n"
                  "  f.Free;\n  f := TIniFile.Create('x.ini');\n  l := TStringList.Create;\n"
                  "  f.ReadSectionValuesEx('S', l);\n  Emit(l.Count); Emit(l[0]); Emit(l[1]);\n"
                  "  Emit(f.ReadInteger('S', 'b', 0)); Emit(f.ValueExists('S', 'c'));\n  l.Free; f.Free;\nend."},
        {"i.bas", "Dim f = New TIniFile(\"x.ini\")\nEmit(f.ClassName)\nf.WriteString(\"S\", \"a\", \"1\")\n"
                  "f.WriteInteger(\"S\", \"b\", 2)\nDelete f\nSet f = New TIniFile(\"x.ini\")\n"
                  "Dim l = New TStringList\nf.ReadSectionValuesEx(\"S\", l)\nEmit(l.Count)\nEmit(l[0])\n"
                  "Emit(l[1])\nEmit(f.ReadInteger(\"S\", \"b\", 0))\nEmit(f.ValueExists(\"S\", \"c\"))\n"},
    };
    expectEachPrints(cases, std::size(cases), "str:TIniFile\nint:2\nstr:1\nstr:2\nint:2\nbool:false\n");
}

TEST(ScriptBindings, AnIniFileLoadedFromAStreamKeepsTheStreamsLinesAsTheyAre)
{
    const Case cases[] = {
        {"s.pas", "var m: TMemoryStream; f: TIniFile; s: String;\nbegin\n  m := TMemoryStream.Create;\n"
                  "  s := '[S]'#13#10'a=1'#13#10'; kept'#13#10'b=2';\n  m.Write(s, Length(s));\n  m.Position := 0;\n"
                  "  f := TIniFile.Create('x.ini');\n  f.LoadIniFileFromStream(m);\n"
                  "  Emit(f.ReadString('S', 'b', ''));\n  f.Free; m.Free;\nend."},
        {"s.js", "m = new TMemoryStream;\ns = \"[S]\" + Chr(13) + Chr(10) + \"a=1\" + Chr(13) + Chr(10) + \"; kept\""
                 " + Chr(13) + Chr(10) + \"b=2\";\nm.Write(s, Length(s));\nm.Position = 0;\n"
                 "f = new TIniFile(\"x.ini\");\nf.LoadIniFileFromStream(m);\nEmit(f.ReadString(\"S\", \"b\", \"\"));\n"
                 "delete f; delete m;\n"},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        SCOPED_TRACE(c.file);
        const ScrunRun run = scrun(dir, QString::fromLatin1(c.file), QString::fromUtf8(c.script));
        EXPECT_EQ(run.output.toStdString(), "str:2\n");
        QFile ini(dir.filePath(QStringLiteral("x.ini")));
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        EXPECT_EQ(ini.readAll().toStdString(), "[S]\r\na=1\r\n; kept\r\nb=2");
    }
}

TEST(ScriptBindings, XmlDocumentsLoadAndSaveFromAScript)
{
    const Case cases[] = {
        {"x.pas", "var d, e: TscXMLDocument; it: TscXMLItem;\nbegin\n  d := TscXMLDocument.Create;\n"
                  "  d.Root.Name := 'bill';\n  it := d.Root.Add;\n  it.Name := 'line';\n"
                  "  it.Prop['qty'] := '2 < 3';\n  d.SaveToFile('b.xml');\n  e := TscXMLDocument.Create;\n"
                  "  e.LoadFromFile('b.xml');\n  Emit(e.Root.Name); Emit(e.Root.Count);\n"
                  "  Emit(e.Root[0].Prop['qty']);\n  Emit(e.Root.Find('line'));\n  d.Free; e.Free;\nend."},
        {"x.js", "d = new TscXMLDocument;\nd.Root.Name = \"bill\";\nit = d.Root.Add;\nit.Name = \"line\";\n"
                 "it.Prop[\"qty\"] = \"2 < 3\";\nd.SaveToFile(\"b.xml\");\ne = new TscXMLDocument;\n"
                 "e.LoadFromFile(\"b.xml\");\nEmit(e.Root.Name); Emit(e.Root.Count);\n"
                 "Emit(e.Root[0].Prop[\"qty\"]);\nEmit(e.Root.Find(\"line\"));\ndelete d; delete e;\n"},
    };
    expectEachPrints(cases, std::size(cases), "str:bill\nint:1\nstr:2 < 3\nint:0\n");
}

// Parameter lists: made by a script, filled through the ADO parameters'
// AddParameter, read and written through every As... member.
TEST(ScriptBindings, ParametersAreWrittenAndReadInEveryLanguage)
{
    const Case cases[] = {
        {"p.pas", "var ps: TParams; p: TParam;\nbegin\n  ps := TParams.Create;\n"
                  "  p := TParam(TParameters(ps).AddParameter);\n  p.Name := 'amount';\n  Emit(p.IsNull); Emit(p.Bound);\n"
                  "  p.AsInteger := 5;\n  Emit(ps.ParamByName('amount').AsInteger); Emit(ps[0].AsString); Emit(p.Bound);\n"
                  "  p.AsFloat := 2.5; Emit(p.AsFloat);\n  p.AsCurrency := 1.23456; Emit(p.AsCurrency);\n"
                  "  p.AsBoolean := True; Emit(p.AsBoolean);\n  p.Text := 'abc'; Emit(ps.FindParam('AMOUNT').Text);\n"
                  "  p.AsDate := EncodeDate(2024, 3, 5); Emit(YearOf(p.AsDateTime));\n"
                  "  p.Clear; Emit(p.IsNull); Emit(p.AsString);\n  Emit(ps.FindParam('other') = nil);\n"
                  "  try\n    ps.ParamByName('other');\n  except\n    Emit(ExceptionMessage);\n  end;\n  ps.Free;\nend."},
        {"p.cpp", "TParams ps;\nTParam p;\n{\n  ps = new TParams;\n  p = TParam(TParameters(ps).AddParameter);\n"
                  "  p.Name = \"amount\";\n  Emit(p.IsNull); Emit(p.Bound);\n  p.AsInteger = 5;\n"
                  "  Emit(ps.ParamByName(\"amount\").AsInteger); Emit(ps[0].AsString); Emit(p.Bound);\n"
                  "  p.AsFloat = 2.5; Emit(p.AsFloat);\n  p.AsCurrency = 1.23456; Emit(p.AsCurrency);\n"
                  "  p.AsBoolean = true; Emit(p.AsBoolean);\n  p.Text = \"abc\"; Emit(ps.FindParam(\"AMOUNT\").Text);\n"
                  "  p.AsDate = EncodeDate(2024, 3, 5); Emit(YearOf(p.AsDateTime));\n"
                  "  p.Clear; Emit(p.IsNull); Emit(p.AsString);\n  Emit(ps.FindParam(\"other\") == nil);\n"
                  "  try { ps.ParamByName(\"other\"); } except { Emit(ExceptionMessage); }\n  delete ps;\n}\n"},
        {"p.js", "ps = new TParams;\np = TParam(TParameters(ps).AddParameter);\np.Name = \"amount\";\n"
                 "Emit(p.IsNull); Emit(p.Bound);\np.AsInteger = 5;\n"
                 "Emit(ps.ParamByName(\"amount\").AsInteger); Emit(ps[0].AsString); Emit(p.Bound);\n"
                 "p.AsFloat = 2.5; Emit(p.AsFloat);\np.AsCurrency = 1.23456; Emit(p.AsCurrency);\n"
                 "p.AsBoolean = true; Emit(p.AsBoolean);\np.Text = \"abc\"; Emit(ps.FindParam(\"AMOUNT\").Text);\n"
                 "p.AsDate = EncodeDate(2024, 3, 5); Emit(YearOf(p.AsDateTime));\n"
                 "p.Clear; Emit(p.IsNull); Emit(p.AsString);\nEmit(ps.FindParam(\"other\") == nil);\n"
                 "try { ps.ParamByName(\"other\"); } except { Emit(ExceptionMessage); }\ndelete ps;\n"},
        {"p.bas", "Dim ps = New TParams\nDim p = TParam(TParameters(ps).AddParameter)\np.Name = \"amount\"\n"
                  "Emit(p.IsNull)\nEmit(p.Bound)\np.AsInteger = 5\nEmit(ps.ParamByName(\"amount\").AsInteger)\n"
                  "Emit(ps[0].AsString)\nEmit(p.Bound)\np.AsFloat = 2.5\nEmit(p.AsFloat)\np.AsCurrency = 1.23456\n"
                  "Emit(p.AsCurrency)\np.AsBoolean = True\nEmit(p.AsBoolean)\np.Text = \"abc\"\n"
                  "Emit(ps.FindParam(\"AMOUNT\").Text)\np.AsDate = EncodeDate(2024, 3, 5)\nEmit(YearOf(p.AsDateTime))\n"
                  "p.Clear\nEmit(p.IsNull)\nEmit(p.AsString)\nEmit(ps.FindParam(\"other\") = nil)\n"
                  "Try\n  ps.ParamByName(\"other\")\nCatch\n  Emit(ExceptionMessage)\nEnd Try\nDelete ps\n"},
    };
    expectEachPrints(cases, std::size(cases),
                     "bool:true\nbool:false\nint:5\nstr:5\nbool:true\nfloat:2.5\nfloat:1.2346\nbool:true\nstr:abc\n"
                     "int:2024\nbool:true\nstr:\nbool:true\nstr:Parameter 'other' not found\n");
}

// A bitmap sized one side at a time is white and its pixels read back.
TEST(ScriptBindings, ASizedBitmapHasPixelsInEveryLanguage)
{
    const Case cases[] = {
        {"b.pas", "var b: TBitmap;\nbegin\n  b := TBitmap.Create;\n  b.Width := 10; b.Height := 5;\n"
                  "  Emit(b.Width); Emit(b.Height); Emit(b.Canvas.Pixels[2, 2]);\n"
                  "  b.Canvas.Pixels[2, 2] := clRed; Emit(b.Canvas.Pixels[2, 2]);\n  b.Free;\nend."},
        {"b.cpp", "TBitmap b;\n{\n  b = new TBitmap;\n  b.Width = 10; b.Height = 5;\n"
                  "  Emit(b.Width); Emit(b.Height); Emit(b.Canvas.Pixels[2, 2]);\n"
                  "  b.Canvas.Pixels[2, 2] = clRed; Emit(b.Canvas.Pixels[2, 2]);\n  delete b;\n}\n"},
        {"b.js", "b = new TBitmap;\nb.Width = 10; b.Height = 5;\nEmit(b.Width); Emit(b.Height); Emit(b.Canvas.Pixels[2, 2]);\n"
                 "b.Canvas.Pixels[2, 2] = clRed; Emit(b.Canvas.Pixels[2, 2]);\ndelete b;\n"},
        {"b.bas", "Dim b = New TBitmap\nb.Width = 10\nb.Height = 5\nEmit(b.Width)\nEmit(b.Height)\n"
                  "Emit(b.Canvas.Pixels[2, 2])\nb.Canvas.Pixels[2, 2] = clRed\nEmit(b.Canvas.Pixels[2, 2])\nDelete b\n"},
    };
    expectEachPrints(cases, std::size(cases), "int:10\nint:5\nint:16777215\nint:255\n");
}

// A script's own dialog: a button's owner, combo items, an OnCloseQuery
// that refuses the first close (from OnShow) and a button whose
// ModalResult ends ShowModal.
TEST(ScriptBindings, AFormRefusesOneCloseAndItsOkButtonEndsShowModalInEveryLanguage)
{
    const Case cases[] = {
        {"g.pas",
         "var f: TForm; b: TButton; cb: TComboBox; Closes: Integer;\n"
         "\n"
         "procedure FormCloseQuery(Sender: TObject; var CanClose: Boolean);\n"
         "begin\n"
         "  Closes := Closes + 1;\n"
         "  Emit(Closes);\n"
         "  CanClose := Closes > 1;\n"
         "end;\n"
         "\n"
         "procedure FormShow(Sender: TObject);\n"
         "begin\n"
         "  f.Close;\n"
         "  Emit(f.Visible);\n"
         "  b.Click;\n"
         "end;\n"
         "\n"
         "begin\n"
         "  f := TForm.Create(nil);\n"
         "  b := TButton.Create(f);\n"
         "  Emit(b.Owner = f);\n"
         "  b.Parent := f;\n"
         "  b.ModalResult := mrOk;\n"
         "  cb := TComboBox.Create(f);\n"
         "  cb.Parent := f;\n"
         "  cb.Items.Add('Kaktus');\n"
         "  cb.Items.Add('Lipa');\n"
         "  cb.ItemIndex := 1;\n"
         "  Emit(cb.Items.Count);\n"
         "  Emit(cb.Text);\n"
         "  f.OnCloseQuery := 'FormCloseQuery';\n"
         "  f.OnShow := 'FormShow';\n"
         "  Emit(f.ShowModal);\n"
         "  Emit(f.Visible);\n"
         "  f.Free;\n"
         "end.\n"},
        {"g.cpp",
         "TForm f;\n"
         "TButton b;\n"
         "TComboBox cb;\n"
         "int Closes;\n"
         "void FormCloseQuery(Variant Sender, bool &CanClose) { Closes = Closes + 1; Emit(Closes); CanClose = Closes > 1; }\n"
         "void FormShow(Variant Sender) { f.Close; Emit(f.Visible); b.Click; }\n"
         "{\n"
         "  f = new TForm(nil);\n"
         "  b = new TButton(f);\n"
         "  Emit(b.Owner == f);\n"
         "  b.Parent = f;\n"
         "  b.ModalResult = mrOk;\n"
         "  cb = new TComboBox(f);\n"
         "  cb.Parent = f;\n"
         "  cb.Items.Add(\"Kaktus\");\n"
         "  cb.Items.Add(\"Lipa\");\n"
         "  cb.ItemIndex = 1;\n"
         "  Emit(cb.Items.Count);\n"
         "  Emit(cb.Text);\n"
         "  f.OnCloseQuery = \"FormCloseQuery\";\n"
         "  f.OnShow = \"FormShow\";\n"
         "  Emit(f.ShowModal);\n"
         "  Emit(f.Visible);\n"
         "  delete f;\n"
         "}\n"},
        {"g.js",
         "Closes = 0;\n"
         "function FormCloseQuery(Sender, &CanClose) { Closes = Closes + 1; Emit(Closes); CanClose = Closes > 1; }\n"
         "function FormShow(Sender) { f.Close; Emit(f.Visible); b.Click; }\n"
         "f = new TForm(nil);\n"
         "b = new TButton(f);\n"
         "Emit(b.Owner == f);\n"
         "b.Parent = f;\n"
         "b.ModalResult = mrOk;\n"
         "cb = new TComboBox(f);\n"
         "cb.Parent = f;\n"
         "cb.Items.Add(\"Kaktus\");\n"
         "cb.Items.Add(\"Lipa\");\n"
         "cb.ItemIndex = 1;\n"
         "Emit(cb.Items.Count);\n"
         "Emit(cb.Text);\n"
         "f.OnCloseQuery = \"FormCloseQuery\";\n"
         "f.OnShow = \"FormShow\";\n"
         "Emit(f.ShowModal);\n"
         "Emit(f.Visible);\n"
         "delete f;\n"},
        {"g.bas",
         "Dim Closes = 0\n"
         "Dim f = New TForm(nil)\n"
         "Dim b = New TButton(f)\n"
         "Sub FormCloseQuery(Sender, ByRef CanClose)\n"
         "  Closes = Closes + 1\n"
         "  Emit(Closes)\n"
         "  CanClose = Closes > 1\n"
         "End Sub\n"
         "Sub FormShow(Sender)\n"
         "  f.Close\n"
         "  Emit(f.Visible)\n"
         "  b.Click\n"
         "End Sub\n"
         "Emit(b.Owner = f)\n"
         "b.Parent = f\n"
         "b.ModalResult = mrOk\n"
         "Dim cb = New TComboBox(f)\n"
         "cb.Parent = f\n"
         "cb.Items.Add(\"Kaktus\")\n"
         "cb.Items.Add(\"Lipa\")\n"
         "cb.ItemIndex = 1\n"
         "Emit(cb.Items.Count)\n"
         "Emit(cb.Text)\n"
         "f.OnCloseQuery = \"FormCloseQuery\"\n"
         "f.OnShow = \"FormShow\"\n"
         "Emit(f.ShowModal)\n"
         "Emit(f.Visible)\n"
         "Delete f\n"},
    };
    expectEachPrints(cases, std::size(cases), "bool:true\nint:2\nstr:Lipa\nint:1\nbool:true\nint:2\nint:1\nbool:false\n");
}

// The persistent properties of the controls and the form reach the
// widgets and read back.
TEST(ScriptBindings, ControlPropertiesReadBackWhatWasSet)
{
    const Case cases[] = {
        {"c.pas", "var f: TForm; b: TButton; e: TEdit; l: TLabel; m: TMemo; x: TCheckBox; cb: TComboBox;\n"
                  "begin\n  f := TForm.Create(nil);\n  f.ClientWidth := 300; f.ClientHeight := 160;\n"
                  "  f.BorderStyle := bsDialog; f.Position := poScreenCenter; f.KeyPreview := True;\n"
                  "  Emit(f.ClientWidth); Emit(f.BorderStyle); Emit(f.Position); Emit(f.KeyPreview);\n"
                  "  e := TEdit.Create(f); e.Parent := f; e.MaxLength := 5; e.PasswordChar := '*';\n"
                  "  e.Text := 'secret1'; e.ReadOnly := True;\n"
                  "  Emit(e.Text); Emit(e.MaxLength); Emit(e.PasswordChar); Emit(e.ReadOnly);\n"
                  "  l := TLabel.Create(f); l.Parent := f; l.Alignment := taRightJustify; l.AutoSize := True;\n"
                  "  Emit(l.Alignment); Emit(l.AutoSize);\n"
                  "  m := TMemo.Create(f); m.Parent := f; m.Lines.Add('a'); m.Lines.Add('b'); m.ScrollBars := ssVertical;\n"
                  "  Emit(m.Lines.Count); Emit(m.Text); Emit(m.ScrollBars);\n"
                  "  cb := TComboBox.Create(f); cb.Parent := f; cb.Style := csDropDownList; Emit(cb.Style);\n"
                  "  x := TCheckBox.Create(f); x.Parent := f; x.State := cbGrayed; Emit(x.State);\n"
                  "  b := TButton.Create(f); b.Parent := f; b.ModalResult := mrOk; b.Default := True; b.Cancel := True;\n"
                  "  Emit(b.ModalResult); Emit(b.Default); Emit(b.Cancel);\n"
                  "  f.Color := clWhite; f.Font.Size := 10; b.Hint := 'Save'; b.TabOrder := 1;\n"
                  "  Emit(f.Color); Emit(f.Font.Size); Emit(b.Hint); Emit(b.TabOrder);\n"
                  "  m.Align := alBottom; m.Height := 40; Emit(m.Width); Emit(m.Top); Emit(m.Align);\n"
                  "  f.Free;\nend."},
    };
    expectEachPrints(cases, std::size(cases),
                     "int:300\nint:3\nint:4\nbool:true\nstr:secre\nint:5\nstr:*\nbool:true\nint:1\nbool:true\n"
                     "int:2\nstr:a\\nb\nint:2\nint:2\nint:2\nint:1\nbool:true\nbool:true\nint:16777215\nint:10\n"
                     "str:Save\nint:1\nint:300\nint:120\nint:2\n");
}

TEST(ScriptBindings, FreeingWhatTheProgramOwnsIsRefused)
{
    const Case cases[] = {
        {"f.pas", "var d: TscXMLDocument; it: TscXMLItem;\nbegin\n  d := TscXMLDocument.Create;\n"
                  "  it := d.Root.Add;\n  try it.Free; except Emit(ExceptionClassName); end;\n"
                  "  Emit(d.Root.Count);\n  try Application.Free; except Emit(ExceptionMessage); end;\n"
                  "  d.Free;\n  try Emit(it.Name); except Emit(ExceptionClassName); end;\nend."},
    };
    expectEachPrints(cases, std::size(cases),
                     "str:EInvalidPointer\nint:1\nstr:Cannot free an object the program owns\nstr:EInvalidPointer\n");
}

TEST(ScriptBindings, AScriptBuiltFormIsDrawnAfterItsButtonWasClicked)
{
    QTemporaryDir dir;
    const char *form =
        "var f: TForm; b: TButton;\n"
        "procedure ButtonClick(Sender: TObject);\nbegin\n  TButton(Sender).Caption := 'Clicked';\nend;\n"
        "begin\n  f := TForm.Create(nil);\n  f.Caption := 'Script form';\n  f.SetBounds(0, 0, 240, 120);\n"
        "  b := TButton.Create(f);\n  b.Parent := f;\n  b.SetBounds(20, 20, 160, 40);\n  b.Caption := 'Press';\n"
        "  b.OnClick := 'ButtonClick';\n  b.Click;\n  Emit(b.Caption);\nend.";
    const QString png = dir.filePath(QStringLiteral("out.png"));
    const ScrunRun run = scrun(dir, QStringLiteral("form.pas"), QString::fromLatin1(form), {QStringLiteral("--shot"), png});
    EXPECT_EQ(run.output.toStdString(), "str:Clicked\n");
    EXPECT_EQ(run.exitCode, 0);
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(240, 120));
}

TEST(ScriptBindings, FormsAndControlsShowAndHide)
{
    const Case cases[] = {
        {"v.pas", "var f: TForm; b: TButton;\nbegin\n  f := TForm.Create(nil);\n  b := TButton.Create(f);\n"
                  "  b.Parent := f;\n  f.Show; Emit(f.Visible);\n  b.Hide; Emit(b.Visible);\n"
                  "  f.Hide; Emit(f.Visible);\n  b.Show; Emit(b.Visible);\n  f.Free;\nend."},
    };
    expectEachPrints(cases, std::size(cases), "bool:true\nbool:false\nbool:false\nbool:true\n");
}

TEST(ScriptBindings, ShotWithoutAFormFails)
{
    QTemporaryDir dir;
    const ScrunRun run = scrun(dir, QStringLiteral("n.pas"), QStringLiteral("begin end."),
                          {QStringLiteral("--shot"), dir.filePath(QStringLiteral("n.png"))});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("n.png"))));
}

} // namespace
