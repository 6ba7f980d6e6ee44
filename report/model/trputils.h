// Small shared routines of the report library: rectangles and overlap
// tests, CRC-32 and hexadecimal streams, text splitting and page ranges,
// loose number parsing and formatting, bracketed expressions, how report
// errors reach the user, temporary files, bitmap helpers, and the gzip
// and zlib helpers. Positions in texts are 0-based.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

class QPainter;

namespace bralvo::platform {
class Component;
class Stream;
class StringList;
} // namespace bralvo::platform

namespace bralvo::report {

class TrpComponent;
class TrpReport;

// An area in pixels: left X, top Y, right X1, bottom Y1.
struct TrpRectArea {
    double X = 0, Y = 0, X1 = 0, Y1 = 0;

    static TrpRectArea fromComponent(const TrpComponent &c); // absolute bounds
    // Touching edges (and overlaps up to 0.0001) do not count.
    bool OverlapsX(const TrpRectArea &other) const;
    bool OverlapsY(const TrpRectArea &other) const;
    // Left = the larger left, right = the smaller right, Y and Y1 0;
    // nullopt when they do not overlap horizontally.
    std::optional<TrpRectArea> IntersectX(const TrpRectArea &other) const;
};

QRectF MakeExtendedRect(double left, double top, double right, double bottom);
// X rounded to 8 decimals, halves to even.
double RoundTo8Decimals(double x);
// The nearest whole number, halves to even (2.5 gives 2, 3.5 gives 4):
// the library's rounding of pixel positions and heights.
int roundHalfEven(double x);
// |B - A| > 0.0001.
bool FloatDiffers(double a, double b);

// CRC-32 (IEEE 802.3) of the whole stream from position 0; the position
// is restored.
quint32 StreamCRC32(platform::Stream &stream);
quint32 Crc32(const QByteArray &bytes);
// The whole stream as upper-case hexadecimal, two digits per byte.
QString StreamToHex(platform::Stream &stream);
// Writes the bytes of Text at position 0 of Stream; an odd last digit is
// ignored. Throws ConversionError for a character that is no hex digit.
void HexToStream(const QString &text, platform::Stream &stream);
QByteArray HexToBytes(const QString &text);

// Pieces between delimiters: "a;;b;" gives "a", "", "b"; "" gives none.
void SplitToStringList(const QString &text, platform::StringList &list, QChar delimiter);
// Page numbers of a range text such as "1,3,5-12" as decimal texts in the
// order given; blanks are removed, a final "-" runs to LastPage, "b<a"
// adds nothing. A range never runs past LastPage (when LastPage > 0).
// Throws ConversionError for a non-numeric item.
void ParsePageNumbers(const QString &text, platform::StringList &list, int lastPage);
// Every "," and "." is a decimal separator, blanks are removed; throws
// ConversionError "'x' is not a valid floating point value".
double StrToFloatLoose(const QString &text);
// The shortest text of at most 15 significant digits, always with "."
// (the form numbers take in files).
QString FloatToFileStr(double x);
// A whole number in general form, else two decimals ("%2.2f").
QString FloatToTwoDecimalStr(double x);
// A whole number as an integer, else Decimals places with Separator.
QString FormatFloatDecimals(double x, int decimals, QChar separator);
QString ReverseString(const QString &text);
QString ReplaceChar(const QString &text, QChar from, QChar to);
QString SlashesToBackslashes(const QString &path);

// The path a reference to Component is written with: empty for none;
// the plain name when it has no owner, is owned by Report or by Report's
// owner; "Owner.Name" when its owner is an application component (see
// registerApplicationComponent); empty otherwise.
QString GetComponentPath(const platform::Component *report, const platform::Component *component);
// The component a path names: a plain name among Owner's components (and
// those of a report's owner); "A.B" the component B of application
// component A; "A.B.C" one level further. Each part is cut to 255
// characters. nullptr when not found.
platform::Component *FindComponentByPath(const platform::Component *owner, const QString &path);
// Top-level components known application-wide by name (the stand-in for
// forms and data modules). Not owned.
void registerApplicationComponent(platform::Component *component);
void unregisterApplicationComponent(platform::Component *component);

// Finds the bracketed expression that starts at StartPos (which must hold
// Open): nesting counts Open and Close outside quotes; a double quote
// toggles outside single quotes and vice versa. Expr is the text between
// the first Open and its match, EndPos the index of that Close (or the
// last index when unmatched).
void GetBracketedExpression(const QString &text, QChar open, QChar close, QString &expr, int &endPos,
                            int startPos);

// By the report's EngineOptions.NewSilentMode: message box, nothing, or
// throw ReportError(Text). A null report shows the box.
void HandleReportError(const TrpReport *report, const QString &text);
// The error box through the message-box seam, caption "mbError".
void ShowLibraryErrorBox(const QString &text);

// A new empty file "fr" + random characters in the system's temporary
// folder, or in Folder; its full path. Throws ReportError when no file
// can be made there.
QString MakeTempFileName();
QString MakeTempFileNameIn(const QString &folder);
// The program's folder with a final "/".
QString GetAppFolder();

// Cuts Bitmap into Width x Height cells, row by row; with Second, the
// cell right of each goes to Second (pairs of normal and disabled).
// Each cell comes masked by its own transparent colour (its bottom-left
// pixel).
QList<QImage> SplitBitmapIntoImages(const QImage &bitmap, int width, int height, QList<QImage> *second);
// Draws Bitmap with its transparent colour (bottom-left pixel) left out.
void DrawTransparentBitmap(QPainter &painter, int x, int y, const QImage &bitmap);
void StretchBitmapToCanvas(QPainter &painter, const QRectF &rect, const QImage &bitmap);
// Draws a picture stretched into Rect; with ToBitmap it is first made a
// 32-bit bitmap of its own size and then stretched smoothly.
void DrawGraphic(QPainter &painter, const QRectF &rect, const QImage &graphic, bool toBitmap);

// Inflates a gzip member as packed resources hold it; FileName gets the
// stored name when there is one. Throws ReportError "Stream decompress
// error" on malformed data.
QByteArray ReadGzipResource(const QByteArray &data, QString &fileName);
// Source's whole content through zlib at Level into Dest (zlib format).
void CompressStreamZlib(platform::Stream &source, platform::Stream &dest, int level);
QByteArray CompressZlib(const QByteArray &data, int level);

} // namespace bralvo::report
