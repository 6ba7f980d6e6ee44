// The five process-wide registries: each made by its accessor on first
// use and freed when the library shuts down, in the order objects,
// component editors, property editors, export filters, wizards.
#include "report/registry/trpeditorregistry.h"
#include "report/registry/trpexportfilterregistry.h"
#include "report/registry/trpobjectregistry.h"
#include "report/registry/trpwizardregistry.h"

#include <memory>

namespace bralvo::report {

namespace {

// Plain flag: still valid after the registries' static is destroyed.
bool g_finalized = false;

struct Registries {
    std::unique_ptr<TrpObjectCollection> objects;
    std::unique_ptr<TrpComponentEditorCollection> componentEditors;
    std::unique_ptr<TrpPropertyEditorCollection> propertyEditors;
    std::unique_ptr<TrpExportFilterCollection> exportFilters;
    std::unique_ptr<TrpWizardCollection> wizards;

    ~Registries()
    {
        objects.reset();
        componentEditors.reset();
        propertyEditors.reset();
        exportFilters.reset();
        wizards.reset();
        g_finalized = true;
    }
};

Registries &registries()
{
    static Registries r;
    return r;
}

template <class T>
T &made(std::unique_ptr<T> &slot)
{
    if (!slot)
        slot = std::make_unique<T>();
    return *slot;
}

} // namespace

TrpObjectCollection &GetObjectRegistry()
{
    return made(registries().objects);
}

TrpComponentEditorCollection &GetComponentEditorRegistry()
{
    return made(registries().componentEditors);
}

TrpPropertyEditorCollection &GetPropertyEditorRegistry()
{
    return made(registries().propertyEditors);
}

TrpExportFilterCollection &GetExportFilterRegistry()
{
    return made(registries().exportFilters);
}

TrpWizardCollection &GetWizardRegistry()
{
    return made(registries().wizards);
}

void UnregisterExportFilter(TrpCustomExportFilter *filter)
{
    if (g_finalized)
        return;
    if (auto &filters = registries().exportFilters)
        filters->Unregister(filter);
}

} // namespace bralvo::report
