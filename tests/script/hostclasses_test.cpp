// Host classes reached from scripts through object handles: members,
// indexed and default properties, inheritance of members and default
// properties, nil and stale objects, and array indexing through helpers.
#include "platform/handleregistry.h"
#include "platform/persistent.h"
#include "script/runtimeerror.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

struct Box : platform::HandleTarget {
    QString scriptClassName() const override { return QStringLiteral("TBox"); }
    QStringList items{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
};

// TStrings (default property Strings), TBox derived from it, one Box.
struct Host {
    TscScript script;
    Box box;
    QStringList calls;
    QStringList emitted;

    Host()
    {
        script.AddRTTI();
        script.AddMethod(QStringLiteral("procedure Emit(V: Variant)"),
                         [this](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                             emitted.append(h.GetParamValue(0).toString());
                             return Variant::null();
                         });
        auto items = [this](platform::HandleTarget *obj, const QString &cls, const QString &name,
                            TscMethodHelper &h) {
            calls.append(cls + QLatin1Char(' ') + name);
            auto *b = dynamic_cast<Box *>(obj);
            const int index = h.GetParamValue(0).toInt();
            if (name.endsWith(QLatin1String(".SET")))
                b->items[index] = h.GetParamValue(1).toString();
            return Variant(b->items.value(index));
        };
        TscClassVariable *strings = script.AddClass(QStringLiteral("TStrings"), QString());
        strings->AddDefaultProperty(QStringLiteral("Strings"), QStringLiteral("Integer"), QStringLiteral("String"),
                                    items);
        strings->AddMethod(QStringLiteral("function Describe: String"),
                           [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &) {
                               return Variant(QStringLiteral("strings"));
                           });
        TscClassVariable *boxClass = script.AddClass(QStringLiteral("TBox"), QStringLiteral("TStrings"));
        boxClass->AddIndexProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("String"),
                                   items);
        boxClass->AddMethod(QStringLiteral("function Describe: String"),
                            [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &) {
                                return Variant(QStringLiteral("box"));
                            });
        boxClass->AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"),
                              [](platform::HandleTarget *obj, const QString &, const QString &) {
                                  return Variant(int(dynamic_cast<Box *>(obj)->items.size()));
                              });
        script.AddObject(QStringLiteral("Box1"), &box, QStringLiteral("TBox"));
    }
    QStringList run(const QString &text)
    {
        script.SetLines(text.split(QLatin1Char('\n')));
        EXPECT_TRUE(script.Compile()) << script.ErrorPosition.toStdString() << " " << script.ErrorText.toStdString();
        emitted.clear();
        script.Execute();
        return emitted;
    }
};

} // namespace

TEST(HostClasses, IndexedPropertyAssignmentDeliversSetNameIndexAndValue)
{
    Host host;
    host.run(QStringLiteral("begin Box1.Items[3] := 'v'; Emit(Box1.Items[3]) end."));
    EXPECT_EQ(host.box.items[3], QStringLiteral("v"));
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("TBox ITEMS.SET"), QStringLiteral("TBox ITEMS.GET")}));
    EXPECT_EQ(host.emitted, QStringList{QStringLiteral("v")});
}

TEST(HostClasses, DefaultPropertyIsInheritedAndAnsweredByTheAncestorRegistration)
{
    Host host;
    EXPECT_EQ(host.run(QStringLiteral("begin Emit(Box1[1]) end.")), QStringList{QStringLiteral("b")});
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("TStrings STRINGS.GET")});
}

TEST(HostClasses, OwnMembersHideTheAncestors)
{
    Host host;
    EXPECT_EQ(host.run(QStringLiteral("begin Emit(Box1.Describe); Emit(Box1.Count) end.")),
              (QStringList{QStringLiteral("box"), QStringLiteral("4")}));
}

TEST(HostClasses, DeclarationsOfRegisteredMembers)
{
    Host host;
    TscClassVariable *cls = host.script.FindClass(QStringLiteral("TBox"));
    TscClassVariable *other = host.script.AddClass(QStringLiteral("TOther"), QString());
    auto *indexed = other->AddIndexProperty(QStringLiteral("Items"), QStringLiteral("Integer, String"),
                                            QStringLiteral("Variant"), {});
    EXPECT_EQ(indexed->DeclText.toStdString(), "function Items(p0: Integer; p1: String): Variant");
    auto *create = other->AddConstructor(QStringLiteral("constructor Create(AOwner: TBox)"), {});
    EXPECT_EQ(create->DeclText.toStdString(), "function Create(AOwner: TBox): Constructor");
    EXPECT_EQ(create->TypeCode, tcConstructor);
    EXPECT_EQ(host.script.AddClass(QStringLiteral("TBox"), QString()), nullptr); // registered once per chain
    EXPECT_NE(cls, nullptr);
}

TEST(HostClasses, ReadOnlyPropertyAssignmentIsRefusedAtCompileTime)
{
    Host host;
    host.script.SetLines({QStringLiteral("begin Box1.Count := 3 end.")});
    EXPECT_FALSE(host.script.Compile());
    EXPECT_EQ(host.script.ErrorText.toStdString(), "Left side cannot be assigned to");
}

TEST(HostClasses, InstanceMembersThroughNilObjectRaise)
{
    Host host;
    host.script.SetLines({QStringLiteral("var b: TBox; begin b := nil; Emit(b.Count) end.")});
    ASSERT_TRUE(host.script.Compile()) << host.script.ErrorText.toStdString();
    try {
        host.script.Execute();
        FAIL() << "nil object accepted";
    } catch (const platform::InvalidHandleError &e) {
        EXPECT_EQ(e.userText().toStdString(), "Invalid object reference");
    }
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST(HostClasses, StaleObjectRaisesInsteadOfCalling)
{
    Host host;
    auto gone = std::make_unique<Box>();
    host.script.AddObject(QStringLiteral("Gone"), gone.get(), QStringLiteral("TBox"));
    host.script.SetLines({QStringLiteral("begin Emit(Gone.Describe); Emit(Gone[0]) end.")});
    ASSERT_TRUE(host.script.Compile()) << host.script.ErrorText.toStdString();
    gone.reset();
    EXPECT_THROW(host.script.Execute(), platform::InvalidHandleError);
    EXPECT_TRUE(host.emitted.isEmpty());
}

TEST(HostClasses, IsTestsTheObjectsClassAndAncestors)
{
    Host host;
    EXPECT_EQ(host.run(QStringLiteral("begin Emit(Box1 is TStrings); Emit(Box1 is TBox) end.")),
              (QStringList{QStringLiteral("True"), QStringLiteral("True")}));
}

TEST(ArrayHelpers, IndexingFollowsTheStoredArrayDimensions)
{
    Host host;
    Variant one = Variant::createArray({platform::VarArrayBound{0, 2}}, platform::varVariant);
    one.setElement(1, Variant(7));
    Variant four = Variant::createArray({{0, 1}, {0, 1}, {0, 1}, {0, 1}}, platform::varVariant);
    host.script.AddVariable(QStringLiteral("One"), QStringLiteral("Variant"), one);
    host.script.AddVariable(QStringLiteral("Four"), QStringLiteral("Variant"), four);
    // One[1, 2] uses only the first index; four dimensions read as Null.
    EXPECT_EQ(host.run(QStringLiteral("begin Emit(One[1, 2]); Emit(Four[0, 0, 0] = Null) end.")),
              (QStringList{QStringLiteral("7"), QStringLiteral("True")}));
}

namespace {

// A class-library object with a property table, reachable from scripts.
struct Gadget : platform::Persistent, platform::HandleTarget {
    qint64 width = 3;
    bool visible = false;
    QString caption = QStringLiteral("c");
    const platform::ClassInfo &classInfo() const override { return info(); }
    QString scriptClassName() const override { return QStringLiteral("TGadget"); }

    static const platform::ClassInfo &info()
    {
        static const platform::ClassInfo gadget = [] {
            platform::ClassInfo ci;
            ci.name = QStringLiteral("TGadget");
            platform::PropInfo width;
            width.name = QStringLiteral("Width");
            width.getOrd = [](const platform::Persistent &o) { return static_cast<const Gadget &>(o).width; };
            width.setOrd = [](platform::Persistent &o, qint64 v) { static_cast<Gadget &>(o).width = v; };
            platform::PropInfo visible;
            visible.name = QStringLiteral("Visible");
            visible.kind = platform::PropKind::Enumeration;
            visible.enumInfo = &platform::booleanEnum();
            visible.getOrd = [](const platform::Persistent &o) { return qint64(static_cast<const Gadget &>(o).visible); };
            visible.setOrd = [](platform::Persistent &o, qint64 v) { static_cast<Gadget &>(o).visible = v != 0; };
            platform::PropInfo caption;
            caption.name = QStringLiteral("Caption");
            caption.kind = platform::PropKind::String;
            caption.getString = [](const platform::Persistent &o) { return static_cast<const Gadget &>(o).caption; };
            ci.ownProperties = {width, visible, caption};
            return ci;
        }();
        return gadget;
    }
};

} // namespace

TEST(HostClasses, PropertyTablePropertiesArePublishedSortedAndTyped)
{
    Host host;
    Gadget gadget;
    TscClassVariable *cls = host.script.AddClass(Gadget::info(), QString());
    ASSERT_NE(cls, nullptr);
    host.script.AddObject(QStringLiteral("G"), &gadget, QStringLiteral("TGadget"));
    EXPECT_EQ(cls->Find(QStringLiteral("visible"))->TypeCode, tcBoolean);
    EXPECT_TRUE(cls->Find(QStringLiteral("Caption"))->ReadOnly); // no setter in the table
    EXPECT_EQ(host.run(QStringLiteral("begin G.Width := G.Width * 2; G.Visible := True; Emit(G.Width); "
                                      "Emit(G.Visible); Emit(G.Caption) end.")),
              (QStringList{QStringLiteral("6"), QStringLiteral("True"), QStringLiteral("c")}));
    EXPECT_EQ(gadget.width, 6);
    EXPECT_TRUE(gadget.visible);
    host.script.SetLines({QStringLiteral("begin G.Caption := 'x' end.")});
    EXPECT_FALSE(host.script.Compile());
}
