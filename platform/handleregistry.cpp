// The handle table: a hash from handle to object, guarded by one mutex.
#include "platform/handleregistry.h"

#include <QHash>
#include <mutex>

namespace bralvo::platform {

namespace {

struct Table {
    std::mutex lock;
    QHash<qint64, HandleTarget *> objects;
    // Start far from small integers so that a number a script computes
    // by accident (1, 2, 100) is never mistaken for an object.
    static constexpr qint64 first = qint64(1) << 24;
    qint64 next = first;
};

// Never destroyed: objects with static lifetime may withdraw their handles
// after every other static is gone.
Table &table()
{
    static Table *instance = new Table;
    return *instance;
}

} // namespace

InvalidHandleError::InvalidHandleError() : Error(QStringLiteral("Invalid object reference")) {}

InvalidHandleError::InvalidHandleError(const QString &userText) : Error(userText) {}

HandleTarget::~HandleTarget()
{
    if (m_handle != 0)
        HandleRegistry::withdraw(m_handle);
}

qint64 HandleTarget::handle() const
{
    if (m_handle == 0)
        m_handle = HandleRegistry::issue(this);
    return m_handle;
}

qint64 HandleRegistry::handleOf(const HandleTarget *object)
{
    return object ? object->handle() : 0;
}

HandleTarget *HandleRegistry::lookup(qint64 handle)
{
    return lookupOr(handle, QString());
}

HandleTarget *HandleRegistry::lookupOr(qint64 handle, const QString &message)
{
    if (handle == 0)
        return nullptr;
    Table &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    HandleTarget *object = t.objects.value(handle, nullptr);
    if (!object)
        throw message.isEmpty() ? InvalidHandleError() : InvalidHandleError(message);
    return object;
}

bool HandleRegistry::isLive(qint64 handle)
{
    Table &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    return handle != 0 && t.objects.contains(handle);
}

bool HandleRegistry::wasIssued(qint64 handle)
{
    Table &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    return handle >= Table::first && handle < t.next;
}

int HandleRegistry::liveCount()
{
    Table &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    return int(t.objects.size());
}

qint64 HandleRegistry::issue(const HandleTarget *object)
{
    Table &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    const qint64 handle = t.next++;
    t.objects.insert(handle, const_cast<HandleTarget *>(object));
    return handle;
}

void HandleRegistry::withdraw(qint64 handle)
{
    Table &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.objects.remove(handle);
}

} // namespace bralvo::platform
