// The export filters alive in the process, in creation order. Every
// export filter registers itself when constructed and unregisters itself
// when destroyed (report/model/trpenginebases.h); the preview builds its
// export menu from this list.
#pragma once

#include "platform/collection.h"

namespace bralvo::report {

class TrpCustomExportFilter;

class TrpExportFilterItem : public platform::CollectionItem {
public:
    using platform::CollectionItem::CollectionItem;
    TrpCustomExportFilter *Filter = nullptr; // not owned
};

class TrpExportFilterCollection : public platform::Collection {
public:
    TrpExportFilterCollection();
    int Count() const { return count(); }
    TrpExportFilterItem *Items(int index) const; // throws ListIndexError
    TrpExportFilterItem *GetItem(int index) const { return Items(index); }
    // Ignores nullptr and a filter already listed.
    void Register(TrpCustomExportFilter *filter);
    // Removes every item holding filter.
    void Unregister(TrpCustomExportFilter *filter);
};

TrpExportFilterCollection &GetExportFilterRegistry();
// Unregisters filter unless the registries are already gone (a filter
// destroyed during shut-down after the library's finalization).
void UnregisterExportFilter(TrpCustomExportFilter *filter);

} // namespace bralvo::report
