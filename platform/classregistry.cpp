// Process-wide table of registered classes.
#include "platform/classregistry.h"

#include <QHash>
#include <QMutex>

namespace bralvo::platform {

namespace {

struct Registry {
    QMutex mutex;
    QHash<QString, const ClassInfo *> classes;
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

void registerClass(const ClassInfo &info)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    const QString key = info.name.toLower();
    if (!r.classes.contains(key))
        r.classes.insert(key, &info);
}

void unregisterClass(const ClassInfo &info)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    const QString key = info.name.toLower();
    if (r.classes.value(key) == &info)
        r.classes.remove(key);
}

const ClassInfo *findClass(const QString &name)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    return r.classes.value(name.toLower(), nullptr);
}

QList<const ClassInfo *> registeredClasses()
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    return r.classes.values();
}

const ClassInfo &getClass(const QString &name)
{
    const ClassInfo *info = findClass(name);
    if (!info)
        throw ClassNotFoundError(QStringLiteral("Class %1 not found").arg(name));
    return *info;
}

Persistent *createObject(const QString &className, Component *owner)
{
    const ClassInfo &info = getClass(className);
    if (!info.create)
        throw ClassNotFoundError(QStringLiteral("Class %1 is abstract").arg(className));
    return info.create(owner);
}

} // namespace bralvo::platform
