// The font metrics one text layout asks for, kept per (family, style,
// pixel size) with flat advance and glyph tables for the common code
// points: a line is measured and placed character by character, and
// each of those look-ups would otherwise find the metrics again and take
// their lock. The numbers are the metrics' own; only the look-up is
// cheaper. Each thread has its own tables, so no look-up locks.
#pragma once

#include "platform/fonts/fontmetrics.h"

#include <QRawFont>
#include <QString>
#include <memory>
#include <vector>

namespace bralvo::report {

class TrpFontFace {
public:
    explicit TrpFontFace(std::shared_ptr<const platform::FontMetrics> metrics);

    const platform::FontMetrics &metrics() const { return *m_metrics; }
    int ascent() const { return m_metrics->ascent(); }
    int descent() const { return m_metrics->descent(); }
    int advance(char32_t codePoint);
    quint32 glyphIndex(char32_t codePoint);
    const QRawFont &rawFont();

private:
    // Latin, Latin-1 and Latin Extended-A and -B.
    static constexpr char32_t kFlat = 0x250;

    std::shared_ptr<const platform::FontMetrics> m_metrics;
    std::vector<int> m_advances;    // -1: not asked yet
    std::vector<qint64> m_glyphs;   // -1: not asked yet
    QRawFont m_rawFont;
    bool m_rawFontLoaded = false;
};

class TrpFontTables {
public:
    // The tables of the calling thread (memos make a layout per drawing,
    // so the tables outlive them).
    static TrpFontTables &ForThisThread();
    // Throws as platform::FontMetrics::get does.
    std::shared_ptr<TrpFontFace> get(const QString &family, int style, int pixelSize);

private:
    struct Entry {
        QString family;
        int style;
        int pixelSize;
        std::shared_ptr<TrpFontFace> face;
    };
    static constexpr size_t kMaxEntries = 16;
    std::vector<Entry> m_entries; // most recently added last
};

} // namespace bralvo::report
