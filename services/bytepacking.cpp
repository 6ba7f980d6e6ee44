// Big-endian packing and unpacking.
#include "services/bytepacking.h"

namespace bralvo::services {

QByteArray PackWordBE(std::uint16_t value)
{
    QByteArray bytes(2, '\0');
    bytes[0] = char(value >> 8);
    bytes[1] = char(value);
    return bytes;
}

QByteArray PackLongBE(std::uint32_t value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (24 - 8 * i));
    return bytes;
}

std::uint16_t UnpackWordBE(const QByteArray &text, int position)
{
    if (position < 1 || text.size() <= position)
        return 0;
    const auto high = static_cast<unsigned char>(text[position - 1]);
    const auto low = static_cast<unsigned char>(text[position]);
    return static_cast<std::uint16_t>(high * 256 + low);
}

std::uint32_t SwapBytes32(std::uint32_t value)
{
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

} // namespace bralvo::services
