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
        QImage dropped = m_images.take(old);
        m_bytes -= dropped.sizeInBytes();
        if (m_spares.size() < 2)
            m_spares.append(dropped);
    }
}

QImage TrpPageImageCache::NewImage(const QSize &size, QImage::Format format)
{
    for (int i = 0; i < m_spares.size(); ++i) {
        const QImage &spare = m_spares.at(i);
        // Only a buffer nobody else shares can be written in place.
        if (spare.size() == size && spare.format() == format && spare.isDetached())
            return m_spares.takeAt(i);
    }
    return QImage(size, format);
}

void TrpPageImageCache::Clear()
{
    for (const QImage &image : std::as_const(m_images)) {
        if (m_spares.size() >= 2)
            break;
        m_spares.append(image);
    }
    m_images.clear();
    m_order.clear();
    m_bytes = 0;
}

} // namespace bralvo::report
