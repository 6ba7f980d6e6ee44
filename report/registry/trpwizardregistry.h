// The registry of wizards that create report components (class
// references of TrpCustomWizard descendants with their palette image).
#pragma once

#include "platform/collection.h"

namespace bralvo::report {

class TrpWizardItem : public platform::CollectionItem {
public:
    using platform::CollectionItem::CollectionItem;
    const platform::ClassInfo *ClassRef = nullptr;
    int ButtonImageIndex = -1;
    QString Text1, Text2; // left empty by registration
};

class TrpWizardCollection : public platform::Collection {
public:
    TrpWizardCollection();
    int Count() const { return count(); }
    TrpWizardItem *Items(int index) const; // throws ListIndexError
    TrpWizardItem *GetItem(int index) const { return Items(index); }
    // Ignores a class already listed.
    void Register(const platform::ClassInfo *classRef, int imageIndex);
    // Removes every item of the class.
    void Unregister(const platform::ClassInfo *classRef);
};

TrpWizardCollection &GetWizardRegistry();

} // namespace bralvo::report
