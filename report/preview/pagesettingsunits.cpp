// Unit conversion of the page settings dialog.
#include "report/preview/pagesettingsunits.h"

#include "report/model/trpresources.h"
#include "report/model/trputils.h"

namespace bralvo::report {

PageSettingsUnits::PageSettingsUnits(int stored) : m_units(stored >= 0 && stored <= 3 ? stored : 0) {}

double PageSettingsUnits::FromMm(double mm) const
{
    return Inches() ? mm / 25.4 : mm / 10;
}

double PageSettingsUnits::ToMm(double shown) const
{
    return Inches() ? shown * 25.4 : shown * 10;
}

QString PageSettingsUnits::Label() const
{
    return GetResources().Get(Inches() ? QStringLiteral("uInch") : QStringLiteral("uCm"));
}

QString PageSettingsUnits::Text(double mm) const
{
    return FloatToTwoDecimalStr(FromMm(mm));
}

} // namespace bralvo::report
