// The standard script bindings: the INI-file, classes, dialogs, graphics
// and forms modules, appended to the module list in that order right
// after the built-in functions. Start-up calls registerStandardModules()
// once (again does nothing); every script's AddRTTI then receives them.
#pragma once

namespace bralvo::script {

void registerStandardModules();

} // namespace bralvo::script
