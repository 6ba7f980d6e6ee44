// The registry of report object classes: the classes a page can hold,
// with their category and palette image. Registering a class also makes
// it known to the class library by name (platform/classregistry.h), which
// is how the report reader creates objects from a file.
#pragma once

#include "platform/collection.h"

class QImage;

namespace bralvo::report {

// Category bits of an object class.
enum TrpObjectCategory : quint8 {
    ocData = 1,   // data component
    ocReport = 2, // report page object
    ocDialog = 4, // dialog page object
    ocDMP = 8     // dot-matrix page object
};

class TrpObjectItem : public platform::CollectionItem {
public:
    using platform::CollectionItem::CollectionItem;

    const platform::ClassInfo *ClassRef = nullptr; // may be none
    const QImage *ButtonBmp = nullptr;             // not owned
    int ButtonImageIndex = -1;                     // into the object palette images
    QString Text1, Text2;                          // kept, read by nothing here
    quint16 Flags = 0;
    quint8 Categories = 0;
};

class TrpObjectCollection : public platform::Collection {
public:
    TrpObjectCollection();

    int Count() const { return count(); }
    // Throws platform::ListIndexError outside 0 .. Count - 1.
    TrpObjectItem *Items(int index) const;
    TrpObjectItem *GetItem(int index) const { return Items(index); }

    // Appends an item unless one holds the same class with the same flags
    // (the same class may come again with other flags). An empty
    // categories value is computed from the class: descendants of
    // "TrpDataSet" or "TrpCustomDatabase" are data, of "TrpDialogControl"
    // or "TrpDialogComponent" dialog objects, anything else report objects.
    void RegisterObject(const platform::ClassInfo *classRef, const QImage *buttonBmp, const QString &text1,
                        const QString &text2, quint16 flags, int imageIndex, quint8 categories = 0);
    // Removes every item of the class (the class library keeps the name).
    void Unregister(const platform::ClassInfo *classRef);
    // The first item of the class; nullptr when none.
    TrpObjectItem *FindItem(const platform::ClassInfo *classRef) const;
};

// The process-wide registry, created on first use.
TrpObjectCollection &GetObjectRegistry();

// True when info or one of its ancestors is named name (ignoring case).
bool classDescendsFrom(const platform::ClassInfo &info, const QString &name);

} // namespace bralvo::report
