#include "report/export/trppdffontface.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

namespace bralvo::report {

namespace {

FT_Library library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            throw platform::FontError(QStringLiteral("The font engine could not be started"));
        return l;
    }();
    return lib;
}

struct FaceHolder {
    FT_Face face = nullptr;
    ~FaceHolder()
    {
        if (face)
            FT_Done_Face(face);
    }
};

int per1000(long units, int unitsPerEm)
{
    return int(std::lround(double(units) * 1000 / (unitsPerEm > 0 ? unitsPerEm : 2048)));
}

bool hasTable(FT_Face face, FT_ULong tag)
{
    FT_ULong length = 0;
    return FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) == 0 && length > 0;
}

void fillFromTables(TrpPDFFaceInfo &info, FT_Face face, const TT_OS2 &os2, const TT_HoriHeader &hhea)
{
    const int em = face->units_per_EM;
    info.bboxLeft = per1000(face->bbox.xMin, em);
    info.bboxBottom = per1000(face->bbox.yMin, em);
    info.bboxRight = per1000(face->bbox.xMax, em);
    info.bboxTop = per1000(face->bbox.yMax, em);
    if (const auto *post = static_cast<const TT_Postscript *>(FT_Get_Sfnt_Table(face, FT_SFNT_POST)))
        info.italicAngle = double(post->italicAngle) / 65536.0;
    info.ascent = per1000(hhea.Ascender, em);
    info.descent = per1000(hhea.Descender, em);
    info.height = per1000(long(os2.usWinAscent) + long(os2.usWinDescent), em);
    info.internalLeading = info.height - 1000;
    info.weight = os2.usWeightClass;
    info.avgWidth = per1000(os2.xAvgCharWidth, em);
    info.maxWidth = per1000(hhea.advance_Width_Max, em);
    info.cffOutlines = hasTable(face, TTAG_CFF) || hasTable(face, TTAG_CFF2);
}

} // namespace

TrpPDFFaceInfo ReadPdfFaceInfo(const QString &family, int style)
{
    TrpPDFFaceInfo info;
    info.font = platform::resolveFont(family, style);
    FaceHolder holder;
    const QByteArray path = info.font.fileName.toLocal8Bit();
    if (FT_New_Face(library(), path.constData(), info.font.faceIndex, &holder.face) != 0 ||
        !FT_IS_SCALABLE(holder.face))
        throw platform::FontError(QStringLiteral("Error on get font info"));
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(holder.face, FT_SFNT_OS2));
    const auto *hhea = static_cast<const TT_HoriHeader *>(FT_Get_Sfnt_Table(holder.face, FT_SFNT_HHEA));
    if (!os2 || !hhea || os2->version == 0xFFFF)
        throw platform::FontError(QStringLiteral("Error on get font info"));
    fillFromTables(info, holder.face, *os2, *hhea);
    return info;
}

QByteArray ReadFontFileForEmbedding(const platform::ResolvedFont &font)
{
    QFile file(font.fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::FontError(QStringLiteral("The font file \"%1\" cannot be read").arg(font.fileName));
    return CutCollectionFace(file.readAll(), font.faceIndex);
}

namespace {

quint32 be32(const QByteArray &d, qint64 at)
{
    if (at < 0 || at + 4 > d.size())
        throw platform::FontError(QStringLiteral("The font collection is damaged"));
    return qFromBigEndian<quint32>(d.constData() + at);
}

quint16 be16(const QByteArray &d, qint64 at)
{
    if (at < 0 || at + 2 > d.size())
        throw platform::FontError(QStringLiteral("The font collection is damaged"));
    return qFromBigEndian<quint16>(d.constData() + at);
}

void put32(QByteArray &d, qint64 at, quint32 v)
{
    qToBigEndian<quint32>(v, d.data() + at);
}

} // namespace

QByteArray CutCollectionFace(const QByteArray &data, int faceIndex)
{
    if (!data.startsWith("ttcf"))
        return data;
    const quint32 faces = be32(data, 8);
    if (faceIndex < 0 || quint32(faceIndex) >= faces)
        throw platform::FontError(QStringLiteral("The font collection is damaged"));
    const qint64 dir = be32(data, 12 + 4 * qint64(faceIndex));
    const int tables = be16(data, dir + 4);
    const qint64 headerSize = 12 + 16 * qint64(tables);
    if (dir + headerSize > data.size())
        throw platform::FontError(QStringLiteral("The font collection is damaged"));
    QByteArray out = data.mid(dir, headerSize);
    for (int t = 0; t < tables; ++t) {
        const qint64 entry = dir + 12 + 16 * qint64(t);
        const qint64 offset = be32(data, entry + 8);
        const qint64 length = be32(data, entry + 12);
        if (offset + length > data.size())
            throw platform::FontError(QStringLiteral("The font collection is damaged"));
        put32(out, 12 + 16 * qint64(t) + 8, quint32(out.size()));
        out += data.mid(offset, length);
        out += QByteArray((4 - length % 4) % 4, '\0'); // tables start on 4-byte boundaries
    }
    return out;
}

} // namespace bralvo::report
