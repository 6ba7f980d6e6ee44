// Script bindings of the data classes: the data-access classes (fields,
// datasets, parameters), the report database components, the ADO classes
// and the report ADO components, as four modules in that order. They join
// the process-wide module list after the standard bindings, so every new
// report's script knows them.
#pragma once

namespace bralvo::report {

// Adds the four modules to the list (once).
void registerDataScriptBindings();

} // namespace bralvo::report
