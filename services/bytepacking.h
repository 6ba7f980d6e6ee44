// Big-endian packing of integers into byte strings, as the socket
// protocols (SOCKS, length prefixes) need them.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace bralvo::services {

// Two bytes, high byte first.
QByteArray PackWordBE(std::uint16_t value);
// Four bytes, highest byte first; signed or not makes no difference.
QByteArray PackLongBE(std::uint32_t value);
// Byte at position (from 1) × 256 + the byte after it; 0 when the text
// is not longer than the position or the position is below 1.
std::uint16_t UnpackWordBE(const QByteArray &text, int position);
// The four bytes in reverse order.
std::uint32_t SwapBytes32(std::uint32_t value);

// The address advanced by count bytes.
inline const void *PointerOffset(const void *address, std::ptrdiff_t count)
{
    return static_cast<const unsigned char *>(address) + count;
}

} // namespace bralvo::services
