// Registration modules: objects whose constructor registers a unit's worth
// of names (classes, functions, constants, types) into a script. A process-
// wide list holds the module classes in start-up order, the built-in
// functions (TscSysFunctions) always first. TscScript::AddRTTI creates one
// instance of each into the script; everything registered meanwhile carries
// the owner tag 1, survives TscScript::Clear and goes with ClearRTTI.
#pragma once

#include "script/tscitems.h"

#include <QList>
#include <memory>

namespace bralvo::script {

class TscRTTIModule : public TscObject {
public:
    explicit TscRTTIModule(TscScript &script) : TargetScript(script) {}

    TscScript &TargetScript;
};

// A module class: makes the module for a script (the module's constructor
// does the registering).
using TscRTTIModuleClass = std::unique_ptr<TscRTTIModule> (*)(TscScript &script);

template <class Module>
std::unique_ptr<TscRTTIModule> createRTTIModule(TscScript &script)
{
    return std::make_unique<Module>(script);
}

// The module list (UI thread). Appending a class already listed does
// nothing; the built-in module cannot be removed.
void RegisterRTTIModule(TscRTTIModuleClass moduleClass);
void UnregisterRTTIModule(TscRTTIModuleClass moduleClass);
QList<TscRTTIModuleClass> RTTIModuleList();

// The owner tag of everything modules register.
const void *rttiOwnerTag();

} // namespace bralvo::script
