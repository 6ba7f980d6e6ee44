// Pages and their persistent properties.
#include "report/model/trppage.h"

#include "report/model/trpresources.h"

namespace bralvo::report {

const platform::ClassInfo &TrpPage::staticClass()
{
    using T = TrpPage;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpPage", &TrpComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont).storedIf([](const T &p) { return !p.ParentFont(); });
            b.boolean("Visible", &T::Visible, &T::SetVisible, true);
        });
    return info;
}

const platform::ClassInfo &TrpReportPage::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpReportPage", &TrpPage::staticClass(), [](platform::Component *o) { return new TrpReportPage(o); },
        [](platform::PropertyTable &) {});
    return info;
}

TrpReportPage::TrpReportPage(platform::Component *owner) : TrpPage(owner)
{
    SetBaseName(QStringLiteral("Page"));
    SetBounds(0, 0, 794, 1123);
}

QString TrpReportPage::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obRepPage"));
}

const platform::ClassInfo &TrpDataPage::staticClass()
{
    using T = TrpDataPage;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDataPage", &TrpPage::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.floating("Height", &T::Height, &T::SetHeight);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.floating("Top", &T::Top, &T::SetTop);
            b.floating("Width", &T::Width, &T::SetWidth);
        });
    return info;
}

TrpDataPage::TrpDataPage(platform::Component *owner) : TrpPage(owner)
{
    SetWidth(1000);
    SetHeight(1000);
}

QString TrpDataPage::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDataPage"));
}

const platform::ClassInfo &TrpDialogPage::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDialogPage", &TrpPage::staticClass(), [](platform::Component *o) { return new TrpDialogPage(o); },
        [](platform::PropertyTable &) {});
    return info;
}

QString TrpDialogPage::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDlgPage"));
}

} // namespace bralvo::report
