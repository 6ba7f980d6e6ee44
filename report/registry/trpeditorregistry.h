// The component-editor and property-editor registries a report designer
// consults. Editor classes and component classes are class-library class
// references; a property type is a type record compared by identity.
#pragma once

#include "platform/collection.h"

namespace bralvo::platform {
struct PropInfo;
}

namespace bralvo::report {

// A property's type record. One record per name (case counts), so two
// lookups of the same name give the same record.
struct TrpPropertyType {
    QString Name;
};

// The record of that type name; never nullptr.
const TrpPropertyType *PropertyTypeNamed(const QString &name);
// The record a stored property has: its enumeration's type name
// ("Boolean" for Booleans), its object class's name, "TComponentName" for
// a component's "Name", "TColor" for an integer whose name ends in
// "Color", else the kind's own name ("Integer", "Int64", "Extended",
// "string", "Variant"); nullptr for methods.
const TrpPropertyType *PropertyTypeOf(const platform::PropInfo &prop, const platform::ClassInfo &owner);

class TrpComponentEditorItem : public platform::CollectionItem {
public:
    using platform::CollectionItem::CollectionItem;
    const platform::ClassInfo *ComponentClass = nullptr;
    const platform::ClassInfo *EditorClass = nullptr;
};

class TrpComponentEditorCollection : public platform::Collection {
public:
    TrpComponentEditorCollection();
    int Count() const { return count(); }
    TrpComponentEditorItem *Items(int index) const; // throws ListIndexError
    // Always appends.
    void Register(const platform::ClassInfo *componentClass, const platform::ClassInfo *editorClass);
};

class TrpPropertyEditorItem : public platform::CollectionItem {
public:
    using platform::CollectionItem::CollectionItem;
    const TrpPropertyType *PropertyType = nullptr;     // may be none
    const platform::ClassInfo *ComponentClass = nullptr; // may be none
    QString PropertyName;                              // may be empty
    const platform::ClassInfo *EditorClass = nullptr;  // none: the property is hidden
};

class TrpPropertyEditorCollection : public platform::Collection {
public:
    TrpPropertyEditorCollection();
    int Count() const { return count(); }
    TrpPropertyEditorItem *Items(int index) const; // throws ListIndexError
    // Always appends.
    void Register(const TrpPropertyType *propertyType, const platform::ClassInfo *componentClass,
                  const QString &propertyName, const platform::ClassInfo *editorClass);
    // The item that edits the property, or -1:
    // - a type whose lower-case name starts with "trp" and ends at its
    //   first "event" gives EventEditorIndex;
    // - otherwise, scanning from the last item: a name match (no class,
    //   same type, same name; or instance descends from the item's class
    //   and same name, any type) wins at once; a type-only match (no
    //   class, no name, same type) is kept and the scan goes on, so the
    //   first-registered of those wins.
    int GetEditorIndex(const TrpPropertyType *propertyType, const platform::Persistent *instance,
                       const QString &propertyName) const;

    int EventEditorIndex = -1;
};

// Registers each ";"-separated name of componentClass with no type and no
// editor, which hides it from the property list.
void HideProperties(const platform::ClassInfo *componentClass, const QString &names);

TrpComponentEditorCollection &GetComponentEditorRegistry();
TrpPropertyEditorCollection &GetPropertyEditorRegistry();

} // namespace bralvo::report
