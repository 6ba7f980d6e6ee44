// The page image cache of the page areas.
#include "report/preview/trppageimagecache.h"

#include <cmath>

namespace bralvo::report {

TrpPageImageCache::Key TrpPageImageCache::keyOf(int page, double zoom)
{
    return Key{page, qint64(std::llround(zoom * 1000000.0))};
}

void TrpPageImageCache::touch(const Key &key)
{
    m_order.removeOne(key);
    m_order.append(key);
}

QImage TrpPageImageCache::Find(int page, double zoom)
{
    const Key key = keyOf(page, zoom);
    const auto it = m_images.constFind(key);
    if (it == m_images.constEnd())
        return QImage();
    touch(key);
    return it.value();
}

void TrpPageImageCache::Insert(int page, double zoom, const QImage &image)
{
    const Key key = keyOf(page, zoom);
    if (m_images.contains(key)) {
        m_bytes -= m_images.value(key).sizeInBytes();
        m_order.removeOne(key);
    }
    m_images.insert(key, image);
    m_order.append(key);
    m_bytes += image.sizeInBytes();
    // The newest image always stays, even when it alone is over budget.
    while (m_bytes > m_budget && m_order.size() > 1) {
        const Key old = m_order.takeFirst();
        m_bytes -= m_images.take(old).sizeInBytes();
    }
}

void TrpPageImageCache::Clear()
{
    m_images.clear();
    m_order.clear();
    m_bytes = 0;
}

} // namespace bralvo::report
