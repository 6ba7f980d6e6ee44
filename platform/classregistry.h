// Class registration by name: readers turn element and class names of
// stored files into objects through this process-wide table.
#pragma once

#include "platform/persistent.h"

#include <QList>
#include <QString>

namespace bralvo::platform {

// Registers Info under its name (ignoring case); registering a name
// twice keeps the first class.
void registerClass(const ClassInfo &info);
void unregisterClass(const ClassInfo &info);
// nullptr when no class of that name is registered.
const ClassInfo *findClass(const QString &name);
// Every registered class, in no particular order.
QList<const ClassInfo *> registeredClasses();
// Throws ClassNotFoundError "Class X not found".
const ClassInfo &getClass(const QString &name);
// A new object of the registered class through its virtual constructor.
// Throws ClassNotFoundError for an unknown or abstract class.
Persistent *createObject(const QString &className, Component *owner);

} // namespace bralvo::platform
