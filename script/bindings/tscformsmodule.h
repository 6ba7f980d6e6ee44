// The forms module: modal results, cursors, border styles, virtual-key
// codes, alignment types and the control enumerations and sets; the
// control and form classes (real Qt widgets, tscformcontrols.h) with their
// events; TApplication and the object "Application".
#pragma once

#include "script/bindings/tscbindingsupport.h"

namespace bralvo::script {

class TscFormsModule : public TscBindingModule {
public:
    explicit TscFormsModule(TscScript &script);

private:
    void registerConstants();
    void registerTypes();
    void registerControl();
    void registerControlClasses();
    void registerForm();
    void registerApplication();

    std::unique_ptr<TscHostObject> m_application;
};

} // namespace bralvo::script
