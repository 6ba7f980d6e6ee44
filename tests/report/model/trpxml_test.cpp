// The report XML document: escaping, attributes, reading and writing
// forms, partial loading.
#include "report/model/trpxml.h"

#include "platform/conversionerror.h"
#include "platform/stream.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::platform::MemoryStream;

namespace {

std::unique_ptr<TrpXMLDocument> parse(const QByteArray &bytes, bool partial = false)
{
    auto doc = std::make_unique<TrpXMLDocument>();
    MemoryStream s(bytes);
    doc->LoadFromStream(s, partial);
    return doc;
}

QByteArray write(TrpXMLDocument &doc)
{
    MemoryStream s;
    doc.SaveToStream(s);
    return s.data();
}

} // namespace

TEST(TrpXMLEscaping, StrToXMLReplacesTheSixCharacters)
{
    struct Case {
        QString in, out;
    };
    const Case cases[] = {
        {QStringLiteral("a<b&\"c\""), QStringLiteral("a&#60;b&#38;&#34;c&#34;")},
        {QStringLiteral("x>y\r\nz"), QStringLiteral("x&#62;y&#13;&#10;z")},
        {QStringLiteral("čšť€ plain"), QStringLiteral("čšť€ plain")},
        {QString(), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in.toStdString());
        EXPECT_EQ(StrToXML(c.in), c.out);
        EXPECT_EQ(XMLToStr(StrToXML(c.in)), c.in);
    }
}

TEST(TrpXMLEscaping, XMLToStrDecodesReferences)
{
    EXPECT_EQ(XMLToStr(QStringLiteral("&#65;&#66;")), QStringLiteral("AB"));
    EXPECT_EQ(XMLToStr(QStringLiteral("&quot;q&quot;")), QStringLiteral("\"q\""));
    EXPECT_EQ(XMLToStr(QStringLiteral("a&b &amp; c")), QStringLiteral("a&b &amp; c"));
    EXPECT_EQ(XMLToStr(QStringLiteral("x&#65")), QStringLiteral("x&#65"));
    EXPECT_THROW(XMLToStr(QStringLiteral("&#x41;")), bralvo::platform::ConversionError);
}

// A reference to no character stays as written; a number past 32 bits is
// no number.
TEST(TrpXMLEscaping, ReferencesOutsideTheCharactersStayOrFail)
{
    for (const char *kept : {"&#0;", "&#55296;", "&#1114112;", "&#4294967295;"})
        EXPECT_EQ(XMLToStr(QString::fromLatin1(kept)), QString::fromLatin1(kept));
    EXPECT_THROW(XMLToStr(QStringLiteral("&#4294967296;")), bralvo::platform::ConversionError);
    EXPECT_THROW(XMLToStr(QStringLiteral("&#;")), bralvo::platform::ConversionError);
}

TEST(TrpXMLEscaping, CharacterReferenceKeepsTheFullCodePoint)
{
    EXPECT_EQ(XMLToStr(QStringLiteral("&#269;&#8364;&#128512;")), QStringLiteral("č€😀"));
}

TEST(TrpXMLEscaping, LiteralQuotEntityTextSurvivesSaveAndLoad)
{
    const QString text = QStringLiteral("say &quot;hi&quot;");
    EXPECT_EQ(XMLToStr(StrToXML(text)), text);
}

TEST(TrpXMLItem, PropReadWrite)
{
    TrpXMLItem item;
    item.SetProp(QStringLiteral("Name"), QStringLiteral("Memo1"));
    item.SetProp(QStringLiteral("Left"), QStringLiteral("10"));
    EXPECT_EQ(item.Text, QStringLiteral("Name=\"Memo1\" Left=\"10\""));
    item.SetProp(QStringLiteral("NAME"), QStringLiteral("a\"b"));
    EXPECT_EQ(item.Text, QStringLiteral("NAME=\"a&#34;b\" Left=\"10\""));
    EXPECT_EQ(item.Prop(QStringLiteral("name")), QStringLiteral("a\"b"));
    EXPECT_TRUE(item.PropExists(QStringLiteral("left")));
    EXPECT_FALSE(item.PropExists(QStringLiteral("Lef")));
    EXPECT_EQ(item.Prop(QStringLiteral("Top")), QString());
}

TEST(TrpXMLItem, TreeOperations)
{
    TrpXMLItem root;
    TrpXMLItem *a = root.Add();
    a->Name = QStringLiteral("a");
    TrpXMLItem *b = root.FindItem(QStringLiteral("B"));
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(root.Find(QStringLiteral("b")), 1);
    TrpXMLItem other;
    other.AddItem(b);
    EXPECT_EQ(root.Count(), 1);
    EXPECT_EQ(b->Parent(), &other);
    root.InsertItem(0, b);
    EXPECT_EQ(root.IndexOf(b), 0);
    delete a;
    EXPECT_EQ(root.Count(), 1);
}

TEST(TrpXMLDocument, ElementFormsWithoutChildren)
{
    auto doc = parse("\xEF\xBB\xBF  <?xml version=\"1.0\"?>\r\n<r><a/><b x=\"1\"/><c></C><!-- a --- b -- >x -->"
                     "<d y=\"2\"></d></r>");
    TrpXMLItem *r = doc->Root();
    EXPECT_EQ(r->Name, QStringLiteral("r"));
    ASSERT_EQ(r->Count(), 4);
    EXPECT_EQ(r->Items(0)->Name, QStringLiteral("a"));
    EXPECT_EQ(r->Items(1)->Text, QStringLiteral("x=\"1\""));
    EXPECT_EQ(r->Items(2)->Count(), 0);
    EXPECT_EQ(r->Items(3)->Prop(QStringLiteral("y")), QStringLiteral("2"));
    EXPECT_FALSE(doc->TruncatedRead());
}

TEST(TrpXMLDocument, StructuralErrorsRaiseInvalidFileFormat)
{
    const char *bad[] = {
        "<r/>",
        "<?xml?><r><a></b></r>",
        "<?xml?><r><a x=\"<\"/></r>",
        "<?xml?><r><a",
    };
    for (const char *b : bad) {
        SCOPED_TRACE(b);
        try {
            parse(b);
            FAIL();
        } catch (const TrpInvalidXMLException &e) {
            EXPECT_EQ(e.userText(), QStringLiteral("Invalid file format"));
        }
    }
}

TEST(TrpXMLDocument, TruncatedFileKeepsWhatWasRead)
{
    auto doc = parse("<?xml?><r><a/><b><c/>");
    EXPECT_TRUE(doc->TruncatedRead());
    ASSERT_EQ(doc->Root()->Count(), 2);
    EXPECT_EQ(doc->Root()->Items(1)->Count(), 1);
}

TEST(TrpXMLDocument, WritesHeaderIndentAndValues)
{
    TrpXMLDocument doc;
    doc.AutoIndent = true;
    doc.Root()->Name = QStringLiteral("r");
    TrpXMLItem *a = doc.Root()->Add();
    a->Name = QStringLiteral("a");
    a->Text = QStringLiteral("x=\"1\"");
    TrpXMLItem *v = a->Add();
    v->Name = QStringLiteral("v");
    v->Value = QStringLiteral("text");
    EXPECT_EQ(write(doc), QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<r>\r\n  <a x=\"1\">\r\n"
                                     "    <v>text</v>\r\n  </a>\r\n</r>\r\n"));
    doc.AutoIndent = false;
    EXPECT_EQ(write(doc), QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><r><a x=\"1\"><v>text</v></a></r>"));
}

TEST(TrpXMLDocument, PartialLoadingAndLoadItem)
{
    TrpXMLDocument doc;
    doc.Root()->Name = QStringLiteral("pages");
    TrpXMLItem *page = doc.Root()->Add();
    page->Name = QStringLiteral("page");
    page->Text = QStringLiteral("no=\"1\"");
    page->Unloadable = true;
    page->Add()->Name = QStringLiteral("obj");
    const QByteArray bytes = write(doc);
    EXPECT_TRUE(bytes.contains("<page no=\"1\" ld=\"0\"><obj/></page>"));

    MemoryStream stream(bytes);
    TrpXMLDocument partial;
    partial.LoadFromStream(stream, true);
    TrpXMLItem *p = partial.Root()->Items(0);
    EXPECT_FALSE(p->Loaded);
    EXPECT_TRUE(p->Unloadable);
    EXPECT_EQ(p->Count(), 0);
    EXPECT_EQ(p->Text, QStringLiteral("no=\"1\""));
    partial.LoadItem(p);
    EXPECT_TRUE(p->Loaded);
    ASSERT_EQ(p->Count(), 1);
    EXPECT_EQ(p->Items(0)->Name, QStringLiteral("obj"));
    EXPECT_EQ(p->Text, QStringLiteral("no=\"1\""));
}

TEST(TrpXMLDocument, TemporaryFileInALongTempDirIsNotCutTo64Characters)
{
    QTemporaryDir dir;
    TrpXMLDocument doc;
    doc.TempDir = dir.path() + QStringLiteral("/a-rather-long-folder-name-that-is-longer-than-sixty-four-characters");
    QDir().mkpath(doc.TempDir);
    doc.Root()->Name = QStringLiteral("r");
    TrpXMLItem *page = doc.Root()->Add();
    page->Name = QStringLiteral("page");
    page->Unloadable = true;
    page->Add()->Name = QStringLiteral("obj");
    doc.UnloadItem(page);
    EXPECT_EQ(page->Count(), 0);
    EXPECT_EQ(QDir(doc.TempDir).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(write(doc).contains("<page ld=\"0\"><obj/></page>"));
    EXPECT_EQ(page->Count(), 0); // written from the file and dropped again
    doc.Clear();
    EXPECT_EQ(QDir(doc.TempDir).entryList(QDir::Files).size(), 0);
}

TEST(TrpXMLDocument, DeepNestingIsRefused)
{
    QByteArray deep = "<?xml?>";
    for (int i = 0; i < 1000; ++i)
        deep += "<a>";
    EXPECT_THROW(parse(deep), TrpInvalidXMLException);
}

TEST(TrpXMLDocument, InvalidUtf8TagReadsAsWindows1250)
{
    auto doc = parse("<?xml?><r t=\"\xE8\x9A\"/>");
    EXPECT_EQ(doc->Root()->Prop(QStringLiteral("t")), QStringLiteral("čš"));
}
