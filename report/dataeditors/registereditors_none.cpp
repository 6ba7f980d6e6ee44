// Without the registries in the build there is nothing to register into:
// the property lists keep their built-in choices.
#include "report/dataeditors/registereditors.h"

namespace bralvo::report {

void RegisterEditors() {}

TrpPropertyEditor *CreatePropertyEditor(const platform::ClassInfo *, platform::Component *)
{
    return nullptr;
}

TrpComponentEditor *CreateComponentEditor(const platform::ClassInfo *, platform::Component *, platform::Component *)
{
    return nullptr;
}

TrpComponentEditor *ComponentEditorFor(platform::Component *, platform::Component *)
{
    return nullptr;
}

} // namespace bralvo::report
