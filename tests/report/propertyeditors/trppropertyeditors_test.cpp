// Property editors over a small class with one property of each kind:
// text forms, value lists, cycling, errors, and the property list.
#include "report/propertyeditors/trppropertylist.h"
#include "report/propertyeditors/trptypeeditors.h"
#include "report/propertyeditors/trpvaluenames.h"

#include "platform/component.h"
#include "platform/font.h"
#include "platform/regionalsettings.h"
#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::platform::Component;
using bralvo::platform::EnumInfo;
using bralvo::platform::PropertyBuilder;
using bralvo::platform::PropertyTable;

namespace {

const EnumInfo &shapeEnum()
{
    static const EnumInfo e{"TShape", {"skRect", "skCircle", "skLine"}};
    return e;
}

class Sample : public Component {
    BRALVO_CLASS(Sample)
public:
    using Component::Component;
    int count = 0, letter = 65, shape = 0, kinds = 0, modal = 0, colour = 0xFF, cursor = 0, shortcut = 0;
    double ratio = 0;
    QString text;
    bralvo::platform::Font font;

    int getCount() const { return count; }
    void setCount(int v) { count = v; }
    int getLetter() const { return letter; }
    void setLetter(int v) { letter = v; }
    int getShape() const { return shape; }
    void setShape(int v) { shape = v; }
    int getKinds() const { return kinds; }
    void setKinds(int v) { kinds = v; }
    int getModal() const { return modal; }
    void setModal(int v) { modal = v; }
    int getColour() const { return colour; }
    void setColour(int v) { colour = v; }
    int getCursor() const { return cursor; }
    void setCursor(int v) { cursor = v; }
    int getShortCut() const { return shortcut; }
    void setShortCut(int v) { shortcut = v; }
    double getRatio() const { return ratio; }
    void setRatio(double v) { ratio = v; }
    QString getText() const { return text; }
    void setText(const QString &v) { text = v; }
    const bralvo::platform::Font *getFont() const { return &font; }
    void setFont(const bralvo::platform::Font *v) { font.assign(*v); }
};

const bralvo::platform::ClassInfo &Sample::staticClass()
{
    static const bralvo::platform::ClassInfo info = bralvo::platform::makeClassInfo(
        "TSample", &Component::staticClass(), nullptr, [](PropertyTable &t) {
            PropertyBuilder<Sample> b(t);
            b.integer("Count", &Sample::getCount, &Sample::setCount);
            b.integer("Letter", &Sample::getLetter, &Sample::setLetter);
            b.enumeration("Shape", shapeEnum(), &Sample::getShape, &Sample::setShape);
            b.set("Kinds", shapeEnum(), &Sample::getKinds, &Sample::setKinds);
            b.integer("ModalResult", &Sample::getModal, &Sample::setModal);
            b.integer("FillColor", &Sample::getColour, &Sample::setColour);
            b.integer("Cursor", &Sample::getCursor, &Sample::setCursor);
            b.integer("ShortCut", &Sample::getShortCut, &Sample::setShortCut);
            b.floating("Ratio", &Sample::getRatio, &Sample::setRatio);
            b.string("Text", &Sample::getText, &Sample::setText);
            b.object<bralvo::platform::Font>("Font", &Sample::getFont, &Sample::setFont);
        });
    return info;
}

template <class Editor>
std::unique_ptr<Editor> editorFor(Sample &s, const char *name)
{
    auto e = std::make_unique<Editor>(nullptr);
    e->AddObject(&s, bralvo::platform::findProperty(s, name));
    return e;
}

} // namespace

TEST(PropertyEditors, CharacterCodes)
{
    Sample s;
    auto e = editorFor<TrpCharProperty>(s, "Letter");
    EXPECT_EQ(e->GetValue(), "A");
    s.letter = 32;
    EXPECT_EQ(e->GetValue(), "#32");
    e->SetValue("#65");
    EXPECT_EQ(s.letter, 65);
    e->SetValue("");
    EXPECT_EQ(s.letter, 0);
    EXPECT_THROW(e->SetValue("ab"), bralvo::platform::ConvertError);
    EXPECT_EQ(s.letter, 0);
}

TEST(PropertyEditors, SetsShowTheirMembers)
{
    Sample s;
    s.kinds = 0b101;
    EXPECT_EQ(editorFor<TrpSetProperty>(s, "Kinds")->GetValue(), "[skRect,skLine]");
    TrpSetElementProperty circle(nullptr, 1);
    circle.AddObject(&s, bralvo::platform::findProperty(s, "Kinds"));
    EXPECT_EQ(circle.GetName(), "skCircle");
    EXPECT_EQ(circle.GetValue(), "False");
    circle.SetValue("TRUE");
    EXPECT_EQ(s.kinds, 0b111);
    EXPECT_TRUE(circle.Edit()); // cycles True -> False
    EXPECT_EQ(s.kinds, 0b101);
    EXPECT_THROW(circle.SetValue("yes"), bralvo::platform::ConvertError);
}

TEST(PropertyEditors, FloatsTakeCommaOrPointWhateverTheLocale)
{
    Sample s;
    auto e = editorFor<TrpFloatProperty>(s, "Ratio");
    for (const char *text : {"1,5", "1.5", " 1.5 "}) {
        s.ratio = 0;
        e->SetValue(text);
        EXPECT_DOUBLE_EQ(s.ratio, 1.5) << text;
    }
    EXPECT_THROW(e->SetValue("x"), bralvo::platform::ConvertError);
    EXPECT_DOUBLE_EQ(s.ratio, 1.5);
}

TEST(PropertyEditors, EnumerationCyclingWraps)
{
    Sample s;
    auto e = editorFor<TrpEnumProperty>(s, "Shape");
    e->GetValues();
    EXPECT_EQ(e->Values(), QStringList({"skCircle", "skLine", "skRect"}));
    s.shape = 0; // skRect is last in sorted order
    EXPECT_TRUE(e->Edit());
    EXPECT_EQ(e->GetValue(), "skCircle");
    EXPECT_THROW(e->SetValue("skNone"), bralvo::platform::ConvertError);
    EXPECT_FALSE(editorFor<TrpIntegerProperty>(s, "Count")->Edit());
}

TEST(PropertyEditors, ModalResultNamesAndNumbers)
{
    Sample s;
    auto e = editorFor<TrpModalResultProperty>(s, "ModalResult");
    for (const auto &[value, text] : std::vector<std::pair<int, QString>>{
             {0, "mrNone"}, {1, "mrOk"}, {10, "mrYesToAll"}, {11, "11"}, {-1, "-1"}}) {
        s.modal = value;
        EXPECT_EQ(e->GetValue(), text);
    }
    e->SetValue("MRCANCEL");
    EXPECT_EQ(s.modal, 2);
    e->SetValue("");
    EXPECT_EQ(s.modal, 0);
    e->SetValue("42");
    EXPECT_EQ(s.modal, 42);
}

TEST(PropertyEditors, ColoursCursorsAndShortcuts)
{
    Sample s;
    auto colour = editorFor<TrpColorProperty>(s, "FillColor");
    EXPECT_EQ(colour->GetValue(), "clRed");
    s.colour = 0x123456;
    EXPECT_EQ(colour->GetValue(), "$00123456");
    colour->SetValue("$00123457");
    EXPECT_EQ(s.colour, 0x123457);
    colour->SetValue("clNone");
    EXPECT_EQ(s.colour, 0x1FFFFFFF);
    auto cursor = editorFor<TrpCursorProperty>(s, "Cursor");
    cursor->SetValue("crHandPoint");
    EXPECT_EQ(s.cursor, -21);
    s.cursor = 5;
    EXPECT_EQ(cursor->GetValue(), "5");
    auto sc = editorFor<TrpShortCutProperty>(s, "ShortCut");
    EXPECT_EQ(sc->GetValue(), "(None)");
    sc->SetValue("Ctrl+A");
    EXPECT_EQ(s.shortcut, 0x4041);
    EXPECT_EQ(StandardShortCuts().size(), 108);
    sc->GetValues();
    EXPECT_EQ(sc->Values().size(), 109);
    EXPECT_EQ(sc->Values().last(), "Shift+Alt+BkSp");
}

TEST(PropertyList, SortedKindsAndChosenEditors)
{
    Sample s;
    TrpPropertyList list;
    list.SetComponent(&s);
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names.append(list.Items(i).Editor->GetName());
    EXPECT_EQ(names, QStringList({"Count", "Cursor", "FillColor", "Font", "Kinds", "Letter", "ModalResult",
                                  "Name", "Ratio", "Shape", "ShortCut", "Text"})); // Tag is 64-bit: no editor
    EXPECT_NE(dynamic_cast<TrpColorProperty *>(list.EditorOf("FillColor")), nullptr);
    EXPECT_NE(dynamic_cast<TrpNameProperty *>(list.EditorOf("Name")), nullptr);
    EXPECT_NE(dynamic_cast<TrpFontProperty *>(list.EditorOf("Font")), nullptr);
    EXPECT_EQ(dynamic_cast<TrpNameProperty *>(list.EditorOf("Text")), nullptr);
    // The font's own properties: Name and Charset get their editors.
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Items(i).Editor->GetName() != "Font")
            continue;
        TrpPropertyList *font = list.Items(i).SubProperties.get();
        ASSERT_NE(font, nullptr);
        EXPECT_NE(dynamic_cast<TrpFontNameProperty *>(font->EditorOf("Name")), nullptr);
        EXPECT_NE(dynamic_cast<TrpFontCharsetProperty *>(font->EditorOf("Charset")), nullptr);
        EXPECT_EQ(font->EditorOf("Charset")->GetValue(), "DEFAULT_CHARSET");
    }
}

TEST(PropertyList, RegisteredEditorsAndHiddenProperties)
{
    SetPropertyEditorLookup([](const bralvo::platform::PropInfo &prop, const bralvo::platform::Persistent &) {
        if (prop.name == "Text")
            return PropertyEditorChoice{true, {}}; // hidden
        if (prop.name == "Count")
            return PropertyEditorChoice{true, [](Component *d) -> TrpPropertyEditor * {
                                            return new TrpCharProperty(d);
                                        }};
        return PropertyEditorChoice{};
    });
    Sample s;
    TrpPropertyList list;
    list.SetComponent(&s);
    SetPropertyEditorLookup({});
    EXPECT_EQ(list.EditorOf("Text"), nullptr);
    EXPECT_NE(dynamic_cast<TrpCharProperty *>(list.EditorOf("Count")), nullptr);
    // A set's elements take the set's own registration too.
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i).Editor->GetName() == "Kinds")
            EXPECT_EQ(list.Items(i).SubProperties->Count(), 3);
}
