// Shared routines of the report library.
#include "report/model/trputils.h"

#include "platform/component.h"
#include "platform/conversionerror.h"
#include "platform/folders.h"
#include "platform/messageboxseam.h"
#include "platform/stream.h"
#include "platform/stringlist.h"
#include "report/model/reporterror.h"
#include "report/model/trpcomponent.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryFile>

#include <charconv>
#include <cmath>
#include <limits>
#include <zlib.h>

namespace bralvo::report {

TrpRectArea TrpRectArea::fromComponent(const TrpComponent &c)
{
    TrpRectArea a;
    a.X = c.AbsLeft();
    a.Y = c.AbsTop();
    a.X1 = a.X + c.Width();
    a.Y1 = a.Y + c.Height();
    return a;
}

bool TrpRectArea::OverlapsX(const TrpRectArea &o) const
{
    return o.X < X1 - 0.0001 && o.X1 > X + 0.0001;
}

bool TrpRectArea::OverlapsY(const TrpRectArea &o) const
{
    return o.Y < Y1 - 0.0001 && o.Y1 > Y + 0.0001;
}

std::optional<TrpRectArea> TrpRectArea::IntersectX(const TrpRectArea &o) const
{
    if (!OverlapsX(o))
        return std::nullopt;
    TrpRectArea r;
    r.X = qMax(X, o.X);
    r.X1 = qMin(X1, o.X1);
    return r;
}

QRectF MakeExtendedRect(double left, double top, double right, double bottom)
{
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

double RoundTo8Decimals(double x)
{
    return std::nearbyint(x * 1e8) / 1e8;
}

int roundHalfEven(double x)
{
    const double r = x - std::remainder(x, 1.0);  // exact, halves to even
    if (!(r > -2147483648.0))  // NaN and what int cannot hold are clamped
        return r != r ? 0 : std::numeric_limits<int>::min();
    return r > 2147483647.0 ? std::numeric_limits<int>::max() : int(r);
}

bool FloatDiffers(double a, double b)
{
    return std::fabs(b - a) > 0.0001;
}

quint32 Crc32(const QByteArray &bytes)
{
    return quint32(crc32(crc32(0L, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.constData()),
                         uInt(bytes.size())));
}

quint32 StreamCRC32(platform::Stream &stream)
{
    const qint64 pos = stream.position();
    stream.seek(0);
    const quint32 crc = Crc32(stream.readAll());
    stream.seek(pos);
    return crc;
}

QString StreamToHex(platform::Stream &stream)
{
    stream.seek(0);
    return QString::fromLatin1(stream.readAll().toHex().toUpper());
}

QByteArray HexToBytes(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() / 2);
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        bool ok = false;
        const uint b = QStringView(text).mid(i, 2).toUInt(&ok, 16);
        if (!ok)
            throw platform::ConversionError(
                QStringLiteral("'%1' is not a valid hexadecimal value").arg(text.mid(i, 2)));
        out.append(char(b));
    }
    return out;
}

void HexToStream(const QString &text, platform::Stream &stream)
{
    stream.seek(0);
    stream.write(HexToBytes(text));
}

void SplitToStringList(const QString &text, platform::StringList &list, QChar delimiter)
{
    list.clear();
    if (text.isEmpty())
        return;
    QStringList parts = text.split(delimiter);
    if (text.endsWith(delimiter))
        parts.removeLast();
    list.addStrings(parts);
}

namespace {

int pageNumber(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

// Without a known last page a range still must not run away.
constexpr int kMaxOpenRange = 100000;

} // namespace

void ParsePageNumbers(const QString &text, platform::StringList &list, int lastPage)
{
    list.clear();
    QString s = text;
    s.remove(u' ');
    if (s.isEmpty())
        return;
    if (s.endsWith(u'-'))
        s += QString::number(lastPage);
    for (const QString &item : s.split(u',')) {
        const qsizetype dash = item.indexOf(u'-', 1);
        if (dash < 0) {
            list.add(QString::number(pageNumber(item)));
            continue;
        }
        const int first = pageNumber(item.left(dash));
        int last = pageNumber(item.mid(dash + 1));
        if (lastPage > 0)
            last = qMin(last, lastPage);
        else
            last = int(qMin<qint64>(last, qint64(first) + kMaxOpenRange));
        for (qint64 p = first; p <= last; ++p)
            list.add(QString::number(p));
    }
}

namespace {

// A plain decimal ("-12.5", "793.7013": digits on both sides of an
// optional point), the form numbers are written in, read straight from
// the characters. Anything else goes the long way.
bool plainDecimal(const QString &text, double &value)
{
    const qsizetype n = text.size();
    if (n == 0 || n > 64)
        return false;
    char digits[64];
    qsizetype i = 0;
    if (text[0] == u'-')
        digits[i++] = '-';
    qsizetype point = -1;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.' && point < 0)
            point = i;
        else if (c < u'0' || c > u'9')
            return false;
        digits[i] = char(c);
    }
    const qsizetype first = text[0] == u'-' ? 1 : 0;
    if (n == first || point == first || point == n - 1)
        return false;
    const auto result = std::from_chars(digits, digits + n, value);
    return result.ec == std::errc() && result.ptr == digits + n;
}

} // namespace

double StrToFloatLoose(const QString &text)
{
    if (double v; plainDecimal(text, v))
        return v;
    QString s = text;
    s.replace(u',', u'.');
    s.remove(u' ');
    s.remove(QChar(0x00A0));
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || s.isEmpty())
        throw platform::ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

QString FloatToFileStr(double x)
{
    if (x == 0)
        return QStringLiteral("0");
    // At most 15 significant digits: a width computed as 28.8 must not be
    // stored as 28.799999999999997.
    if (std::isfinite(x))
        x = QString::number(x, 'g', 15).toDouble();
    const double a = std::fabs(x);
    if (a >= 1e-5 && a < 1e15)
        return QString::number(x, 'f', QLocale::FloatingPointShortest);
    return QString::number(x, 'g', QLocale::FloatingPointShortest);
}

QString FloatToTwoDecimalStr(double x)
{
    if (x == std::trunc(x))
        return FloatToFileStr(x);
    return QString::asprintf("%2.2f", x);
}

QString FormatFloatDecimals(double x, int decimals, QChar separator)
{
    if (x == std::trunc(x) && std::fabs(x) < 9.2e18)
        return QString::number(qint64(x));
    QString s = QString::number(x, 'f', qBound(0, decimals, 30));
    s.replace(u'.', separator);
    return s;
}

QString ReverseString(const QString &text)
{
    QString out = text;
    std::reverse(out.begin(), out.end());
    return out;
}

QString ReplaceChar(const QString &text, QChar from, QChar to)
{
    QString out = text;
    out.replace(from, to);
    return out;
}

QString SlashesToBackslashes(const QString &path)
{
    return ReplaceChar(path, u'/', u'\\');
}

// --- component paths

namespace {

QList<platform::Component *> &applicationComponents()
{
    static QList<platform::Component *> list;
    return list;
}

platform::Component *applicationComponent(const QString &name)
{
    for (platform::Component *c : applicationComponents()) {
        if (c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

} // namespace

void registerApplicationComponent(platform::Component *component)
{
    if (component && !applicationComponents().contains(component))
        applicationComponents().append(component);
}

void unregisterApplicationComponent(platform::Component *component)
{
    applicationComponents().removeAll(component);
}

QString GetComponentPath(const platform::Component *report, const platform::Component *component)
{
    if (!component)
        return QString();
    const platform::Component *owner = component->owner();
    if (!owner || owner == report || (dynamic_cast<const TrpReport *>(report) && owner == report->owner()))
        return component->name();
    if (applicationComponents().contains(const_cast<platform::Component *>(owner)))
        return owner->name() + u'.' + component->name();
    return QString();
}

platform::Component *FindComponentByPath(const platform::Component *owner, const QString &path)
{
    QStringList parts = path.split(u'.');
    for (QString &p : parts)
        p = p.left(255);
    if (parts.size() == 1) {
        if (!owner)
            return nullptr;
        if (platform::Component *c = owner->findComponent(parts[0]))
            return c;
        if (dynamic_cast<const TrpReport *>(owner) && owner->owner())
            return owner->owner()->findComponent(parts[0]);
        return nullptr;
    }
    if (parts.size() > 3)
        return nullptr;
    platform::Component *c = applicationComponent(parts[0]);
    for (int i = 1; c && i < parts.size(); ++i)
        c = c->findComponent(parts[i]);
    return c;
}

// --- bracketed expressions

void GetBracketedExpression(const QString &text, QChar open, QChar close, QString &expr, int &endPos,
                            int startPos)
{
    int depth = 0;
    bool inDouble = false;
    bool inSingle = false;
    int i = startPos;
    const int n = int(text.size());
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'"' && !inSingle)
            inDouble = !inDouble;
        else if (c == u'\'' && !inDouble)
            inSingle = !inSingle;
        else if (!inDouble && !inSingle) {
            if (c == open)
                ++depth;
            else if (c == close)
                --depth;
            if (depth == 0)
                break;
        }
    }
    endPos = qMin(i, n - 1);
    expr = text.mid(startPos + 1, qMax(0, endPos - startPos - (i < n ? 1 : 0)));
}

// --- errors

void ShowLibraryErrorBox(const QString &text)
{
    platform::messageBoxSeam().messageBox(text, GetResources().Get(QStringLiteral("mbError")),
                                          platform::kMbOk + platform::kMbIconError);
}

void HandleReportError(const TrpReport *report, const QString &text)
{
    const TrpSilentMode mode = report ? report->EngineOptions()->NewSilentMode() : simMessageBoxes;
    switch (mode) {
    case simMessageBoxes:
        ShowLibraryErrorBox(text);
        break;
    case simReThrow:
        throw ReportError(text);
    case simSilent:
        break;
    }
}

// --- files

QString MakeTempFileNameIn(const QString &folder)
{
    const QString dir = folder.isEmpty() ? QDir::tempPath() : folder;
    QTemporaryFile file(platform::withTrailingSlash(dir) + QStringLiteral("frXXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        throw ReportError(QStringLiteral("Cannot create a temporary file in \"%1\"").arg(dir));
    return file.fileName();
}

QString MakeTempFileName()
{
    return MakeTempFileNameIn(QString());
}

QString GetAppFolder()
{
    return platform::programFolder();
}

// --- bitmaps

namespace {

// The bitmap with its transparent colour (the bottom-left pixel) masked out.
QImage maskedByTransparentColour(const QImage &bitmap)
{
    QImage img = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = img.pixel(0, img.height() - 1);
    for (int row = 0; row < img.height(); ++row) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(row));
        for (int col = 0; col < img.width(); ++col) {
            if (line[col] == transparent)
                line[col] = 0;
        }
    }
    return img;
}

} // namespace

QList<QImage> SplitBitmapIntoImages(const QImage &bitmap, int width, int height, QList<QImage> *second)
{
    QList<QImage> out;
    if (bitmap.isNull() || width <= 0 || height <= 0)
        return out;
    const int step = second ? 2 * width : width;
    for (int y = 0; y + height <= bitmap.height(); y += height) {
        for (int x = 0; x + width <= bitmap.width(); x += step) {
            out << maskedByTransparentColour(bitmap.copy(x, y, width, height));
            if (second)
                *second << maskedByTransparentColour(bitmap.copy(x + width, y, width, height));
        }
    }
    return out;
}

void DrawTransparentBitmap(QPainter &painter, int x, int y, const QImage &bitmap)
{
    if (bitmap.isNull())
        return;
    painter.drawImage(x, y, maskedByTransparentColour(bitmap));
}

void StretchBitmapToCanvas(QPainter &painter, const QRectF &rect, const QImage &bitmap)
{
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect, bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void DrawGraphic(QPainter &painter, const QRectF &rect, const QImage &graphic, bool toBitmap)
{
    if (graphic.isNull())
        return;
    if (toBitmap)
        StretchBitmapToCanvas(painter, rect, graphic.convertToFormat(QImage::Format_ARGB32));
    else
        painter.drawImage(rect, graphic);
}

// --- gzip and zlib

namespace {

[[noreturn]] void decompressError()
{
    throw ReportError(GetResources().Get(QStringLiteral("clDecompressError")));
}

QByteArray inflateRaw(const QByteArray &data)
{
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        decompressError();
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    zs.avail_in = uInt(data.size());
    QByteArray out;
    char buf[65536];
    int rc = Z_OK;
    while (rc == Z_OK) {
        zs.next_out = reinterpret_cast<Bytef *>(buf);
        zs.avail_out = sizeof buf;
        rc = inflate(&zs, Z_NO_FLUSH);
        out.append(buf, int(sizeof buf - zs.avail_out));
        if (rc == Z_BUF_ERROR && zs.avail_in == 0)
            break;
    }
    inflateEnd(&zs);
    if (rc != Z_STREAM_END)
        decompressError();
    return out;
}

} // namespace

QByteArray ReadGzipResource(const QByteArray &data, QString &fileName)
{
    fileName.clear();
    if (data.size() < 18 || quint8(data[0]) != 0x1F || quint8(data[1]) != 0x8B || data[2] != 8)
        decompressError();
    const quint8 flags = quint8(data[3]);
    qsizetype pos = 10;
    if (flags & 8) {
        const qsizetype end = data.indexOf('\0', pos);
        if (end < 0)
            decompressError();
        fileName = QString::fromLatin1(data.mid(pos, end - pos));
        pos = end + 1;
    }
    if (pos > data.size() - 8)
        decompressError();
    return inflateRaw(data.mid(pos, data.size() - 8 - pos));
}

QByteArray CompressZlib(const QByteArray &data, int level)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), '\0');
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
                  uLong(data.size()), level) != Z_OK)
        throw ReportError(QStringLiteral("Stream compress error"));
    out.resize(qsizetype(size));
    return out;
}

void CompressStreamZlib(platform::Stream &source, platform::Stream &dest, int level)
{
    source.seek(0);
    dest.write(CompressZlib(source.readAll(), level));
}

} // namespace bralvo::report
