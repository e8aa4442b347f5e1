#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Tests on eight bytes of text at once. The game's files are almost all printable ASCII
// between a few separators, and telling such stretches eight bytes at a time rather than one
// by one saves the start of the game a good part of its work.
namespace vortila::eight_bytes {

inline constexpr std::uint64_t kEachByte = 0x0101010101010101;
inline constexpr std::uint64_t kTopBits = 0x8080808080808080;

// The eight bytes from `pos` on, the first of them in the lowest byte of the number whatever
// the machine's byte order, so that the marks below count from the first byte.
inline std::uint64_t At(std::string_view text, std::size_t pos) {
  std::uint64_t bytes;
  std::memcpy(&bytes, text.data() + pos, sizeof bytes);
  if constexpr (std::endian::native == std::endian::big) bytes = __builtin_bswap64(bytes);
  return bytes;
}

// The top bit of each byte that is not printable ASCII (0x20 to 0x7E) is set. A byte below
// 0x20 sets its top bit when 0x20 is taken from it, 0x7F when one is added, a byte from 0x80
// up has it set already; a borrow or a carry reaches only the bytes after such a byte, so
// the first mark is always right, and no mark means that all eight are printable.
inline std::uint64_t MarkNotPrintable(std::uint64_t bytes) {
  return ((bytes - kEachByte * 0x20) | (bytes + kEachByte) | bytes) & kTopBits;
}

// The top bit of each byte equal to `byte` is set. Only the bytes after such a byte can be
// marked wrongly, by the borrow, so the first mark is always right.
inline std::uint64_t MarkEqual(std::uint64_t bytes, char byte) {
  const std::uint64_t zeroWhereEqual = bytes ^ (kEachByte * static_cast<unsigned char>(byte));
  return (zeroWhereEqual - kEachByte) & ~zeroWhereEqual & kTopBits;
}

// The top bit of each byte equal to `byte`, and of no other, is set: the low seven bits of
// each byte are added to 0x7F apart, so that no carry crosses into the next byte, and only a
// byte that is zero then has its top bit clear.
inline std::uint64_t MarkEachEqual(std::uint64_t bytes, char byte) {
  const std::uint64_t zeroWhereEqual = bytes ^ (kEachByte * static_cast<unsigned char>(byte));
  const std::uint64_t lowSeven = ~kTopBits;
  return ~(((zeroWhereEqual & lowSeven) + lowSeven) | zeroWhereEqual) & kTopBits;
}

// Which of the eight bytes (0 to 7) carries the first mark; `marks` has one at least. The
// marks of several tests may be joined with |: the first of them all is still right.
inline std::size_t FirstMarked(std::uint64_t marks) {
  return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
}

// Where the first byte from `pos` on that `isSought` tells stands, or the text's end.
// `markSought` marks the sought bytes among eight, as the functions above do; the last few
// bytes of the text are asked about one by one.
template <typename MarkSought, typename IsSought>
std::size_t FindFirst(std::string_view text, std::size_t pos, MarkSought markSought,
                      IsSought isSought) {
  for (; pos + 8 <= text.size(); pos += 8) {
    const std::uint64_t marks = markSought(At(text, pos));
    if (marks != 0) return pos + FirstMarked(marks);
  }
  while (pos < text.size() && !isSought(text[pos])) ++pos;
  return pos;
}

}  // namespace vortila::eight_bytes
