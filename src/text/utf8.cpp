#include "text/utf8.h"

#include <cstdint>
#include <cstring>

#include "text/eight_bytes.h"

namespace vortila {

namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the sequence a lead byte announces, or 0 for a byte that cannot lead one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool IsPrintableAscii(char byte) { return byte >= 0x20 && byte < 0x7F; }

// Where the first byte from `pos` on that is not printable ASCII stands, or the text's end.
std::size_t SkipPrintableAscii(std::string_view text, std::size_t pos) {
  return eight_bytes::FindFirst(text, pos, eight_bytes::MarkNotPrintable,
                                [](char byte) { return !IsPrintableAscii(byte); });
}

// Maps in place the ASCII bytes at the start of `bytes`, up to the first other byte, and
// tells how many it mapped. It works on a pointer and a length rather than on the string,
// which for all the compiler knows a byte written could move or resize, so that neither is
// read again at every byte.
template <typename Map>
std::size_t MapAsciiStart(char* bytes, std::size_t length, Map map) {
  std::size_t pos = 0;
  for (; pos < length; ++pos) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte >= 0x80) break;
    bytes[pos] = static_cast<char>(map(byte));
  }
  return pos;
}

// Changes in place the case of the ASCII letters from `first` to `last` at the start of
// `bytes`, up to the first byte that is not ASCII, and tells how many bytes it went through.
// Those letters change case by one bit, 0x20, so eight ASCII bytes are changed at once: a
// byte from `first` up has its top bit set once 0x80 - first is added to it, a byte past
// `last` once 0x7F - last is, and neither sum carries into the next byte.
std::size_t ChangeAsciiCase(char* bytes, std::size_t length, unsigned char first,
                            unsigned char last) {
  using eight_bytes::kEachByte;
  using eight_bytes::kTopBits;
  std::size_t pos = 0;
  for (; pos + 8 <= length; pos += 8) {
    std::uint64_t eight;
    std::memcpy(&eight, bytes + pos, sizeof eight);
    if ((eight & kTopBits) != 0) break;
    const std::uint64_t fromFirst = eight + kEachByte * (0x80 - first);
    const std::uint64_t pastLast = eight + kEachByte * (0x7F - last);
    eight ^= (fromFirst & ~pastLast & kTopBits) >> 2;
    std::memcpy(bytes + pos, &eight, sizeof eight);
  }
  for (; pos < length; ++pos) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte >= 0x80) break;
    if (byte >= first && byte <= last) bytes[pos] = static_cast<char>(byte ^ 0x20);
  }
  return pos;
}

// Appends `text` to `out` mapped code point by code point. An ASCII byte is its own code
// point, and needs neither decoding nor encoding: the text is appended whole and its ASCII
// mapped in place by mapAsciiStart(bytes, length), which tells how far it went, up to the
// first other byte, if any.
template <typename MapAscii, typename Map>
void AppendMappedCodePoints(std::string& out, std::string_view text, MapAscii mapAsciiStart,
                            Map map) {
  const std::size_t start = out.size();
  out += text;
  std::size_t pos = mapAsciiStart(out.data() + start, text.size());
  if (pos == text.size()) return;
  out.resize(start + pos);
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {
      out += static_cast<char>(map(byte));
      ++pos;
    } else {
      AppendUtf8(out, map(NextCodePoint(text, pos)));
    }
  }
}

template <typename Map>
std::string MapCodePoints(std::string_view text, Map map) {
  std::string out;
  AppendMappedCodePoints(
      out, text, [&](char* bytes, std::size_t length) { return MapAsciiStart(bytes, length, map); },
      map);
  return out;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const int length = SequenceLength(lead);
  if (length == 1) {
    ++pos;
    return lead;
  }
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return kReplacementCharacter;
  }
  char32_t value = lead & (0xFF >> (length + 1));
  for (int i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuationByte(byte)) {
      ++pos;
      return kReplacementCharacter;
    }
    value = (value << 6) | (byte & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not well-formed.
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  if (overlong || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
    ++pos;
    return kReplacementCharacter;
  }
  pos += length;
  return value;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string CleanText(std::string text, LineEnds lineEnds) {
  const bool keepLineEnds = lineEnds == LineEnds::kKept;
  const auto clean = [keepLineEnds](char32_t c) {
    if (keepLineEnds && (c == U'\r' || c == U'\n')) return c;
    return IsControl(c) ? U' ' : c;
  };
  // Most text needs nothing: it is checked first and given back as it is. Printable ASCII,
  // the bulk of it, is passed in runs; what stands between them is looked at alone. A bad
  // byte decodes as U+FFFD one byte long, where a real U+FFFD takes three.
  std::size_t pos = 0;
  while (true) {
    pos = SkipPrintableAscii(text, pos);
    if (pos == text.size()) break;
    if (keepLineEnds && (text[pos] == '\r' || text[pos] == '\n')) {
      ++pos;
      continue;
    }
    const std::size_t start = pos;
    const char32_t c = NextCodePoint(text, pos);
    const bool badByte = c == kReplacementCharacter && pos - start == 1;
    if (badByte || clean(c) != c) return MapCodePoints(text, clean);
  }
  return text;
}

std::size_t CountCodePoints(std::string_view text) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    NextCodePoint(text, pos);
    ++count;
  }
  return count;
}

// In Latin-1 the capitals U+00C0..U+00DE sit exactly 0x20 below their small letters, with
// the multiplication and division signs in the gap; ÿ's capital lives elsewhere.
char32_t ToUpperCodePoint(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  return c;
}

char32_t ToLowerCodePoint(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  return c;
}

// The mappings are passed as lambdas rather than function pointers, so that each is
// inlined into the loop over the bytes.
void AppendUpperItalian(std::string& out, std::string_view text) {
  AppendMappedCodePoints(
      out, text,
      [](char* bytes, std::size_t length) { return ChangeAsciiCase(bytes, length, 'a', 'z'); },
      [](char32_t c) { return ToUpperCodePoint(c); });
}

std::string ToUpperItalian(std::string_view text) {
  std::string out;
  AppendUpperItalian(out, text);
  return out;
}

std::string ToLowerItalian(std::string_view text) {
  std::string out;
  AppendMappedCodePoints(
      out, text,
      [](char* bytes, std::size_t length) { return ChangeAsciiCase(bytes, length, 'A', 'Z'); },
      [](char32_t c) { return ToLowerCodePoint(c); });
  return out;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace vortila
