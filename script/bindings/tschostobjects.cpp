// Host objects of the standard classes and the pools that own them.
#include "script/bindings/tschostobjects.h"

#include <QHash>
#include <algorithm>

namespace bralvo::script {

namespace {

QList<TscObjectPool *> &pools()
{
    static QList<TscObjectPool *> list;
    return list;
}

QList<std::function<bool(platform::HandleTarget *)>> &releasers()
{
    static QList<std::function<bool(platform::HandleTarget *)>> list;
    return list;
}

} // namespace

TscFreeError::TscFreeError()
    : platform::InvalidHandleError(QStringLiteral("Cannot free an object the program owns"))
{
}

qint64 TscStrings::objectAt(int index) const
{
    return qint64(reinterpret_cast<quintptr>(List.object(index)));
}

void TscStrings::setObjectAt(int index, qint64 handle)
{
    List.setObject(index, reinterpret_cast<void *>(quintptr(handle)));
}

TscStream::TscStream(const QString &className, std::unique_ptr<platform::Stream> stream)
    : TscHostObject(className), m_stream(std::move(stream))
{
}

TscObjectPool::TscObjectPool()
{
    pools().append(this);
}

TscObjectPool::~TscObjectPool()
{
    pools().removeAll(this);
    // Newest first: a form goes after the controls made on it.
    while (!m_objects.empty()) {
        std::unique_ptr<platform::HandleTarget> last = std::move(m_objects.back());
        m_objects.pop_back();
        last.reset();
    }
}

qint64 TscObjectPool::adopt(std::unique_ptr<platform::HandleTarget> object)
{
    const qint64 handle = platform::HandleRegistry::handleOf(object.get());
    if (object)
        m_objects.push_back(std::move(object));
    return handle;
}

std::unique_ptr<platform::HandleTarget> TscObjectPool::release(const platform::HandleTarget *object)
{
    const auto it = std::find_if(m_objects.begin(), m_objects.end(),
                                 [object](const auto &o) { return o.get() == object; });
    if (it == m_objects.end())
        return nullptr;
    std::unique_ptr<platform::HandleTarget> taken = std::move(*it);
    m_objects.erase(it);
    return taken;
}

bool TscObjectPool::contains(const platform::HandleTarget *object) const
{
    return std::any_of(m_objects.begin(), m_objects.end(), [object](const auto &o) { return o.get() == object; });
}

void TscObjectPool::freeObject(platform::HandleTarget *object)
{
    if (!object)
        return;
    if (std::unique_ptr<platform::HandleTarget> taken = releaseAnywhere(object))
        return;
    for (const auto &release : releasers()) {
        if (release(object))
            return;
    }
    throw TscFreeError();
}

void TscObjectPool::addReleaser(std::function<bool(platform::HandleTarget *object)> releaser)
{
    releasers().append(std::move(releaser));
}

std::unique_ptr<platform::HandleTarget> TscObjectPool::releaseAnywhere(const platform::HandleTarget *object)
{
    for (TscObjectPool *pool : pools()) {
        if (std::unique_ptr<platform::HandleTarget> taken = pool->release(object))
            return taken;
    }
    return nullptr;
}

platform::StringList *stringsArg(const platform::Variant &value)
{
    auto *strings = objectArg<TscStrings>(value);
    return strings ? &strings->List : nullptr;
}

platform::Stream &streamArg(const platform::Variant &value)
{
    auto *stream = objectArg<TscStream>(value);
    if (!stream)
        throw platform::InvalidHandleError();
    return stream->Stream();
}

namespace {

QHash<QString, TscComponentFactory> &factories()
{
    static QHash<QString, TscComponentFactory> map;
    return map;
}

} // namespace

void registerComponentFactory(const QString &className, TscComponentFactory factory)
{
    factories().insert(className.toLower(), std::move(factory));
}

const TscComponentFactory *componentFactory(const QString &className)
{
    const auto it = factories().constFind(className.toLower());
    return it == factories().constEnd() ? nullptr : &it.value();
}

platform::Variant handleValue(const platform::HandleTarget *object)
{
    return platform::Variant(platform::HandleRegistry::handleOf(object));
}

} // namespace bralvo::script
