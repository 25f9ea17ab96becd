// SPDX-License-Identifier: GPL-3.0-or-later
// The pack decoder, the checksum and the level windows. The compressor is in pack_compress.cpp.
#include "assets/pack_codec.h"

#include <cstring>

namespace {

inline uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint32_t Rotl1(uint32_t w) { return (w << 1) | (w >> 31); }

// The length bonus of a long match grows with its offset: near offsets have the short codes
// for lengths up to 5, far ones are only worth it when long.
inline uint64_t LengthBonus(uint64_t offset) {
  if (offset <= 127) return 4;
  if (offset <= 639) return 0;
  if (offset <= 14334) return 1;
  if (offset <= 65535) return 2;
  return 3;
}

// Copies run forward byte by byte in meaning, so offsets below the length repeat the bytes
// just written. Far enough apart, eight bytes at a time give the same result.
inline void CopyMatch(uint8_t* out, const uint8_t* outEnd, std::size_t offset, std::size_t length) {
  const uint8_t* src = out - offset;
  if (offset >= 8 && std::size_t(outEnd - out) >= length + packCopyOverrun) {
    uint8_t* end = out + length;
    do {
      std::memcpy(out, src, 8);
      out += 8;
      src += 8;
    } while (out < end);
  } else if (offset == 1) {
    std::memset(out, src[0], length);
  } else if (std::size_t(outEnd - out) >= length + packCopyOverrun) {
    // A short period (a run of 3-byte pixels): once eight bytes are written one by one, the
    // smallest multiple of the period that reaches eight lets the rest go eight at a time.
    for (int i = 0; i < 8; ++i) out[i] = src[i];
    const std::size_t step = offset * ((8 + offset - 1) / offset);
    uint8_t* end = out + length;
    for (uint8_t* o = out + 8; o < end; o += 8) std::memcpy(o, o - step, 8);
  } else {
    for (std::size_t i = 0; i < length; ++i) out[i] = src[i];
  }
}

}  // namespace

int WindowForLevel(int level) {
  static const int windows[9] = {1024, 2048, 4096, 8192, 16384, 32768, 40960, 57344, 65536};
  if (level >= 0 && level <= 8) return windows[level];
  return 65536;
}

uint32_t PackChecksum(const uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  uint32_t sum = 0;
  std::size_t i = 0;
  for (; i + 4 <= size; i += 4) {
    uint32_t w = LoadLe32(data + i);
    sum += w;
    sum ^= Rotl1(w) + 1;
  }
  if (i < size) {
    uint32_t w = LoadLe32(data + size - 4);
    sum += w;
    sum ^= Rotl1(w) + 1;
  }
  return sum;
}

DecodeResult DecodeStream(const uint8_t* stream, std::size_t streamSize, uint8_t* output,
                          std::size_t outputSize) {
  DecodeResult result;
  result.magicOk = streamSize >= 2 && stream[0] == 0x51 && stream[1] == 0x58;
  if (!result.magicOk || streamSize < packStreamHeaderSize) return result;
  result.expandedSize = LoadLe32(stream + 2);
  result.checksum = LoadLe32(stream + 6);

  // The bit reader keeps the unread bits left-aligned in a 64-bit buffer and takes one 32-bit
  // word when fewer than 32 remain, so any field of up to 32 bits needs one refill test.
  // Past the last whole word it appends zero words and counts them: a token that used any of
  // those bits came from a truncated stream and is not carried out.
  const uint8_t* next = stream + packStreamHeaderSize;
  const uint8_t* end = next + ((streamSize - packStreamHeaderSize) & ~std::size_t(3));
  uint64_t bits = 0;
  int count = 0;
  int phantom = 0;

  uint8_t* const outStart = output;
  uint8_t* const outEnd = output + outputSize;
  uint8_t* out = output;

  unsigned literalBits = 8;
  unsigned literalBase = 0;
  unsigned offsetLowBits = 8;
  std::size_t lastOffset = 1;

#define KALDO_REFILL()                                                        \
  do {                                                                        \
    if (count < 32) {                                                         \
      if (next < end) {                                                       \
        bits |= uint64_t(LoadLe32(next)) << (32 - count);                     \
        next += 4;                                                            \
      } else {                                                                \
        ++phantom;                                                            \
      }                                                                       \
      count += 32;                                                            \
    }                                                                         \
  } while (0)
#define KALDO_TRUNCATED() (phantom != 0 && count < 32 * phantom)

  // n from 1 to 32, with at least n bits buffered.
  auto take = [&](unsigned n) -> uint32_t {
    uint32_t v = uint32_t(bits >> (64 - n));
    bits <<= n;
    count -= int(n);
    return v;
  };
  // Gamma numbers: the data bits and the "more follows" bits alternate. When the whole number
  // sits in the buffered bits it is pulled out in one go; 0 means a number too large to be
  // anything but a broken stream.
  auto gamma = [&]() -> uint64_t {
    KALDO_REFILL();
    uint64_t stops = ~bits & 0x5555555555555555ull;
    int last = stops ? __builtin_clzll(stops) : 64;  // the first zero "more" bit
    if (last < 32) {
      uint64_t x = (bits >> (64 - last)) & 0x5555555555555555ull;  // data bits, last at bit 0
      x = (x | (x >> 1)) & 0x3333333333333333ull;
      x = (x | (x >> 2)) & 0x0f0f0f0f0f0f0f0full;
      x = (x | (x >> 4)) & 0x00ff00ff00ff00ffull;
      x = (x | (x >> 8)) & 0x0000ffff0000ffffull;
      unsigned pairs = unsigned(last + 1) / 2;
      bits <<= last + 1;
      count -= last + 1;
      return (uint64_t(1) << pairs) | (x & 0xffff);
    }
    uint64_t value = 1;
    for (;;) {
      KALDO_REFILL();
      value = value * 2 + take(1);
      if (value >> 33) return 0;
      if (!take(1)) return value;
    }
  };

  for (;;) {
    KALDO_REFILL();
    if (bits >> 63) {
      // Literal.
      uint32_t v = uint32_t(bits >> (63 - literalBits)) & ((1u << literalBits) - 1);
      bits <<= literalBits + 1;
      count -= int(literalBits + 1);
      if (KALDO_TRUNCATED()) break;
      if (out == outEnd) goto full;
      *out++ = uint8_t(v + literalBase);
      continue;
    }
    if (bits >> 62) {
      // Long match, or a repeat of the last offset.
      take(2);
      uint64_t g = gamma();
      if (g == 0) break;
      std::size_t offset;
      uint64_t length;
      if (g == 2) {
        offset = lastOffset;
        length = gamma();
      } else {
        KALDO_REFILL();
        uint64_t low = 0;
        unsigned lowBits = offsetLowBits;
        if (lowBits > 32) {
          low = take(32);
          lowBits -= 32;
          KALDO_REFILL();
        }
        if (lowBits) low = (low << lowBits) | take(lowBits);
        if (offsetLowBits >= 32 && g > 3) break;  // beyond any output
        uint64_t far = offsetLowBits >= 32 ? low : ((g - 3) << offsetLowBits) + low;
        if (far == 0 || far > std::size_t(out - outStart)) break;
        offset = std::size_t(far);
        lastOffset = offset;
        length = gamma();
        length += LengthBonus(far);
      }
      if (KALDO_TRUNCATED() || length == 0 || offset > std::size_t(out - outStart)) break;
      if (length > uint64_t(outEnd - out)) goto full;
      CopyMatch(out, outEnd, offset, std::size_t(length));
      out += length;
      continue;
    }
    if (bits >> 61) {
      take(3);
      unsigned v = take(4);
      if (v >= 2) {
        // One byte from up to 14 back; the last offset stays.
        if (KALDO_TRUNCATED() || v - 1 > std::size_t(out - outStart)) break;
        if (out == outEnd) goto full;
        *out = out[-int(v - 1)];
        ++out;
      } else if (v == 1) {
        if (KALDO_TRUNCATED()) break;
        if (out == outEnd) goto full;
        *out++ = 0;
      } else if (take(1)) {
        // Raw blocks of 256 bytes, eight bits each.
        bool more = true;
        while (more) {
          if (outEnd - out < 256) goto full;
          for (int i = 0; i < 64; ++i) {
            KALDO_REFILL();
            uint32_t w = take(32);
            if (KALDO_TRUNCATED()) goto done;
            out[0] = uint8_t(w >> 24);
            out[1] = uint8_t(w >> 16);
            out[2] = uint8_t(w >> 8);
            out[3] = uint8_t(w);
            out += 4;
          }
          KALDO_REFILL();
          more = take(1) != 0;
        }
      } else {
        literalBits = 7 + take(1);
        literalBase = 0;
        if (literalBits == 7) literalBase = take(8);
      }
      continue;
    }
    // Short match, or the end and offset-bits codes.
    take(3);
    unsigned offset = take(7);
    unsigned length = take(2) + 2;
    if (offset > 0) {
      if (KALDO_TRUNCATED() || offset > std::size_t(out - outStart)) break;
      if (length > std::size_t(outEnd - out)) goto full;
      lastOffset = offset;
      CopyMatch(out, outEnd, offset, length);
      out += length;
    } else if (length == 2) {
      result.ended = !KALDO_TRUNCATED();
      break;
    } else {
      offsetLowBits = take(length + 1);
    }
  }
  goto done;
full:
  result.outputFull = true;
done:
#undef KALDO_REFILL
#undef KALDO_TRUNCATED

  result.written = std::size_t(out - outStart);
  if (result.checksum == 0) {
    result.checksumOk = true;
  } else if (result.expandedSize <= outputSize) {
    if (result.written < result.expandedSize) {
      std::memset(output + result.written, 0, result.expandedSize - result.written);
    }
    result.checksumOk = PackChecksum(output, result.expandedSize) == result.checksum;
  }
  return result;
}

std::size_t Decompress(const uint8_t* stream, std::size_t streamSize, uint8_t* output,
                       std::size_t outputSize) {
  DecodeResult result = DecodeStream(stream, streamSize, output, outputSize);
  return result.checksumOk ? result.written : 0;
}
