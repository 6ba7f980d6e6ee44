// Start-up registration of the editors: the property editors of the
// design interfaces, the data components' component and property editors,
// the ADO property editors and the three wizards go into the registries
// of report/registry; the property lists then ask those registries.
// Safe to call more than once (later calls do nothing).
#pragma once

namespace bralvo::platform {
struct ClassInfo;
class Component;
}

namespace bralvo::report {

class TrpComponentEditor;
class TrpPropertyEditor;

void RegisterEditors();

// The editor classes stand in the registries as class-library classes;
// these make the editor of such a class (nullptr for any other class).
TrpPropertyEditor *CreatePropertyEditor(const platform::ClassInfo *editorClass, platform::Component *designer);
TrpComponentEditor *CreateComponentEditor(const platform::ClassInfo *editorClass, platform::Component *component,
                                          platform::Component *designer);
// The component editor registered for a component (the last registered
// class it descends from), or nullptr.
TrpComponentEditor *ComponentEditorFor(platform::Component *component, platform::Component *designer);

} // namespace bralvo::report
