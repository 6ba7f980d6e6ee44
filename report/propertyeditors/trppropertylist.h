// A property list: an object's persistent properties sorted by name, each
// with the editor chosen by its kind unless the property-editor lookup
// (filled by the registry of editors) names another editor or hides it.
// Sets get a sub-list of their elements; object-valued properties a
// sub-list of the held object's properties.
#pragma once

#include "report/propertyeditors/trppropertyeditor.h"

#include <functional>
#include <memory>
#include <vector>

namespace bralvo::report {

class TrpPropertyList;

// The registry's answer for one property: not registered, registered
// without editor (hidden), or registered with a maker of its editor.
struct PropertyEditorChoice {
    bool registered = false;
    std::function<TrpPropertyEditor *(platform::Component *designer)> make;
};
using PropertyEditorLookup =
    std::function<PropertyEditorChoice(const platform::PropInfo &prop, const platform::Persistent &object)>;

// Where the registry of property editors hooks in; an empty lookup falls
// back to the built-in choices (fonts, colours, cursors, modal results,
// shortcuts and component names, recognised by class and name).
void SetPropertyEditorLookup(PropertyEditorLookup lookup);
PropertyEditorChoice LookupPropertyEditor(const platform::PropInfo &prop, const platform::Persistent &object);

struct TrpPropertyItem {
    std::unique_ptr<TrpPropertyEditor> Editor;
    std::unique_ptr<TrpPropertyList> SubProperties;
};

class TrpPropertyList {
public:
    explicit TrpPropertyList(platform::Component *designer = nullptr, TrpPropertyList *parent = nullptr);
    ~TrpPropertyList();

    // Clears the list and fills it for object (nothing for nullptr).
    void SetComponent(platform::Persistent *object);
    platform::Persistent *Component() const { return m_object; }
    TrpPropertyList *Parent() const { return m_parent; }
    int Count() const { return int(m_items.size()); }
    TrpPropertyItem &Items(int index) { return *m_items.at(index); }
    TrpPropertyItem &Add();
    // The editor of the property of that name (ignoring case), or nullptr.
    TrpPropertyEditor *EditorOf(const QString &name) const;

private:
    std::unique_ptr<TrpPropertyEditor> makeEditor(const platform::PropInfo &prop, platform::Persistent &object,
                                                  std::function<TrpPropertyEditor *()> fallback);
    void addProperty(const platform::PropInfo &prop, platform::Persistent &object);

    platform::Component *m_designer;
    TrpPropertyList *m_parent;
    platform::Persistent *m_object = nullptr;
    std::vector<std::unique_ptr<TrpPropertyItem>> m_items;
};

} // namespace bralvo::report
