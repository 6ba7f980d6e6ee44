// TscXMLDocument and TscXMLItem: reading, writing, escaping, attributes,
// the depth limit and cycles.
#include "script/scripterror.h"
#include "script/tscxmldocument.h"
#include "tests/support/errortext.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::script;
using bralvo::test::errorTextOf;

namespace {

// The tree as name[text](children) for compact expectations.
QString shape(const TscXMLItem &item)
{
    QString s = item.Name();
    if (!item.Text().isEmpty())
        s += QLatin1Char('[') + item.Text() + QLatin1Char(']');
    if (item.Count() > 0) {
        QStringList children;
        for (int i = 0; i < item.Count(); ++i)
            children << shape(*item.Items(i));
        s += QLatin1Char('(') + children.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return s;
}

QString loaded(const QString &text)
{
    TscXMLDocument doc;
    doc.LoadFromText(text);
    return shape(*doc.Root());
}

} // namespace

TEST(TscXMLDocument, ReadsElementsAndAttributes)
{
    struct Case { const char *in; const char *shape; };
    const Case cases[] = {
        {"<?xml version=\"1.0\"?><r><a/></r>", "r(a)"},
        {"<?xml?><r><a x=\"1\"/></r>", "r(a[x=\"1\"])"},
        {"<?xml?><r><a x=\"1\"></a></r>", "r(a[x=\"1\"])"},
        {"<?xml?><r><a></A></r>", "r(a)"},
        {"<?xml?><r><a>hello</a></r>", "r(a)"},
        {"<?xml?><r><!-- x -- y --><b/></r>", "r(b)"},
        {"<?xml?><r><!-- <c/> --><b/></r>", "r(b)"},
        {"<?xml?><r><a><b/>", "r(a(b))"},
        {"<?xml?>\r\n<r t=\"1\" >\r\n  <a/>\r\n</r>\r\n", "r[t=\"1\"](a)"},
        {"<?xml?><r><a b=\"1\" c=\"2\"/></r>", "r(a[b=\"1\" c=\"2\"])"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(loaded(QString::fromUtf8(c.in)), QString::fromUtf8(c.shape));
    }
}

TEST(TscXMLDocument, MalformedInputRaises)
{
    for (const char *in : {"<r/>", "<?xml?><r><a</r>", "<?xml?><r><a", "<?xml?><r><a></b></r>",
                           "<?xml?><r><!-- never closed"}) {
        SCOPED_TRACE(in);
        EXPECT_EQ(errorTextOf([&] { loaded(QString::fromUtf8(in)); }), "Invalid file format");
    }
}

TEST(TscXMLDocument, AbsurdDepthRaisesInsteadOfOverflowingTheStack)
{
    const int deep = 100000;
    const QString text = QStringLiteral("<?xml?>") + QStringLiteral("<a>").repeated(deep);
    EXPECT_EQ(errorTextOf([&] { loaded(text); }), "Invalid file format");
    // A nesting within the limit still reads.
    const int ok = TscXMLDocument::kMaxDepth - 1;
    EXPECT_EQ(errorTextOf([&] { loaded(QStringLiteral("<?xml?>") + QStringLiteral("<a>").repeated(ok)); }), "(no error)");
}

TEST(TscXMLDocument, WritesWithAndWithoutIndent)
{
    TscXMLDocument doc;
    doc.Root()->SetName(QStringLiteral("r"));
    TscXMLItem *b = doc.Root()->Add();
    b->SetName(QStringLiteral("b"));
    b->SetText(QStringLiteral("x=1"));
    TscXMLItem *c = doc.Root()->Add();
    c->SetName(QStringLiteral("c"));
    c->Add()->SetName(QStringLiteral("d"));
    EXPECT_EQ(doc.SaveToText(), "<?xml version=\"1.0\"?><r><b x=1/><c><d/></c></r>");
    doc.SetAutoIndent(true);
    EXPECT_EQ(doc.SaveToText(),
              "<?xml version=\"1.0\"?>\r\n<r>\r\n  <b x=1/>\r\n  <c>\r\n    <d/>\r\n  </c>\r\n</r>\r\n");
}

TEST(TscXMLDocument, FileRoundTripAndStreamPosition)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    TscXMLDocument doc;
    doc.Root()->SetName(QStringLiteral("root"));
    TscXMLItem *item = doc.Root()->Add();
    item->SetName(QStringLiteral("item"));
    item->SetProp(QStringLiteral("text"), QStringLiteral("a\"<b>&c\nč"));
    doc.SaveToFile(path);
    TscXMLDocument back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Root()->Items(0)->Prop(QStringLiteral("text")), QStringLiteral("a\"<b>&c\nč"));
    EXPECT_TRUE(errorTextOf([&] { back.LoadFromFile(dir.filePath(QStringLiteral("none.xml"))); })
                    .startsWith(QLatin1String("Cannot open file")));

    // The reader leaves the stream just after the last byte it used.
    QByteArray bytes = "<?xml?><r/>TAIL";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TscXMLDocument s;
    s.LoadFromStream(buffer);
    EXPECT_EQ(buffer.readAll(), "TAIL");
}

TEST(TscXMLEscaping, StrToXMLAndBack)
{
    struct Case { QString plain, xml; };
    const Case cases[] = {
        {QStringLiteral("a\nb"), QStringLiteral("a&#10;b")},
        {QStringLiteral("\"<>\r"), QStringLiteral("&#34;&#60;&#62;&#13;")},
        {QStringLiteral("a&b"), QStringLiteral("a&#38;b")},
        {QStringLiteral("čšž"), QStringLiteral("čšž")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.plain.toStdString());
        EXPECT_EQ(StrToXML(c.plain), c.xml);
        EXPECT_EQ(XMLToStr(c.xml), c.plain);
    }
    EXPECT_EQ(StrToXML(QStringLiteral("&quot;")), "&#34;");
    EXPECT_EQ(XMLToStr(QStringLiteral("x&quot;y")), "x\"y");
    EXPECT_EQ(XMLToStr(QStringLiteral("a & b")), "a & b");
    EXPECT_EQ(XMLToStr(QStringLiteral("a&#65")), "a&#65"); // no ";": left alone
}

TEST(TscXMLEscaping, BadReferencesRaise)
{
    EXPECT_EQ(errorTextOf([] { XMLToStr(QStringLiteral("&#99999999999999;x")); }),
              "'99999999999999' is not a valid integer value");
    EXPECT_EQ(errorTextOf([] { XMLToStr(QStringLiteral("&#1a;x")); }), "'1a' is not a valid integer value");
}

TEST(TscXMLEscaping, ReferenceAbove255RaisesInsteadOfTruncating)
{
    EXPECT_EQ(errorTextOf([] { XMLToStr(QStringLiteral("&#321;x")); }), "Invalid character reference: &#321;");
    EXPECT_EQ(XMLToStr(QStringLiteral("&#255;x")), QStringLiteral("\u00FFx"));
}

TEST(TscXMLItem, PropReadsAndWritesInPlace)
{
    TscXMLItem item;
    item.SetText(QStringLiteral("TEXT=\"a\" n=\"1\""));
    EXPECT_EQ(item.Prop(QStringLiteral("text")), "a");
    EXPECT_EQ(item.Prop(QStringLiteral("N")), "1");
    EXPECT_EQ(item.Prop(QStringLiteral("missing")), "");
    item.SetProp(QStringLiteral("text"), QStringLiteral("b"));
    EXPECT_EQ(item.Text(), "text=\"b\" n=\"1\"");
    item.SetProp(QStringLiteral("n"), QStringLiteral("2"));
    EXPECT_EQ(item.Text(), "text=\"b\" n=\"2\"");
    item.SetProp(QStringLiteral("k"), QStringLiteral("<"));
    EXPECT_EQ(item.Text(), "text=\"b\" n=\"2\" k=\"&#60;\"");
    TscXMLItem empty;
    empty.SetProp(QStringLiteral("a"), QStringLiteral("1"));
    EXPECT_EQ(empty.Text(), "a=\"1\"");
}

TEST(TscXMLItem, TreeOperations)
{
    TscXMLDocument doc;
    TscXMLItem *root = doc.Root();
    TscXMLItem *a = root->Add();
    a->SetName(QStringLiteral("a"));
    TscXMLItem *b = root->Add();
    b->SetName(QStringLiteral("B"));
    EXPECT_EQ(root->Find(QStringLiteral("b")), 1);
    EXPECT_EQ(root->Find(QStringLiteral("zz")), -1);
    TscXMLItem *z = root->FindItem(QStringLiteral("z"));
    EXPECT_EQ(root->Count(), 3);
    EXPECT_EQ(z->Name(), "z");
    EXPECT_EQ(root->FindItem(QStringLiteral("A")), a);

    b->AddItem(z); // moved from root to b
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(z->Parent(), b);
    EXPECT_EQ(z->Root(), root);
    root->InsertItem(0, z);
    EXPECT_EQ(shape(*root), "(z,a,B)");

    TscXMLItem *loose = new TscXMLItem;
    loose->SetName(QStringLiteral("loose"));
    a->AddItem(loose); // ownership passes to a
    TscXMLItem copy;
    copy.Assign(root);
    EXPECT_EQ(shape(copy), "(z,a(loose),B)");
    delete a; // leaves the parent's list
    EXPECT_EQ(shape(*root), "(z,B)");
    EXPECT_EQ(shape(copy), "(z,a(loose),B)");
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Count(), 0);
}

TEST(TscXMLItem, AddingToItselfOrADescendantRaises)
{
    TscXMLDocument doc;
    TscXMLItem *a = doc.Root()->Add();
    TscXMLItem *b = a->Add();
    const QString text = "An element cannot be added to itself or to its own descendant";
    EXPECT_EQ(errorTextOf([&] { a->AddItem(a); }), text);
    EXPECT_EQ(errorTextOf([&] { b->AddItem(a); }), text);
    EXPECT_EQ(errorTextOf([&] { b->InsertItem(0, doc.Root()); }), text);
    EXPECT_EQ(a->Count(), 1);
    EXPECT_EQ(b->Parent(), a);
}

TEST(TscXMLItem, AssignFromOwnDescendant)
{
    TscXMLDocument doc;
    doc.LoadFromText(QStringLiteral("<?xml?><r><a><b/></a></r>"));
    TscXMLItem *root = doc.Root();
    root->Assign(root->Items(0));
    EXPECT_EQ(shape(*root), "a(b)");
}

TEST(TscXMLItem, PropFindsOnlyWholeAttributeNames)
{
    // Table: attribute text, name asked, Prop, RawProp.
    struct Case { const char *text, *name, *prop, *raw; };
    const Case cases[] = {
        {"pos1=\"2:3\" pos=\"1:1\"", "pos", "1:1", "1:1"},      // not the longer name
        {"xpos=\"9\" pos=\"1:1\"", "pos", "1:1", "1:1"},        // nor a name ending so
        {"text=\"a&#38;b\"", "text", "a&b", "a&#38;b"},          // raw stays escaped
        {"text=\"unclosed", "TEXT", "unclosed", "unclosed"},     // value runs to the end
        {"text=\"\" n=\"1\"", "text", "", ""},
        {"a=\"x\" pos=\"2\"", "pos", "2", "2"},               // past a shorter name's `="`
        {"=\"\" n=\"1\"", "n", "1", "1"},                     // past a nameless one
        {"text=", "text", "", ""},                               // no room for the quote
        {"", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        TscXMLItem item;
        item.SetText(QString::fromUtf8(c.text));
        EXPECT_EQ(item.Prop(QString::fromUtf8(c.name)), QString::fromUtf8(c.prop));
        EXPECT_EQ(item.RawProp(QString::fromUtf8(c.name)).toString(), QString::fromUtf8(c.raw));
    }
}

TEST(TscXMLItem, ChildrenMovedAndDeletedInBulk)
{
    TscXMLItem source, target;
    for (const char *name : {"a", "b", "c", "d"})
        source.Add()->SetName(QString::fromLatin1(name));
    target.Add()->SetName(QStringLiteral("t"));
    source.MoveChildrenTo(2, target);
    EXPECT_EQ(shape(source), "(a,b)");
    EXPECT_EQ(shape(target), "(t,c,d)");
    for (int i = 0; i < target.Count(); ++i)
        EXPECT_EQ(target.Items(i)->Parent(), &target);
    source.MoveChildrenTo(5, target); // out of range: nothing moves
    source.MoveChildrenTo(0, source); // onto itself: nothing moves
    EXPECT_EQ(shape(source), "(a,b)");

    TscXMLItem *kept = target.Items(0);
    target.DeleteChildrenFrom(1);
    EXPECT_EQ(shape(target), "(t)");
    EXPECT_EQ(target.Items(0), kept);
    target.DeleteChildrenFrom(-1);
    EXPECT_EQ(target.Count(), 1);
}

// StrToXML copies the characters between references a run at a time:
// against the rule spelt out a character at a time, on references at both
// ends, side by side and half-written.
TEST(TscXMLEscaping, StrToXMLAgreesWithItsRule)
{
    const auto reference = [](const QString &text) {
        QString out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c == u'&' && text.mid(i + 1, 5) == QLatin1String("quot;")) {
                out += QLatin1String("&#34;");
                i += 5;
            } else if (c == u'&' || c == u'\n' || c == u'\r' || c == u'"' || c == u'<' || c == u'>') {
                out += QStringLiteral("&#%1;").arg(int(c));
            } else {
                out += text[i];
            }
        }
        return out;
    };
    const char *texts[] = {"", "plain", ">", "<>", "a>=b", "&", "&&", "&quot;", "&quot", "x&quot;&quot;y",
                           "&&quot;;", "\"quoted\"", "line\r\nnext\n", "&amp;", "<<a>>", "end&quo"};
    for (const char *text : texts) {
        const QString plain = QString::fromUtf8(text);
        SCOPED_TRACE(text);
        EXPECT_EQ(StrToXML(plain), reference(plain));
        XMLEscapeBuffer appended;
        appended.append(QLatin1Char('+'));
        AppendStrToXML(plain, appended);
        EXPECT_EQ(QString(appended.constData(), appended.size()), QLatin1Char('+') + reference(plain));
    }
}
