// One font of a PDF document: every distinct report font (name, style,
// character set) that page text uses. Writing gives a TrueType font with
// its widths, encoding and descriptor; the four East Asian character sets
// give a Type0 font over a CIDFontType2 with a fixed CMap; a Unicode
// font (text that the code page cannot hold) gives a Type0 font over the
// embedded file addressed by glyph numbers, with a ToUnicode map. With
// EmbeddedFonts the font file follows, flate-compressed. Page content
// selects a font as "/F" + (Index - 1).
#pragma once

#include "platform/font.h"
#include "report/export/trppdfelement.h"

#include <QMap>
#include <memory>

namespace bralvo::report {

class TrpPDFFile;
struct TrpPDFFaceInfo;

class TrpPDFFont : public TrpPDFElement {
public:
    // Keeps a copy of Font; Unicode selects the glyph-number variant.
    TrpPDFFont(TrpPDFFile *file, const platform::Font &font, bool unicode = false);
    ~TrpPDFFont() override;

    const platform::Font &Font() const { return *m_font; }
    TrpPDFFile *File() const { return m_file; }
    bool IsUnicode() const { return m_unicode; }
    // The character set the font is written in (the default one resolved).
    int Charset() const;
    // Offset from the file's FontBase of the font's first object.
    int FirstObject() const { return m_firstObject; }

    // Unicode fonts: Text as a hex string of glyph numbers ("<0024...>"),
    // the glyphs remembered for the widths and the ToUnicode map.
    QByteArray GlyphString(const QString &text);

    // How many objects Write will take (bookmarks written before the
    // fonts must know where the pages start).
    int CountObjects();

    // Writes the font's objects; throws ReportError "Error on get font
    // info" when the face has no outline metrics, also as Arial.
    void Write(platform::Stream &stream) override;

private:
    TrpPDFFaceInfo readFace();
    void writeTrueType(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name, bool embed);
    void writeWidths(const TrpPDFFaceInfo &face);
    void writeDescriptor(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name,
                         bool embed);
    void writeCid(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name, bool embed);
    void writeUnicode(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name, bool embed);
    void writeToUnicode(platform::Stream &stream);
    void writeFontFile(platform::Stream &stream, const TrpPDFFaceInfo &face);
    bool embeddable(const TrpPDFFaceInfo &face) const;

    TrpPDFFile *m_file;
    std::unique_ptr<platform::Font> m_font;
    bool m_unicode;
    int m_firstObject = 0;
    QMap<quint32, QString> m_glyphs; // glyph number -> the text it stands for
};

// The name after "/BaseFont /": blanks as "#20", ",Bold", ",Italic" or
// ",BoldItalic" for the style, bytes of 128 and up (and PDF delimiters)
// as "#" + two hex digits.
QString PdfFontName(const platform::Font &font);

} // namespace bralvo::report
