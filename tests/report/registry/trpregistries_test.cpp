// The five registries: duplicate rules, export filters following their
// objects, and the property-editor lookup order.
#include "platform/component.h"
#include "report/export/trppdfexport.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpreport.h"
#include "report/registry/trpeditorregistry.h"
#include "report/registry/trpexportfilterregistry.h"
#include "report/registry/trpobjectregistry.h"
#include "report/registry/trpwizardregistry.h"

#include "platform/classregistry.h"
#include "platform/font.h"

#include <gtest/gtest.h>
#include <memory>

using namespace bralvo::report;
namespace platform = bralvo::platform;

namespace {

// A class of its own per test, so registrations of other tests never meet it.
platform::ClassInfo makeInfo(const QString &name, const platform::ClassInfo *parent)
{
    return platform::makeClassInfo(name, parent, nullptr, [](platform::PropertyTable &) {});
}

int itemsOf(const platform::ClassInfo &info)
{
    int n = 0;
    for (int i = 0; i < GetObjectRegistry().Count(); ++i)
        n += GetObjectRegistry().Items(i)->ClassRef == &info ? 1 : 0;
    return n;
}

} // namespace

TEST(TrpObjectRegistry, SameClassTwiceKeepsOneItemUnlessTheFlagsDiffer)
{
    static const platform::ClassInfo info = makeInfo(QStringLiteral("TrpRegTwice"), &TrpView::staticClass());
    TrpObjectCollection &objects = GetObjectRegistry();
    objects.RegisterObject(&info, nullptr, QString(), QString(), 0, 7);
    objects.RegisterObject(&info, nullptr, QString(), QString(), 0, 7);
    EXPECT_EQ(itemsOf(info), 1);
    objects.RegisterObject(&info, nullptr, QString(), QString(), 1, 7);
    EXPECT_EQ(itemsOf(info), 2);
    EXPECT_EQ(platform::findClass(QStringLiteral("trpregtwice")), &info);
    objects.Unregister(&info);
    EXPECT_EQ(itemsOf(info), 0);
}

TEST(TrpObjectRegistry, EmptyCategoriesAreTakenFromTheClass)
{
    static const platform::ClassInfo data = makeInfo(QStringLiteral("TrpRegData"), &TrpUserDataSet::staticClass());
    static const platform::ClassInfo dialog =
        makeInfo(QStringLiteral("TrpRegDialog"), &TrpDialogControl::staticClass());
    static const platform::ClassInfo view = makeInfo(QStringLiteral("TrpRegView"), &TrpMemoView::staticClass());
    static const platform::ClassInfo dbBase = makeInfo(QStringLiteral("TrpCustomDatabase"), nullptr);
    static const platform::ClassInfo database = makeInfo(QStringLiteral("TrpRegDatabase"), &dbBase);
    const struct {
        const platform::ClassInfo *info;
        quint8 given, expected;
    } cases[] = {{&data, 0, ocData},     {&dialog, 0, ocDialog}, {&view, 0, ocReport},
                 {&database, 0, ocData}, {&view, ocDMP, ocDMP}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.info->name.toStdString());
        GetObjectRegistry().RegisterObject(c.info, nullptr, QString(), QString(), c.given, 1, c.given);
        TrpObjectItem *item = GetObjectRegistry().Items(GetObjectRegistry().Count() - 1);
        EXPECT_EQ(item->ClassRef, c.info);
        EXPECT_EQ(item->Categories, c.expected);
        GetObjectRegistry().Unregister(c.info);
    }
}

TEST(TrpObjectRegistry, DotMatrixObjectsAreRegisteredWithTheirImages)
{
    TrpReport report(nullptr); // start-up registration
    const struct {
        const platform::ClassInfo *info;
        int image;
    } cases[] = {{&TrpDMPMemoView::staticClass(), 2},
                 {&TrpDMPLineView::staticClass(), 5},
                 {&TrpDMPCommand::staticClass(), 21}};
    for (const auto &c : cases) {
        const TrpObjectItem *item = GetObjectRegistry().FindItem(c.info);
        ASSERT_NE(item, nullptr) << c.info->name.toStdString();
        EXPECT_EQ(item->ButtonImageIndex, c.image);
        EXPECT_EQ(item->Categories, ocDMP);
        EXPECT_EQ(item->Flags, 0);
        EXPECT_EQ(itemsOf(*c.info), 1);
    }
    EXPECT_NE(platform::findClass(QStringLiteral("TrpDMPPage")), nullptr);
}

TEST(TrpExportFilterRegistry, FiltersComeAndGoWithTheirObjects)
{
    const int before = GetExportFilterRegistry().Count();
    auto first = std::make_unique<TrpPDFExport>();
    {
        TrpPDFExport second;
        ASSERT_EQ(GetExportFilterRegistry().Count(), before + 2);
        EXPECT_EQ(GetExportFilterRegistry().Items(before)->Filter, first.get());
        EXPECT_EQ(GetExportFilterRegistry().Items(before + 1)->Filter, &second);
        GetExportFilterRegistry().Register(&second); // already listed
        GetExportFilterRegistry().Register(nullptr);
        EXPECT_EQ(GetExportFilterRegistry().Count(), before + 2);
        EXPECT_EQ(exportFilters().size(), before + 2);
    }
    ASSERT_EQ(GetExportFilterRegistry().Count(), before + 1);
    EXPECT_EQ(GetExportFilterRegistry().Items(before)->Filter, first.get());
    first.reset();
    EXPECT_EQ(GetExportFilterRegistry().Count(), before);
}

TEST(TrpWizardRegistry, AClassIsListedOnce)
{
    static const platform::ClassInfo wizard = makeInfo(QStringLiteral("TrpRegWizard"), &TrpCustomWizard::staticClass());
    TrpWizardCollection &wizards = GetWizardRegistry();
    const int before = wizards.Count();
    wizards.Register(&wizard, 3);
    wizards.Register(&wizard, 4);
    ASSERT_EQ(wizards.Count(), before + 1);
    EXPECT_EQ(wizards.GetItem(before)->ButtonImageIndex, 3);
    wizards.Unregister(&wizard);
    EXPECT_EQ(wizards.Count(), before);
}

TEST(TrpComponentEditorRegistry, AlwaysAppends)
{
    static const platform::ClassInfo editor = makeInfo(QStringLiteral("TrpRegEditor"), nullptr);
    TrpComponentEditorCollection &editors = GetComponentEditorRegistry();
    const int before = editors.Count();
    editors.Register(&TrpMemoView::staticClass(), &editor);
    editors.Register(&TrpMemoView::staticClass(), &editor);
    ASSERT_EQ(editors.Count(), before + 2);
    EXPECT_EQ(editors.Items(before + 1)->EditorClass, &editor);
}

// The design-interface registrations, in their start-up order, on a
// registry of the test's own.
class PropertyEditorLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto reg = [this](const char *type, const platform::ClassInfo *cls, const char *name,
                                const platform::ClassInfo *editor) {
            m_editors.Register(PropertyTypeNamed(QString::fromLatin1(type)), cls, QString::fromLatin1(name),
                               editor);
        };
        reg("TComponentName", nullptr, "Name", &m_nameEditor);
        reg("TColor", nullptr, "", &m_colorEditor);
        reg("TFont", nullptr, "", &m_fontEditor);
        reg("string", &platform::Font::staticClass(), "Name", &m_fontNameEditor);
        reg("Integer", &platform::Font::staticClass(), "Charset", &m_charsetEditor);
        reg("TColor", nullptr, "", &m_laterColorEditor);
    }

    TrpPropertyEditorCollection m_editors;
    const platform::ClassInfo m_nameEditor = makeInfo(QStringLiteral("TrpNameProperty"), nullptr);
    const platform::ClassInfo m_colorEditor = makeInfo(QStringLiteral("TrpColorProperty"), nullptr);
    const platform::ClassInfo m_fontEditor = makeInfo(QStringLiteral("TrpFontProperty"), nullptr);
    const platform::ClassInfo m_fontNameEditor = makeInfo(QStringLiteral("TrpFontNameProperty"), nullptr);
    const platform::ClassInfo m_charsetEditor = makeInfo(QStringLiteral("TrpFontCharsetProperty"), nullptr);
    const platform::ClassInfo m_laterColorEditor = makeInfo(QStringLiteral("TrpLaterColor"), nullptr);
};

TEST_F(PropertyEditorLookup, NameMatchesWinAndTypeOnlyMatchesKeepTheFirst)
{
    platform::Font font;
    TrpMemoView memo(nullptr);
    const auto type = [](const char *name) { return PropertyTypeNamed(QString::fromLatin1(name)); };
    EXPECT_EQ(m_editors.GetEditorIndex(type("string"), &font, QStringLiteral("Name")), 3);
    EXPECT_EQ(m_editors.GetEditorIndex(type("string"), &font, QStringLiteral("name")), 3);
    EXPECT_EQ(m_editors.GetEditorIndex(type("string"), &memo, QStringLiteral("Name")), -1);
    EXPECT_EQ(m_editors.GetEditorIndex(type("TComponentName"), &memo, QStringLiteral("Name")), 0);
    EXPECT_EQ(m_editors.GetEditorIndex(type("TColor"), &memo, QStringLiteral("Color")), 1);
    EXPECT_EQ(m_editors.GetEditorIndex(type("Integer"), &font, QStringLiteral("Charset")), 4);
    EXPECT_EQ(m_editors.GetEditorIndex(type("Integer"), &font, QStringLiteral("Size")), -1);
    EXPECT_EQ(m_editors.GetEditorIndex(type("Integer"), nullptr, QStringLiteral("Charset")), -1);
}

TEST_F(PropertyEditorLookup, EventTypesTakeTheEventEditorIndex)
{
    platform::Font font;
    m_editors.Register(PropertyTypeNamed(QStringLiteral("TrpNotifyEvent")), nullptr, QString(), &m_nameEditor);
    EXPECT_EQ(m_editors.GetEditorIndex(PropertyTypeNamed(QStringLiteral("TrpNotifyEvent")), &font,
                                       QStringLiteral("OnClick")),
              -1);
    // "event" must end the name, and the name must start with "trp".
    EXPECT_EQ(m_editors.GetEditorIndex(PropertyTypeNamed(QStringLiteral("TrpNotifyEvent")), &font, QString()), -1);
    EXPECT_EQ(m_editors.GetEditorIndex(PropertyTypeNamed(QStringLiteral("TrpEventNotifyEvent")), &font,
                                       QStringLiteral("x")),
              -1);
    m_editors.Register(PropertyTypeNamed(QStringLiteral("TNotifyEvent")), nullptr, QString(), &m_nameEditor);
    EXPECT_EQ(m_editors.GetEditorIndex(PropertyTypeNamed(QStringLiteral("TNotifyEvent")), &font,
                                       QStringLiteral("OnClick")),
              m_editors.Count() - 1);
}

TEST(HideProperties, AHiddenPropertyIsFoundWithoutAnEditor)
{
    TrpPropertyEditorCollection &editors = GetPropertyEditorRegistry();
    const int before = editors.Count();
    HideProperties(&TrpUserDataSet::staticClass(), QStringLiteral("DataSet;DataSource;Tag"));
    ASSERT_EQ(editors.Count(), before + 3);
    TrpUserDataSet dataset(nullptr);
    const int index = editors.GetEditorIndex(PropertyTypeNamed(QStringLiteral("Integer")), &dataset,
                                             QStringLiteral("tag"));
    ASSERT_EQ(index, before + 2);
    EXPECT_EQ(editors.Items(index)->EditorClass, nullptr);
    EXPECT_EQ(editors.Items(index)->PropertyType, nullptr);
    EXPECT_EQ(editors.Items(before)->PropertyName, QStringLiteral("DataSet"));
}

TEST(PropertyTypeOf, TablePropertiesMapToTheirTypeRecords)
{
    TrpMemoView memo(nullptr);
    const auto typeOf = [&memo](const char *prop) {
        const platform::PropInfo *info = platform::findProperty(memo, QString::fromLatin1(prop));
        return info ? PropertyTypeOf(*info, memo.classInfo())->Name : QStringLiteral("<none>");
    };
    EXPECT_EQ(typeOf("Name"), QStringLiteral("TComponentName"));
    EXPECT_EQ(typeOf("Left"), QStringLiteral("Extended"));
    EXPECT_EQ(typeOf("Color"), QStringLiteral("TColor"));
    EXPECT_EQ(typeOf("Font"), QStringLiteral("TFont"));
    EXPECT_EQ(typeOf("Visible"), QStringLiteral("Boolean"));
    EXPECT_EQ(PropertyTypeNamed(QStringLiteral("TFont")), PropertyTypeNamed(QStringLiteral("TFont")));
}
