// The export-filter registry.
#include "report/registry/trpexportfilterregistry.h"

namespace bralvo::report {

TrpExportFilterCollection::TrpExportFilterCollection()
    : platform::Collection([](platform::Collection *c) { return new TrpExportFilterItem(c); })
{
}

TrpExportFilterItem *TrpExportFilterCollection::Items(int index) const
{
    return static_cast<TrpExportFilterItem *>(item(index));
}

void TrpExportFilterCollection::Register(TrpCustomExportFilter *filter)
{
    if (!filter)
        return;
    for (int i = 0; i < count(); ++i) {
        if (Items(i)->Filter == filter)
            return;
    }
    static_cast<TrpExportFilterItem *>(add())->Filter = filter;
}

void TrpExportFilterCollection::Unregister(TrpCustomExportFilter *filter)
{
    for (int i = count() - 1; i >= 0; --i) {
        if (Items(i)->Filter == filter)
            remove(i);
    }
}

} // namespace bralvo::report
