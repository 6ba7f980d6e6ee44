// Registration modules: functions that register a unit's worth of names
// into a script. Every script gets each module once through AddRTTI, the
// core names first; what modules register carries the tag 1 and survives
// TscScript::Clear.
#pragma once

#include <functional>

namespace bralvo::script {

class TscScript;

using TscRTTIModule = std::function<void(TscScript &target)>;

// Appends a module to the process-wide list (start-up, UI thread).
void RegisterScriptModule(const TscRTTIModule &module);

// The engine's basic names: the type names (Integer, String, Variant, ...),
// True, False, nil, Null, the "__StringHelper" and "__ArrayHelper" helpers,
// the ExceptionClassName and ExceptionMessage variables and the var...
// type constants. The first module of every script.
void RegisterCoreNames(TscScript &script);

// Runs every module into script (nothing when it already has them).
void LoadScriptModules(TscScript &script);
// Removes what the modules registered.
void UnloadScriptModules(TscScript &script);

} // namespace bralvo::script
