#include "report/export/trppdftext.h"

#include "report/export/trppdfbytes.h"
#include "platform/textcodec.h"
#include "report/model/trputils.h"

#include <QHash>
#include <cstring>
#include <map>
#include <vector>
#include <string>

namespace bralvo::report {

QString PdfNumber(double x)
{
    QByteArray bytes;
    AppendPdfNumber(bytes, x);
    return QString::fromLatin1(bytes);
}

QString PdfTextString(const QString &text)
{
    bool plain = true;
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() > 122) {
            plain = false;
            break;
        }
    }
    if (plain) {
        QString out = QStringLiteral("(");
        for (QChar c : text) {
            if (c == u'\\' || c == u'(' || c == u')')
                out += u'\\';
            out += c;
        }
        return out + u')';
    }
    QString out = QStringLiteral("<FEFF");
    for (QChar c : text)
        out += QStringLiteral("%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
    return out + u'>';
}

QByteArray EscapePdfText(const QByteArray &line)
{
    QByteArray out;
    out.reserve(line.size() + 8);
    for (char c : line) {
        if (c == '\\' || c == '(' || c == ')')
            out += '\\';
        out += c;
    }
    return out;
}

namespace {

bool isLtrCode(QChar c)
{
    return c.unicode() >= 33 && c.unicode() <= 121;
}

QChar mirrored(QChar c)
{
    switch (c.unicode()) {
    case u'(': return u')';
    case u')': return u'(';
    case u'[': return u']';
    case u']': return u'[';
    default: return c;
    }
}

} // namespace

QString ReverseRtlLine(const QString &line)
{
    QString reversed = ReverseString(line);
    for (QChar &c : reversed)
        c = mirrored(c);
    QString out;
    out.reserve(reversed.size());
    int i = 0;
    while (i < reversed.size()) {
        if (!isLtrCode(reversed[i])) {
            out += reversed[i++];
            continue;
        }
        int j = i;
        while (j < reversed.size() && isLtrCode(reversed[j]))
            ++j;
        out += ReverseString(reversed.mid(i, j - i));
        i = j;
    }
    return out;
}

int ResolvedCharset(int charset)
{
    return charset == 1 ? kProgramCharset : charset;
}

const char *CodePageOfCharset(int charset)
{
    switch (ResolvedCharset(charset)) {
    case 128: return "Shift_JIS";
    case 129: return "windows-949";
    case 134: return "GBK";
    case 136: return "Big5";
    case 161: return "windows-1253";
    case 162: return "windows-1254";
    case 163: return "windows-1258";
    case 177: return "windows-1255";
    case 178: return "windows-1256";
    case 186: return "windows-1257";
    case 204: return "windows-1251";
    case 222: return "windows-874";
    case 238: return "windows-1250";
    default: return "windows-1252";
    }
}

namespace {

// Character -> byte of a single-byte code page, made once from its
// decoding table: a flat table of the whole basic plane, -1 where the
// page has no byte for the character.
using SingleByteTable = std::vector<qint16>;

const SingleByteTable &singleByteTable(const char *codePage)
{
    static std::map<std::string, SingleByteTable> tables;
    static const char *lastName = nullptr;
    static const SingleByteTable *last = nullptr;
    if (lastName && std::strcmp(codePage, lastName) == 0)
        return *last; // lines of one memo, memos of one font: the same page
    auto it = tables.find(codePage);
    if (it == tables.end()) {
        SingleByteTable table(0x10000, -1);
        for (int b = 0; b < 256; ++b) {
            const QString c = platform::decodeText(QByteArray(1, char(b)), codePage);
            if (c.size() == 1 && c[0] != QChar::ReplacementCharacter && table[c[0].unicode()] < 0)
                table[c[0].unicode()] = qint16(b);
        }
        it = tables.emplace(codePage, std::move(table)).first;
    }
    lastName = it->first.c_str();
    last = &it->second;
    return *last;
}

bool isMultiByte(const char *codePage)
{
    for (const char *name : {"Shift_JIS", "windows-949", "GBK", "Big5"}) {
        if (std::strcmp(codePage, name) == 0)
            return true;
    }
    return false;
}

} // namespace

std::optional<QByteArray> EncodeExactly(const QString &text, const char *codePage)
{
    if (isMultiByte(codePage))
        return platform::encodeTextExactly(text, codePage);
    const SingleByteTable &table = singleByteTable(codePage);
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (QChar c : text) {
        const qint16 b = table[c.unicode()];
        if (b < 0)
            return std::nullopt;
        *out++ = char(b);
    }
    return bytes;
}

bool IsCidCharset(int charset)
{
    charset = ResolvedCharset(charset);
    return charset == 128 || charset == 129 || charset == 134 || charset == 136;
}

} // namespace bralvo::report
