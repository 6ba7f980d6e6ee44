// The sextet coder and Base64 over it.
#include "services/base64.h"

namespace bralvo::services {

namespace {
constexpr std::uint8_t kNoValue = 64;
}

SextetReverseTable MakeSextetReverseTable(const QByteArray &alphabet)
{
    SextetReverseTable table;
    table.fill(kNoValue);
    for (int value = 0; value < 64 && value < alphabet.size(); ++value) {
        const int code = static_cast<unsigned char>(alphabet[value]);
        if (code >= 33 && code <= 127)
            table[code - 33] = static_cast<std::uint8_t>(value);
    }
    return table;
}

QByteArray EncodeSextets(const QByteArray &bytes, const QByteArray &alphabet)
{
    QByteArray out;
    out.reserve(4 * ((bytes.size() + 2) / 3));
    for (qsizetype i = 0; i < bytes.size(); i += 3) {
        const qsizetype count = qMin<qsizetype>(3, bytes.size() - i);
        quint32 group = 0;
        for (qsizetype k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (int k = 0; k < 4; ++k) {
            // Value k covers input bits 6k..6k+5; it lies wholly beyond
            // the input when its first bit does.
            const int value = 6 * k >= 8 * count ? 64 : int((group >> (18 - 6 * k)) & 0x3F);
            if (value < alphabet.size())
                out += alphabet[value];
        }
    }
    return out;
}

QByteArray DecodeSextets(const QByteArray &text, const SextetReverseTable &table)
{
    QByteArray out;
    out.reserve(text.size());
    quint32 accumulator = 0;
    int wanted = 4;
    for (const char character : text) {
        const int code = static_cast<unsigned char>(character);
        const int value = code < 33 || code > 127 ? kNoValue : table[code - 33];
        if (value == kNoValue)
            continue;
        accumulator = (accumulator << 6) | quint32(value);
        if (--wanted == 0) {
            out += char(accumulator >> 16);
            out += char(accumulator >> 8);
            out += char(accumulator);
            accumulator = 0;
            wanted = 4;
        }
    }
    if (wanted == 1) {  // three values: 18 bits, two bytes
        accumulator >>= 2;
        out += char(accumulator >> 8);
        out += char(accumulator);
    } else if (wanted == 2) {  // two values: 12 bits, one byte
        out += char(accumulator >> 4);
    }
    return out;
}

QByteArray Base64EncodeString(const QByteArray &bytes)
{
    return EncodeSextets(bytes, QByteArray(kBase64Alphabet));
}

QByteArray Base64DecodeString(const QByteArray &text)
{
    static const SextetReverseTable table = MakeSextetReverseTable(QByteArray(kBase64Alphabet));
    return DecodeSextets(text, table);
}

} // namespace bralvo::services
