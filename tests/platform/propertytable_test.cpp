// Persistent-property tables, class registration and fonts.
#include "platform/classregistry.h"
#include "platform/component.h"
#include "platform/font.h"
#include "platform/propertytable.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

namespace {

const EnumInfo &colourEnum()
{
    static const EnumInfo e{QStringLiteral("TColour"), {QStringLiteral("cRed"), QStringLiteral("cGreen")}};
    return e;
}

class Widget : public Component {
    BRALVO_CLASS(Widget)
public:
    using Component::Component;
    int colour() const { return m_colour; }
    void setColour(int c) { m_colour = c; }
    double size() const { return m_size; }
    void setSize(double s) { m_size = s; }
    bool flag() const { return m_flag; }
    void setFlag(bool f) { m_flag = f; }
    QString caption() const { return m_caption; }

private:
    int m_colour = 0;
    double m_size = 1.5;
    bool m_flag = true;
    QString m_caption = QStringLiteral("fixed");
};

const ClassInfo &Widget::staticClass()
{
    static const ClassInfo info = makeClassInfo("TWidget", &Component::staticClass(),
                                                [](Component *o) { return new Widget(o); }, [](PropertyTable &t) {
        PropertyBuilder<Widget> b(t);
        b.enumeration("Colour", colourEnum(), &Widget::colour, &Widget::setColour, 0);
        b.floating("Size", &Widget::size, &Widget::setSize);
        b.boolean("Flag", &Widget::flag, &Widget::setFlag, true);
        b.string("Caption", &Widget::caption, nullptr);
    });
    return info;
}

// Redeclares an ancestor's property and has names that only Qt's case
// folding matches: the long s folds onto "s".
class Gadget : public Widget {
    BRALVO_CLASS(Gadget)
public:
    using Widget::Widget;
};

const ClassInfo &Gadget::staticClass()
{
    static const ClassInfo info = makeClassInfo("TGadget", &Widget::staticClass(), nullptr, [](PropertyTable &t) {
        PropertyBuilder<Widget> b(t);
        b.floating("SIZE", &Widget::size, &Widget::setSize);
        b.floating(QStringLiteral("Ma\u017Fs"), &Widget::size, &Widget::setSize);
        b.floating(QStringLiteral("\u00C4rea"), &Widget::size, &Widget::setSize);
    });
    return info;
}

} // namespace

TEST(PropertyTable, LookupIgnoresCaseAndFindsTheFirstDeclared)
{
    Gadget g;
    const PropertyTable &all = propertiesOf(g);
    const struct {
        QString name;
        int index; // in allProperties, -1 when missing
    } cases[] = {
        {QStringLiteral("size"), 3},             // the ancestor's, not the redeclared one
        {QStringLiteral("CAPTION"), 5},
        {QStringLiteral("tAg"), 1},
        {QStringLiteral("Masss"), -1},
        {QStringLiteral("mass"), 7},             // ASCII name, folded non-ASCII property
        {QStringLiteral("\u00E4REA"), 8},       // non-ASCII both sides
        {QStringLiteral("Siz"), -1},
        {QString(), -1},
    };
    for (const auto &c : cases) {
        const PropInfo *p = findProperty(g, c.name);
        if (c.index < 0)
            EXPECT_EQ(p, nullptr) << c.name.toStdString();
        else
            EXPECT_EQ(p, &all[c.index]) << c.name.toStdString();
    }
}

TEST(PropertyTable, AncestorsFirstInDeclaredOrder)
{
    Widget w;
    QStringList names;
    for (const PropInfo &p : propertiesOf(w))
        names << p.name;
    EXPECT_EQ(names, QStringList({"Name", "Tag", "Colour", "Size", "Flag", "Caption"}));
    EXPECT_FALSE(findProperty(w, QStringLiteral("name"))->isStored(w));
    EXPECT_EQ(findProperty(w, QStringLiteral("missing")), nullptr);
}

TEST(PropertyTable, TextForms)
{
    Widget w;
    const PropInfo *colour = findProperty(w, QStringLiteral("colour"));
    setPropertyText(w, *colour, QStringLiteral("CGREEN"));
    EXPECT_EQ(w.colour(), 1);
    EXPECT_EQ(propertyText(w, *colour), QStringLiteral("cGreen"));
    EXPECT_THROW(setPropertyText(w, *colour, QStringLiteral("cBlue")), ConvertError);
    const PropInfo *flag = findProperty(w, QStringLiteral("Flag"));
    setPropertyText(w, *flag, QStringLiteral("False"));
    EXPECT_FALSE(w.flag());
    const PropInfo *size = findProperty(w, QStringLiteral("Size"));
    setPropertyText(w, *size, QStringLiteral("2,25"));
    EXPECT_EQ(propertyText(w, *size), QStringLiteral("2.25"));
    const PropInfo *caption = findProperty(w, QStringLiteral("Caption"));
    EXPECT_FALSE(caption->hasSetter());
    EXPECT_THROW(setPropertyText(w, *caption, QStringLiteral("x")), ClassLibError);
    Font f;
    const PropInfo *style = findProperty(f, QStringLiteral("Style"));
    setPropertyText(f, *style, QStringLiteral("[fsBold,fsUnderline]"));
    EXPECT_EQ(f.style(), fsBold | fsUnderline);
    EXPECT_EQ(propertyText(f, *style), QStringLiteral("[fsBold,fsUnderline]"));
}

TEST(ClassRegistry, FindsByNameIgnoringCaseAndCreates)
{
    registerClass(Widget::staticClass());
    EXPECT_EQ(findClass(QStringLiteral("twidget")), &Widget::staticClass());
    EXPECT_EQ(findClass(QStringLiteral("TNothing")), nullptr);
    EXPECT_THROW(getClass(QStringLiteral("TNothing")), ClassNotFoundError);
    Component owner;
    Persistent *p = createObject(QStringLiteral("TWidget"), &owner);
    EXPECT_TRUE(p->inheritsFrom(Component::staticClass()));
    EXPECT_EQ(owner.componentCount(), 1);
    EXPECT_THROW(createObject(QStringLiteral("TComponent"), nullptr), ClassNotFoundError);
}

TEST(Font, HeightFollowsSizeAtThePixelDensity)
{
    Font f;
    EXPECT_EQ(f.height(), -13);
    f.setHeight(-16);
    EXPECT_EQ(f.size(), 12);
    int changes = 0;
    f.setOnChange([&] { ++changes; });
    Font other;
    other.setName(QStringLiteral("Tahoma"));
    f.assign(other);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(f.sameAs(other));
}

TEST(PropertyTable, VariantValuesForScripts)
{
    Widget w;
    const PropInfo *flag = findProperty(w, QStringLiteral("Flag"));
    EXPECT_TRUE(propertyValue(w, *flag).isBoolean());
    setPropertyValue(w, *flag, Variant(false));
    EXPECT_FALSE(w.flag());
    const PropInfo *colour = findProperty(w, QStringLiteral("Colour"));
    setPropertyValue(w, *colour, Variant(QStringLiteral("cGreen")));
    EXPECT_EQ(propertyValue(w, *colour).toInt(), 1);
    setPropertyValue(w, *colour, Variant(0));
    EXPECT_EQ(w.colour(), 0);
    const PropInfo *size = findProperty(w, QStringLiteral("Size"));
    setPropertyValue(w, *size, Variant(4));
    EXPECT_DOUBLE_EQ(propertyValue(w, *size).toDouble(), 4.0);
    EXPECT_THROW(setPropertyValue(w, *findProperty(w, QStringLiteral("Caption")), Variant(1)), ClassLibError);
}
