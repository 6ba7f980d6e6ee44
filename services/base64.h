// Base64 (RFC 2045/4648 alphabet) and the general sextet coder beneath it.
// Decoding is lenient: blanks, line breaks, padding and foreign characters
// are skipped wherever they stand, and "=" does not close a group.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

namespace bralvo::services {

// 65 characters: the 64 digits and "=" as padding.
inline constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

// Entry c - 33 holds the 6-bit value of character code c (33..127), or 64
// for a character outside the alphabet.
using SextetReverseTable = std::array<std::uint8_t, 95>;

// The reverse table of an alphabet (its first 64 characters).
SextetReverseTable MakeSextetReverseTable(const QByteArray &alphabet);

// Four characters per three bytes, no line breaks. Values wholly beyond
// the input are written as the alphabet's 65th character, or not at all
// for a 64-character alphabet.
QByteArray EncodeSextets(const QByteArray &bytes, const QByteArray &alphabet);
// The bytes of the sextets; a single value left over is dropped.
QByteArray DecodeSextets(const QByteArray &text, const SextetReverseTable &table);

QByteArray Base64EncodeString(const QByteArray &bytes);
QByteArray Base64DecodeString(const QByteArray &text);

} // namespace bralvo::services
