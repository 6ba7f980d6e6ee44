// Drawn pages (or the drawn part of each, a tile) kept per page and
// zoom, so that scrolling through a long report draws each page once. The least recently used images go first
// when the cache holds more than its byte budget; their memory is reused
// for the next pages, so a long scroll does not keep asking the system
// for fresh memory.
#pragma once

#include <QHash>
#include <QImage>
#include <QList>

namespace bralvo::report {

class TrpPageImageCache {
public:
    explicit TrpPageImageCache(qint64 budgetBytes = 128 * 1024 * 1024) : m_budget(budgetBytes) {}

    // The image of Page at Zoom; a null image when not cached.
    QImage Find(int page, double zoom);
    void Insert(int page, double zoom, const QImage &image);
    void Clear();
    int Count() const { return int(m_images.size()); }
    // An image of that size and format whose memory is already in use,
    // taken from the pages dropped last; a new one when there is none.
    // Its pixels are undefined.
    QImage NewImage(const QSize &size, QImage::Format format);

private:
    struct Key {
        int page;
        qint64 zoomMillis;
        bool operator==(const Key &) const = default;
    };
    friend size_t qHash(const Key &k, size_t seed) { return qHashMulti(seed, k.page, k.zoomMillis); }
    static Key keyOf(int page, double zoom);
    void touch(const Key &key);

    qint64 m_budget;
    qint64 m_bytes = 0;
    QHash<Key, QImage> m_images;
    QList<Key> m_order; // least recently used first
    QList<QImage> m_spares; // dropped images kept for reuse (at most 2)
};

} // namespace bralvo::report
