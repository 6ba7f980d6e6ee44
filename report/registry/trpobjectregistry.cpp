// The registry of report object classes.
#include "report/registry/trpobjectregistry.h"

#include "platform/classregistry.h"

namespace bralvo::report {

namespace {

quint8 categoriesOf(const platform::ClassInfo &info)
{
    if (classDescendsFrom(info, QStringLiteral("TrpDataSet")) ||
        classDescendsFrom(info, QStringLiteral("TrpCustomDatabase")))
        return ocData;
    if (classDescendsFrom(info, QStringLiteral("TrpDialogControl")) ||
        classDescendsFrom(info, QStringLiteral("TrpDialogComponent")))
        return ocDialog;
    return ocReport;
}

} // namespace

bool classDescendsFrom(const platform::ClassInfo &info, const QString &name)
{
    for (const platform::ClassInfo *c = &info; c; c = c->parent) {
        if (c->name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

TrpObjectCollection::TrpObjectCollection()
    : platform::Collection([](platform::Collection *c) { return new TrpObjectItem(c); })
{
}

TrpObjectItem *TrpObjectCollection::Items(int index) const
{
    return static_cast<TrpObjectItem *>(item(index));
}

void TrpObjectCollection::RegisterObject(const platform::ClassInfo *classRef, const QImage *buttonBmp,
                                         const QString &text1, const QString &text2, quint16 flags,
                                         int imageIndex, quint8 categories)
{
    for (int i = 0; i < count(); ++i) {
        const TrpObjectItem *existing = Items(i);
        if (existing->ClassRef && existing->ClassRef == classRef && existing->Flags == flags)
            return;
    }
    if (classRef)
        platform::registerClass(*classRef);
    auto *entry = static_cast<TrpObjectItem *>(add());
    entry->ClassRef = classRef;
    entry->ButtonBmp = buttonBmp; // a QImage holds no device handle to release
    entry->ButtonImageIndex = imageIndex;
    entry->Text1 = text1;
    entry->Text2 = text2;
    entry->Flags = flags;
    entry->Categories = categories != 0 || !classRef ? categories : categoriesOf(*classRef);
}

void TrpObjectCollection::Unregister(const platform::ClassInfo *classRef)
{
    for (int i = count() - 1; i >= 0; --i) {
        if (Items(i)->ClassRef == classRef)
            remove(i);
    }
}

TrpObjectItem *TrpObjectCollection::FindItem(const platform::ClassInfo *classRef) const
{
    for (int i = 0; i < count(); ++i) {
        if (Items(i)->ClassRef == classRef)
            return Items(i);
    }
    return nullptr;
}

} // namespace bralvo::report
