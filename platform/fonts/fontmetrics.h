// Glyph metrics of one font file at one pixel size, from FreeType. Every
// caller that measures text (layout, preview, print, PDF) takes its
// numbers from here, so a line breaks at the same word on every device.
// Advances are the font's design advances scaled to the pixel size and
// rounded to whole pixels, without hinting and without kerning (the
// layout places characters by these advances one by one).
#pragma once

#include "platform/fonts/fontresolver.h"

#include <QHash>
#include <QRawFont>
#include <QStringView>
#include <memory>
#include <mutex>

namespace bralvo::platform {

class FontMetrics {
public:
    // Largest em height served; larger requests are clamped to it, and
    // requests below 1 pixel give 1 pixel.
    static constexpr int kMaxPixelSize = 16384;

    // Shared, cached per resolved file and pixel size. pixelSize is the em
    // height in device pixels (a Windows font height without its sign).
    // Throws FontError as resolveFont does or when FreeType cannot open
    // the file.
    static std::shared_ptr<const FontMetrics> get(const QString &family, int style,
                                                  int pixelSize);

    const ResolvedFont &font() const { return m_font; }
    int pixelSize() const { return m_pixelSize; }
    int ascent() const { return m_ascent; }   // pixels above the baseline
    int descent() const { return m_descent; } // pixels below, positive

    // Advance of one code point in whole pixels; a code point the font
    // lacks gets the advance of its missing-glyph box.
    int advance(char32_t codePoint) const;
    // Advance of every UTF-16 unit of text: a surrogate pair's first unit
    // carries the pair's advance and its second unit 0.
    QList<int> advances(QStringView text) const;
    qint64 textWidth(QStringView text) const;
    quint32 glyphIndex(char32_t codePoint) const;

    // The same file at this pixel size, for drawing glyph runs.
    QRawFont rawFont() const;

    struct Face;
    FontMetrics(const ResolvedFont &font, int pixelSize, std::shared_ptr<Face> face);

private:
    ResolvedFont m_font;
    int m_pixelSize;
    int m_ascent = 0;
    int m_descent = 0;
    std::shared_ptr<Face> m_face;
    mutable std::mutex m_mutex;
    mutable QHash<char32_t, int> m_advances;
    mutable QRawFont m_rawFont;
    mutable bool m_rawFontLoaded = false;
};

} // namespace bralvo::platform
