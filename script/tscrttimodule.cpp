// The process-wide list of registration modules.
#include "script/tscrttimodule.h"

#include "script/tscsysfunctions.h"

namespace bralvo::script {

namespace {

QList<TscRTTIModuleClass> &modules()
{
    static QList<TscRTTIModuleClass> list{&createRTTIModule<TscSysFunctions>};
    return list;
}

} // namespace

void RegisterRTTIModule(TscRTTIModuleClass moduleClass)
{
    if (moduleClass && !modules().contains(moduleClass))
        modules().append(moduleClass);
}

void UnregisterRTTIModule(TscRTTIModuleClass moduleClass)
{
    if (moduleClass != &createRTTIModule<TscSysFunctions>)
        modules().removeAll(moduleClass);
}

QList<TscRTTIModuleClass> RTTIModuleList()
{
    return modules();
}

const void *rttiOwnerTag()
{
    return reinterpret_cast<const void *>(1);
}

} // namespace bralvo::script
