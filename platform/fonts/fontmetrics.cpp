// FreeType faces shared per file, and per-size metric caches over them.
#include "platform/fonts/fontmetrics.h"

#include <QMap>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

namespace bralvo::platform {

struct FontMetrics::Face {
    FT_Face face = nullptr;
    std::mutex mutex; // a FreeType face is not safe for parallel use
    ~Face() {
        if (face)
            FT_Done_Face(face);
    }
};

namespace {

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            throw FontError(QStringLiteral("The font engine could not be started"));
        return l;
    }();
    return lib;
}

std::shared_ptr<FontMetrics::Face> openFace(const ResolvedFont &font) {
    auto face = std::make_shared<FontMetrics::Face>();
    const QByteArray path = font.fileName.toLocal8Bit();
    if (FT_New_Face(library(), path.constData(), font.faceIndex, &face->face) != 0 || !face->face) {
        face->face = nullptr;
        throw FontError(QStringLiteral("The font file \"%1\" cannot be read").arg(font.fileName));
    }
    return face;
}

int scaled(long fontUnits, int pixelSize, int unitsPerEm) {
    return int(std::lround(double(fontUnits) * pixelSize / (unitsPerEm > 0 ? unitsPerEm : 2048)));
}

} // namespace

std::shared_ptr<const FontMetrics> FontMetrics::get(const QString &family, int style,
                                                    int pixelSize) {
    static std::mutex mutex;
    static QMap<QString, std::shared_ptr<Face>> faces;
    static QMap<QString, std::shared_ptr<const FontMetrics>> metrics;
    const int size = std::clamp(pixelSize, 1, kMaxPixelSize);
    const ResolvedFont font = resolveFont(family, style);
    const QString faceKey = font.fileName + QLatin1Char('#') + QString::number(font.faceIndex);
    const QString key = faceKey + QLatin1Char('@') + QString::number(size);
    std::lock_guard lock(mutex);
    if (auto it = metrics.constFind(key); it != metrics.constEnd())
        return *it;
    std::shared_ptr<Face> &face = faces[faceKey];
    if (!face)
        face = openFace(font);
    auto result = std::make_shared<const FontMetrics>(font, size, face);
    metrics.insert(key, result);
    return result;
}

FontMetrics::FontMetrics(const ResolvedFont &font, int pixelSize, std::shared_ptr<Face> face)
    : m_font(font), m_pixelSize(pixelSize), m_face(std::move(face)) {
    FT_Face f = m_face->face;
    // The Windows ascent and descent, which place text drawn from its top.
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    const long up = os2 ? long(os2->usWinAscent) : long(f->ascender);
    const long down = os2 ? long(os2->usWinDescent) : -long(f->descender);
    m_ascent = scaled(up, pixelSize, f->units_per_EM);
    m_descent = scaled(down, pixelSize, f->units_per_EM);
}

quint32 FontMetrics::glyphIndex(char32_t codePoint) const {
    std::lock_guard lock(m_face->mutex);
    return FT_Get_Char_Index(m_face->face, codePoint);
}

int FontMetrics::advance(char32_t codePoint) const {
    {
        std::lock_guard lock(m_mutex);
        if (auto it = m_advances.constFind(codePoint); it != m_advances.constEnd())
            return *it;
    }
    int value = 0;
    {
        std::lock_guard lock(m_face->mutex);
        FT_Face f = m_face->face;
        const FT_UInt glyph = FT_Get_Char_Index(f, codePoint);
        if (FT_Load_Glyph(f, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0)
            value = scaled(f->glyph->advance.x, m_pixelSize, f->units_per_EM);
    }
    std::lock_guard lock(m_mutex);
    m_advances.insert(codePoint, value);
    return value;
}

QList<int> FontMetrics::advances(QStringView text) const {
    QList<int> result(text.size(), 0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            result[i] = advance(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i; // the low half keeps 0
        } else {
            result[i] = advance(c.unicode());
        }
    }
    return result;
}

qint64 FontMetrics::textWidth(QStringView text) const {
    qint64 sum = 0;
    for (int a : advances(text))
        sum += a;
    return sum;
}

QRawFont FontMetrics::rawFont() const {
    std::lock_guard lock(m_mutex);
    if (!m_rawFontLoaded) {
        m_rawFont = QRawFont(m_font.fileName, m_pixelSize, QFont::PreferNoHinting);
        m_rawFontLoaded = true;
    }
    return m_rawFont;
}

} // namespace bralvo::platform
