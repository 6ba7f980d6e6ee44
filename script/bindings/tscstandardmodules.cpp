// Appends the standard modules to the module list.
#include "script/bindings/tscstandardmodules.h"

#include "script/bindings/tscclassesmodule.h"
#include "script/bindings/tscdialogsmodule.h"
#include "script/bindings/tscformsmodule.h"
#include "script/bindings/tscgraphicsmodule.h"
#include "script/bindings/tscinimodule.h"

namespace bralvo::script {

void registerStandardModules()
{
    RegisterRTTIModule(&createRTTIModule<TscIniModule>);
    RegisterRTTIModule(&createRTTIModule<TscClassesModule>);
    RegisterRTTIModule(&createRTTIModule<TscDialogsModule>);
    RegisterRTTIModule(&createRTTIModule<TscGraphicsModule>);
    RegisterRTTIModule(&createRTTIModule<TscFormsModule>);
}

} // namespace bralvo::script
