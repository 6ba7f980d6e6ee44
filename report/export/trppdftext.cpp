#include "report/export/trppdftext.h"

#include "report/export/trppdfbytes.h"
#include "platform/textcodec.h"
#include "report/model/trputils.h"

#include <QHash>
#include <map>
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
// decoding table.
const QHash<char16_t, char> &singleByteTable(const char *codePage)
{
    static std::map<std::string, QHash<char16_t, char>> tables;
    auto it = tables.find(codePage);
    if (it != tables.end())
        return it->second;
    QHash<char16_t, char> table;
    for (int b = 0; b < 256; ++b) {
        const QString c = platform::decodeText(QByteArray(1, char(b)), codePage);
        if (c.size() == 1 && c[0] != QChar::ReplacementCharacter && !table.contains(c[0].unicode()))
            table.insert(c[0].unicode(), char(b));
    }
    return tables.emplace(codePage, std::move(table)).first->second;
}

bool isMultiByte(const char *codePage)
{
    const QByteArray name(codePage);
    return name == "Shift_JIS" || name == "windows-949" || name == "GBK" || name == "Big5";
}

} // namespace

std::optional<QByteArray> EncodeExactly(const QString &text, const char *codePage)
{
    if (isMultiByte(codePage))
        return platform::encodeTextExactly(text, codePage);
    const QHash<char16_t, char> &table = singleByteTable(codePage);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const auto it = table.constFind(c.unicode());
        if (it == table.constEnd())
            return std::nullopt;
        bytes += *it;
    }
    return bytes;
}

bool IsCidCharset(int charset)
{
    charset = ResolvedCharset(charset);
    return charset == 128 || charset == 129 || charset == 134 || charset == 136;
}

} // namespace bralvo::report
