// Forms and data modules registered with their owned components.
#include "platform/component.h"
#include "platform/handleregistry.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::ClassInfo;
using platform::Component;
using platform::Variant;

namespace {

template <const char *Name>
class Scriptable : public Component, public platform::HandleTarget {
public:
    using Component::Component;
    static const ClassInfo &info(const ClassInfo *parent)
    {
        static const ClassInfo made = platform::makeClassInfo(QLatin1String(Name), parent, nullptr,
                                                              [](platform::PropertyTable &) {});
        return made;
    }
};

constexpr char formBaseName[] = "TForm";
constexpr char dialogName[] = "TDialogForm";
constexpr char moduleName[] = "TDataModule";
constexpr char buttonName[] = "TButton";

class FormBase : public Scriptable<formBaseName> {
    BRALVO_CLASS(FormBase)
public:
    using Scriptable::Scriptable;
};
const ClassInfo &FormBase::staticClass() { return info(&Component::staticClass()); }

class DialogForm : public FormBase {
    BRALVO_CLASS(DialogForm)
public:
    using FormBase::FormBase;
    QString scriptClassName() const override { return QStringLiteral("TDialogForm"); }
};
const ClassInfo &DialogForm::staticClass() { return Scriptable<dialogName>::info(&FormBase::staticClass()); }

class DataModule : public Scriptable<moduleName> {
    BRALVO_CLASS(DataModule)
public:
    using Scriptable::Scriptable;
};
const ClassInfo &DataModule::staticClass() { return info(&Component::staticClass()); }

class Button : public Scriptable<buttonName> {
    BRALVO_CLASS(Button)
public:
    using Scriptable::Scriptable;
    QString scriptClassName() const override { return QStringLiteral("TButton"); }
};
const ClassInfo &Button::staticClass() { return info(&Component::staticClass()); }

TEST(AddComponent, FormClassGetsItsOwnedComponentsAndTheFormItsName)
{
    DialogForm form;
    form.setName(QStringLiteral("Dialog1"));
    auto *ok = new Button(&form);
    ok->setName(QStringLiteral("OkButton"));

    TscScript script;
    script.AddRTTI();
    script.AddClass(QStringLiteral("TButton"), QString());
    script.AddForm(&form);

    TscClassVariable *cls = script.FindClass(QStringLiteral("TDialogForm"));
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->AncestorName.toStdString(), "TForm");
    auto *member = dynamic_cast<TscComponentHelper *>(cls->Find(QStringLiteral("okbutton")));
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->TypeName.toStdString(), "TButton");
    EXPECT_EQ(member->GetValue().toInt64(), ok->handle());
    EXPECT_EQ(script.Find(QStringLiteral("Dialog1"))->GetValue().toInt64(), form.handle());

    script.AddVariable(QStringLiteral("Same"), QStringLiteral("Boolean"), Variant(false));
    script.SetLines({QStringLiteral("begin Same := Dialog1.OkButton = Dialog1.OkButton end.")});
    ASSERT_TRUE(script.Compile()) << script.ErrorText.toStdString();
    script.Execute();
    EXPECT_TRUE(script.Find(QStringLiteral("Same"))->GetValue().toBool());
}

TEST(AddComponent, DataModuleIsRegisteredAndOtherComponentsAreIgnored)
{
    DataModule module;
    module.setName(QStringLiteral("Data1"));
    Button loose;
    loose.setName(QStringLiteral("Loose1"));

    TscScript script;
    script.AddRTTI();
    script.AddComponent(&module);
    script.AddComponent(&loose);
    script.AddComponent(nullptr);
    ASSERT_NE(script.FindClass(QStringLiteral("TDataModule")), nullptr);
    EXPECT_NE(script.Find(QStringLiteral("Data1")), nullptr);
    EXPECT_EQ(script.Find(QStringLiteral("Loose1")), nullptr);
    EXPECT_EQ(script.FindClass(QStringLiteral("TButton")), nullptr);
}

TEST(AddComponent, EveryCallAddsTheComponentMembersAgain)
{
    DialogForm form;
    form.setName(QStringLiteral("Dialog1"));
    (new Button(&form))->setName(QStringLiteral("B1"));
    TscScript script;
    script.AddComponent(&form);
    script.AddComponent(&form);
    TscClassVariable *cls = script.FindClass(QStringLiteral("TDialogForm"));
    ASSERT_NE(cls, nullptr);
    EXPECT_NE(cls->Find(QStringLiteral("B1")), nullptr);
}

} // namespace
