// Font metrics with flat tables for one text layout.
#include "report/engine/trpfonttables.h"

namespace bralvo::report {

TrpFontFace::TrpFontFace(std::shared_ptr<const platform::FontMetrics> metrics)
    : m_metrics(std::move(metrics)), m_advances(kFlat, -1), m_glyphs(kFlat, -1)
{
}

int TrpFontFace::advance(char32_t codePoint)
{
    if (codePoint >= kFlat)
        return m_metrics->advance(codePoint);
    int &a = m_advances[codePoint];
    if (a < 0)
        a = m_metrics->advance(codePoint);
    return a;
}

quint32 TrpFontFace::glyphIndex(char32_t codePoint)
{
    if (codePoint >= kFlat)
        return m_metrics->glyphIndex(codePoint);
    qint64 &g = m_glyphs[codePoint];
    if (g < 0)
        g = m_metrics->glyphIndex(codePoint);
    return quint32(g);
}

const QRawFont &TrpFontFace::rawFont()
{
    if (!m_rawFontLoaded) {
        m_rawFont = m_metrics->rawFont();
        m_rawFontLoaded = true;
    }
    return m_rawFont;
}

TrpFontTables &TrpFontTables::ForThisThread()
{
    thread_local TrpFontTables tables;
    return tables;
}

std::shared_ptr<TrpFontFace> TrpFontTables::get(const QString &family, int style, int pixelSize)
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->pixelSize == pixelSize && it->style == style && it->family == family)
            return it->face;
    }
    auto face = std::make_shared<TrpFontFace>(platform::FontMetrics::get(family, style, pixelSize));
    if (m_entries.size() >= kMaxEntries)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(Entry{family, style, pixelSize, face});
    return face;
}

} // namespace bralvo::report
