// SPDX-License-Identifier: GPL-3.0-or-later
// The compressed stream: hand-assembled streams, one per code, decoded to known bytes; the
// checksum; the decoder's safety on broken streams; round trips at every level.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "assets/pack_codec.h"
#include "unit/pack_media.h"

namespace {

// Builds a stream bit by bit: 32-bit little-endian words, most significant bit first.
// Independent of the compressor's own writer so that each checks the other.
struct StreamBuilder {
  std::vector<uint8_t> bits;

  StreamBuilder& Bits(uint64_t value, int n) {
    for (int i = n - 1; i >= 0; --i) bits.push_back(uint8_t((value >> i) & 1));
    return *this;
  }
  StreamBuilder& Gamma(uint64_t value) {
    int top = 63 - __builtin_clzll(value);
    for (int i = top - 1; i >= 0; --i) Bits((value >> i) & 1, 1).Bits(i > 0, 1);
    return *this;
  }
  StreamBuilder& Literal8Mode() { return Bits(0b001, 3).Bits(0, 4).Bits(0, 1).Bits(1, 1); }
  StreamBuilder& Literal7Mode(int base) {
    return Bits(0b001, 3).Bits(0, 4).Bits(0, 1).Bits(0, 1).Bits(base, 8);
  }
  StreamBuilder& Literal(int value, int width = 8) { return Bits(1, 1).Bits(value, width); }
  StreamBuilder& Short(int offset, int length) {
    return Bits(0, 3).Bits(offset, 7).Bits(length - 2, 2);
  }
  StreamBuilder& Long(uint64_t g, uint64_t low, int lowBits, uint64_t n) {
    return Bits(0b01, 2).Gamma(g).Bits(low, lowBits).Gamma(n);
  }
  StreamBuilder& Repeat(uint64_t n) { return Bits(0b01, 2).Gamma(2).Gamma(n); }
  StreamBuilder& End() { return Short(0, 2); }

  std::vector<uint8_t> Stream(uint32_t expandedSize, uint32_t checksum = 0) const {
    std::vector<uint8_t> out = {0x51, 0x58};
    for (int b = 0; b < 4; ++b) out.push_back(uint8_t(expandedSize >> (8 * b)));
    for (int b = 0; b < 4; ++b) out.push_back(uint8_t(checksum >> (8 * b)));
    for (std::size_t w = 0; w < bits.size(); w += 32) {
      uint32_t word = 0;
      for (std::size_t i = 0; i < 32; ++i) {
        word = word << 1 | (w + i < bits.size() ? bits[w + i] : 0);
      }
      for (int b = 0; b < 4; ++b) out.push_back(uint8_t(word >> (8 * b)));
    }
    return out;
  }
};

std::vector<uint8_t> Decode(const std::vector<uint8_t>& stream, std::size_t outputSize,
                            DecodeResult* result = nullptr) {
  std::vector<uint8_t> out(outputSize);
  DecodeResult r = DecodeStream(stream.data(), stream.size(), out.data(), out.size());
  out.resize(r.written);
  if (result) *result = r;
  return out;
}

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(PackCodecCodes, LiteralsInEightAndSevenBitsWithBase) {
  StreamBuilder s;
  s.Literal8Mode().Literal('A').Literal(0xFF);
  s.Literal7Mode(0x40).Literal(0x01, 7).Literal(0x7F, 7);   // 0x41, 0xBF
  s.Literal7Mode(0xF0).Literal(0x20, 7);                    // 0x110 wraps to 0x10
  s.End();
  EXPECT_EQ(Decode(s.Stream(5), 6), (std::vector<uint8_t>{'A', 0xFF, 0x41, 0xBF, 0x10}));
}

TEST(PackCodecCodes, ZeroByteAndOneByteCopy) {
  StreamBuilder s;
  s.Literal8Mode().Literal('a').Literal('b').Literal('c');
  s.Bits(0b001, 3).Bits(1, 4);   // zero byte
  s.Bits(0b001, 3).Bits(4, 4);   // from 3 back: 'b'
  s.Bits(0b001, 3).Bits(2, 4);   // from 1 back: 'b'
  s.End();
  EXPECT_EQ(Decode(s.Stream(6), 6), (std::vector<uint8_t>{'a', 'b', 'c', 0, 'b', 'b'}));
}

TEST(PackCodecCodes, RawBlocksAreWholeBytesAndChain) {
  StreamBuilder s;
  s.Literal7Mode(0x10).Literal(1, 7);   // raw blocks ignore the literal coding
  s.Bits(0b001, 3).Bits(0, 4).Bits(1, 1);
  std::vector<uint8_t> expected = {0x11};
  for (int block = 0; block < 2; ++block) {
    for (int i = 0; i < 256; ++i) {
      uint8_t value = uint8_t(i * 7 + block);
      s.Bits(value, 8);
      expected.push_back(value);
    }
    s.Bits(block == 0 ? 1 : 0, 1);
  }
  s.Literal(2, 7);
  expected.push_back(0x12);
  s.End();
  EXPECT_EQ(Decode(s.Stream(uint32_t(expected.size())), 600), expected);
}

TEST(PackCodecCodes, ShortMatchesCopyForwardOverlapping) {
  StreamBuilder s;
  s.Literal8Mode().Literal('a').Literal('b');
  s.Short(2, 4);   // "abab"
  s.Short(1, 5);   // five more 'b'
  s.End();
  EXPECT_EQ(Decode(s.Stream(11), 11), Bytes("abababbbbbb"));
}

TEST(PackCodecCodes, OffsetOneLengthTenRepeatsTheLastByte) {
  StreamBuilder s;
  s.Literal8Mode().Literal('x');
  s.Long(3, 1, 8, 6);   // offset 1 (at most 127: length bonus 4) and n = 6
  s.End();
  EXPECT_EQ(Decode(s.Stream(11), 11), Bytes("xxxxxxxxxxx"));
}

TEST(PackCodecCodes, EndCodeStopsEvenWhenMoreBitsFollow) {
  StreamBuilder s;
  s.Literal8Mode().Literal('k').End().Literal('z').Literal('z');
  DecodeResult result;
  EXPECT_EQ(Decode(s.Stream(1), 8, &result), Bytes("k"));
  EXPECT_TRUE(result.ended);
}

// A prefix of n distinct-looking bytes as raw blocks, so long offsets have something to copy.
std::vector<uint8_t> RawPrefix(StreamBuilder& s, int blocks) {
  std::vector<uint8_t> out;
  s.Bits(0b001, 3).Bits(0, 4).Bits(1, 1);
  uint32_t x = 12345;
  for (int block = 0; block < blocks; ++block) {
    for (int i = 0; i < 256; ++i) {
      x = x * 1103515245u + 12345u;
      out.push_back(uint8_t(x >> 16));
      s.Bits(out.back(), 8);
    }
    s.Bits(block + 1 < blocks, 1);
  }
  return out;
}

TEST(PackCodecCodes, LongMatchLengthBonusFollowsTheOffset) {
  struct Case {
    uint32_t offset;
    uint32_t length;   // with n = 2
  };
  const Case cases[] = {{100, 6}, {127, 6}, {128, 2}, {639, 2}, {640, 3}, {14334, 3},
                        {14335, 4}, {65535, 4}, {65536, 5}, {70000, 5}};
  for (const Case& c : cases) {
    StreamBuilder s;
    std::vector<uint8_t> expected = RawPrefix(s, 280);
    s.Long(3 + (c.offset >> 8), c.offset & 255, 8, 2);
    s.End();
    std::size_t from = expected.size() - c.offset;
    for (uint32_t i = 0; i < c.length; ++i) expected.push_back(expected[from + i]);
    EXPECT_EQ(Decode(s.Stream(0), expected.size() + 16), expected) << "offset " << c.offset;
  }
}

TEST(PackCodecCodes, OffsetLowBitsChangeTheLongMatchSplit) {
  StreamBuilder s;
  std::vector<uint8_t> expected = RawPrefix(s, 4);
  s.Short(0, 3).Bits(4, 4);          // offsetLowBits = 4
  s.Long(3 + (700 >> 4), 700 & 15, 4, 3);
  s.Short(0, 5).Bits(0, 6);          // offsetLowBits = 0: the offset is g - 3
  s.Long(3 + 200, 0, 0, 2);
  s.Short(0, 4).Bits(17, 5);         // offsetLowBits = 17: g = 3 and 17 low bits
  s.Long(3, 900, 17, 5);
  s.End();
  auto copy = [&](uint32_t offset, uint32_t length) {
    std::size_t from = expected.size() - offset;
    for (uint32_t i = 0; i < length; ++i) expected.push_back(expected[from + i]);
  };
  copy(700, 4);
  copy(200, 2);
  copy(900, 6);
  EXPECT_EQ(Decode(s.Stream(0), expected.size()), expected);
}

TEST(PackCodecCodes, RepeatMatchUsesTheLastMatchOffsetNotOneByteCopies) {
  StreamBuilder s;
  s.Literal8Mode().Literal('a').Literal('b').Literal('c').Literal('d');
  s.Short(3, 2);                     // "bc", last offset 3
  s.Bits(0b001, 3).Bits(6, 4);       // one byte from 5 back ('b'), last offset stays 3
  s.Repeat(4);                       // from 3 back
  s.Repeat(13);                      // a long gamma length
  s.End();
  std::vector<uint8_t> expected = Bytes("abcdbcb");
  for (int i = 0; i < 17; ++i) expected.push_back(expected[expected.size() - 3]);
  EXPECT_EQ(Decode(s.Stream(0), 64), expected);
}

TEST(PackCodecCodes, RepeatMatchStartsAtOffsetOne) {
  StreamBuilder s;
  s.Literal8Mode().Literal('q').Repeat(3).End();
  EXPECT_EQ(Decode(s.Stream(0), 8), Bytes("qqqq"));
}

TEST(PackChecksum, WordsAndTheOverlappingLastWord) {
  auto step = [](uint32_t sum, uint32_t w) {
    sum += w;
    return sum ^ (((w << 1) | (w >> 31)) + 1);
  };
  const uint8_t six[6] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x86};
  uint32_t expected = step(step(0, 0x04030201u), 0x86050403u);
  EXPECT_EQ(PackChecksum(six, 6), expected);
  EXPECT_EQ(PackChecksum(six, 4), step(0, 0x04030201u));
  const uint8_t eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(PackChecksum(eight, 8), step(step(0, 0x04030201u), 0x08070605u));
  EXPECT_EQ(PackChecksum(six, 3), 0u);
  EXPECT_EQ(PackChecksum(six, 0), 0u);
}

TEST(PackChecksum, DecoderComparesUnlessZero) {
  StreamBuilder s;
  s.Literal8Mode().Literal(1).Literal(2).Literal(3).Literal(4).Literal(5).End();
  const uint8_t contents[5] = {1, 2, 3, 4, 5};
  uint32_t sum = PackChecksum(contents, 5);
  std::vector<uint8_t> out(5);
  std::vector<uint8_t> good = s.Stream(5, sum);
  EXPECT_EQ(Decompress(good.data(), good.size(), out.data(), 5), 5u);
  std::vector<uint8_t> bad = s.Stream(5, sum ^ 0x100);
  EXPECT_EQ(Decompress(bad.data(), bad.size(), out.data(), 5), 0u);
  std::vector<uint8_t> none = s.Stream(5, 0);
  EXPECT_EQ(Decompress(none.data(), none.size(), out.data(), 5), 5u);
}

TEST(PackCodecSafety, BadMagicProducesNothing) {
  StreamBuilder s;
  s.Literal8Mode().Literal('a').End();
  std::vector<uint8_t> stream = s.Stream(1);
  stream[1] = 'Y';
  DecodeResult result;
  EXPECT_TRUE(Decode(stream, 4, &result).empty());
  EXPECT_FALSE(result.magicOk);
  EXPECT_EQ(Decode(std::vector<uint8_t>{0x51}, 4).size(), 0u);
  EXPECT_EQ(Decode(std::vector<uint8_t>{0x51, 0x58, 1, 0, 0}, 4).size(), 0u);
}

TEST(PackCodecSafety, CopiesFromBeforeTheStartStop) {
  StreamBuilder a;
  a.Literal8Mode().Literal('a').Literal('b').Short(5, 2).Literal('c').End();
  EXPECT_EQ(Decode(a.Stream(0), 16), Bytes("ab"));
  StreamBuilder b;
  b.Literal8Mode().Literal('a').Bits(0b001, 3).Bits(3, 4).End();   // 2 back
  EXPECT_EQ(Decode(b.Stream(0), 16), Bytes("a"));
  StreamBuilder c;
  c.Repeat(2).End();   // last offset 1 with nothing written
  EXPECT_TRUE(Decode(c.Stream(0), 16).empty());
  StreamBuilder d;
  d.Literal8Mode().Literal('a').Long(3, 0, 8, 2).End();   // offset 0
  EXPECT_EQ(Decode(d.Stream(0), 16), Bytes("a"));
  StreamBuilder e;   // a huge offsetLowBits with a non-zero high part
  e.Literal8Mode().Literal('a').Short(0, 5).Bits(63, 6).Long(4, 0, 63, 2).End();
  EXPECT_EQ(Decode(e.Stream(0), 16), Bytes("a"));
}

TEST(PackCodecSafety, NeverWritesPastTheOutput) {
  StreamBuilder s;
  s.Literal8Mode().Literal('a').Long(3, 1, 8, 100).Literal('b').End();
  std::vector<uint8_t> stream = s.Stream(0);
  for (std::size_t size : {0u, 1u, 50u, 104u, 105u}) {
    std::vector<uint8_t> out(size + 16, 0xEE);
    DecodeResult r = DecodeStream(stream.data(), stream.size(), out.data(), size);
    EXPECT_LE(r.written, size);
    // The stream wants 106 bytes: each of these outputs is too small, and the result says so.
    EXPECT_TRUE(r.outputFull) << "size " << size;
    EXPECT_FALSE(r.ended) << "size " << size;
    for (std::size_t i = size; i < out.size(); ++i) ASSERT_EQ(out[i], 0xEE) << "size " << size;
  }
  DecodeResult whole;
  EXPECT_EQ(Decode(stream, 106, &whole).size(), 106u);
  EXPECT_FALSE(whole.outputFull);
  // A raw block that does not fit is not started.
  StreamBuilder raw;
  RawPrefix(raw, 2);
  raw.End();
  EXPECT_EQ(Decode(raw.Stream(0), 300).size(), 256u);
}

TEST(PackCodecSafety, EndlessGammaStops) {
  StreamBuilder s;
  s.Literal8Mode().Literal('a').Bits(0b01, 2);
  for (int i = 0; i < 200; ++i) s.Bits(1, 1);
  DecodeResult result;
  EXPECT_EQ(Decode(s.Stream(0), 16, &result), Bytes("a"));
  EXPECT_FALSE(result.ended);
}

TEST(PackCodecSafety, TruncatedStreamsStopWithACorrectPrefix) {
  std::vector<uint8_t> text = packmedia::ReadTextCorpus(20000);
  if (text.size() < 1000) text = packmedia::MakePicture(80, 60, 3);
  std::vector<uint8_t> stream = Compress(text.data(), text.size(), 9);
  for (std::size_t cut = 0; cut < stream.size(); cut += 1 + cut / 16) {
    std::vector<uint8_t> part(stream.begin(), stream.begin() + std::ptrdiff_t(cut));
    std::vector<uint8_t> out(text.size());
    DecodeResult r = DecodeStream(part.data(), part.size(), out.data(), out.size());
    ASSERT_FALSE(r.ended) << "cut " << cut;
    ASSERT_FALSE(r.outputFull) << "cut " << cut << ": more room would not help";
    ASSERT_LE(r.written, text.size());
    ASSERT_EQ(std::memcmp(out.data(), text.data(), r.written), 0) << "cut " << cut;
    ASSERT_EQ(Decompress(part.data(), part.size(), out.data(), out.size()), 0u);
  }
}

TEST(PackCodecSafety, StreamIsReadOnlyUpToItsSize) {
  StreamBuilder s;
  s.Literal8Mode().Literal('a').Literal('b').End();
  std::vector<uint8_t> stream = s.Stream(2);
  // Everything but the last word: the end code is missing, so the decoder must stop short
  // without looking at bytes it was not given.
  std::size_t size = stream.size() - 4;
  uint8_t* exact = new uint8_t[size];
  std::memcpy(exact, stream.data(), size);
  std::vector<uint8_t> out(8);
  DecodeResult r = DecodeStream(exact, size, out.data(), out.size());
  EXPECT_FALSE(r.ended);
  delete[] exact;
}

TEST(PackWindow, LevelTable) {
  const int windows[] = {1024, 2048, 4096, 8192, 16384, 32768, 40960, 57344, 65536, 65536};
  for (int level = 0; level <= 9; ++level) EXPECT_EQ(WindowForLevel(level), windows[level]);
  EXPECT_EQ(WindowForLevel(-1), 65536);
  EXPECT_EQ(WindowForLevel(42), 65536);
}

std::vector<uint8_t> RandomBytes(std::size_t n, uint32_t seed, int lo = 0, int hi = 255) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> dist(lo, hi);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = uint8_t(dist(rng));
  return v;
}

TEST(PackWindow, MatchesStayInsideTheWindow) {
  // A random block repeated 3000 bytes later: only windows above 3000 can see the repeat.
  std::vector<uint8_t> data = RandomBytes(3000, 7);
  data.insert(data.end(), data.begin(), data.end());
  std::vector<uint8_t> narrow = Compress(data.data(), data.size(), 1);   // 2048
  std::vector<uint8_t> wide = Compress(data.data(), data.size(), 2);     // 4096
  EXPECT_GT(narrow.size(), data.size() * 95 / 100);
  EXPECT_LT(wide.size(), data.size() * 6 / 10);
}

TEST(PackCompress, SevenBitLiteralsAndRawBlocksPay) {
  // Letters only: 8 bits a literal with a 7-bit coding, 9 without.
  std::vector<uint8_t> letters = RandomBytes(4000, 3, 'A', 'z');
  EXPECT_LT(Compress(letters.data(), letters.size(), 9).size(), 4000u * 102 / 100);
  // Noise: raw blocks at a little over 8 bits a byte, 9 as literals.
  std::vector<uint8_t> noise = RandomBytes(8192, 5);
  EXPECT_LT(Compress(noise.data(), noise.size(), 9).size(), 8192u * 102 / 100);
  // Literals beyond one 7-bit range in a letters-only stream still come out right.
  letters.insert(letters.begin() + 2000, {0xF0, 0x81, 0x00, 0x7F});
  std::vector<uint8_t> stream = Compress(letters.data(), letters.size(), 9);
  std::vector<uint8_t> out(letters.size());
  ASSERT_EQ(Decompress(stream.data(), stream.size(), out.data(), out.size()), letters.size());
  EXPECT_EQ(out, letters);
}

TEST(PackCompress, MatchesAfterALongStretchWithoutThem) {
  // The search steps over bytes in a long stretch of noise; the copy of that stretch that
  // follows is still found (from the bytes it did search) and the stream decodes exactly.
  std::vector<uint8_t> data = RandomBytes(30000, 21);
  data.insert(data.end(), data.begin(), data.begin() + 30000);
  std::vector<uint8_t> stream = Compress(data.data(), data.size(), 9);
  EXPECT_LT(stream.size(), 30000u * 103 / 100);
  std::vector<uint8_t> out(data.size());
  ASSERT_EQ(Decompress(stream.data(), stream.size(), out.data(), out.size()), data.size());
  EXPECT_EQ(out, data);
}

void ExpectRoundTrip(const std::vector<uint8_t>& data, int level, const char* what) {
  std::vector<uint8_t> stream = Compress(data.data(), data.size(), level);
  ASSERT_GE(stream.size(), packStreamHeaderSize);
  std::vector<uint8_t> out(data.size() + 1, 0xCD);
  DecodeResult r = DecodeStream(stream.data(), stream.size(), out.data(), data.size());
  ASSERT_TRUE(r.ended) << what << " level " << level;
  ASSERT_TRUE(r.checksumOk) << what << " level " << level;
  ASSERT_EQ(r.written, data.size()) << what << " level " << level;
  ASSERT_EQ(r.expandedSize, data.size());
  out.resize(data.size());
  ASSERT_TRUE(out == data) << what << " level " << level;
}

TEST(PackRoundTrip, EveryLevelOverVariedData) {
  std::vector<std::pair<const char*, std::vector<uint8_t>>> inputs;
  inputs.push_back({"empty", {}});
  inputs.push_back({"one byte", {0x42}});
  inputs.push_back({"random", RandomBytes(70000, 11)});
  inputs.push_back({"zeros", std::vector<uint8_t>(100000, 0)});
  std::vector<uint8_t> pattern;
  for (int i = 0; i < 90000; ++i) pattern.push_back(uint8_t("abcabcabd"[i % 9] + (i / 5000)));
  inputs.push_back({"repetitive", pattern});
  std::vector<uint8_t> mixed = RandomBytes(20000, 13, 0, 3);
  for (std::size_t i = 0; i < mixed.size(); i += 97) mixed[i] = uint8_t(i);
  inputs.push_back({"small alphabet", mixed});
  std::vector<uint8_t> text = packmedia::ReadTextCorpus(120000);
  if (!text.empty()) inputs.push_back({"text", text});
  inputs.push_back({"picture", packmedia::MakePicture(200, 150, 5)});
  std::vector<uint8_t> sound = packmedia::MakeSound(9);
  sound.resize(std::min<std::size_t>(sound.size(), 60000));
  inputs.push_back({"sound", sound});
  for (const auto& [what, data] : inputs) {
    for (int level = -1; level <= 10; ++level) ExpectRoundTrip(data, level, what);
  }
}

TEST(PackRoundTrip, CompressesRealDataWell) {
  std::vector<uint8_t> picture = packmedia::MakePicture(320, 240, 1);
  EXPECT_LT(Compress(picture.data(), picture.size(), 9).size(), picture.size() / 3);
  std::vector<uint8_t> text = packmedia::ReadTextCorpus(100000);
  if (text.size() == 100000) {
    EXPECT_LT(Compress(text.data(), text.size(), 9).size(), 40000u);
  }
  // A bigger window never hurts much and usually helps.
  EXPECT_LE(Compress(picture.data(), picture.size(), 9).size(),
            Compress(picture.data(), picture.size(), 0).size());
}

}  // namespace
