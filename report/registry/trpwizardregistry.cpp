// The wizard registry.
#include "report/registry/trpwizardregistry.h"

namespace bralvo::report {

TrpWizardCollection::TrpWizardCollection()
    : platform::Collection([](platform::Collection *c) { return new TrpWizardItem(c); })
{
}

TrpWizardItem *TrpWizardCollection::Items(int index) const
{
    return static_cast<TrpWizardItem *>(item(index));
}

void TrpWizardCollection::Register(const platform::ClassInfo *classRef, int imageIndex)
{
    for (int i = 0; i < count(); ++i) {
        if (Items(i)->ClassRef == classRef)
            return;
    }
    auto *entry = static_cast<TrpWizardItem *>(add());
    entry->ClassRef = classRef;
    entry->ButtonImageIndex = imageIndex;
}

void TrpWizardCollection::Unregister(const platform::ClassInfo *classRef)
{
    for (int i = count() - 1; i >= 0; --i) {
        if (Items(i)->ClassRef == classRef)
            remove(i);
    }
}

} // namespace bralvo::report
