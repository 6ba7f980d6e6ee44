// Growing views: stretch mode and the split-output hooks.
#include "report/model/trpstretcheable.h"

namespace bralvo::report {

const platform::EnumInfo &stretchModeEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TrpStretchMode"),
                                      {QStringLiteral("smDontStretch"), QStringLiteral("smActualHeight"),
                                       QStringLiteral("smMaxHeight")}};
    return e;
}

const platform::ClassInfo &TrpStretcheable::staticClass()
{
    using T = TrpStretcheable;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpStretcheable", &TrpView::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.enumeration("StretchMode", stretchModeEnum(), &T::StretchMode, &T::SetStretchMode, smDontStretch);
        });
    return info;
}

} // namespace bralvo::report
