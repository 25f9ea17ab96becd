// SPDX-License-Identifier: GPL-3.0-or-later
// The pack compressor: a lazy parse over hashed match candidates, each code priced in bits with
// the stream's own codes and compared with the best code one byte later; then long literal runs
// become raw blocks where that pays, and a literal-coding plan and an offset-bits plan are made
// before the bits are written.
//
// Codes and their costs in bits:
//   literal                 1 + literalBits (8 or 7 with a base)
//   zero byte, 1-byte copy  7 (copy from 1 to 14 back)
//   short match             12 (offset 1..127, length 2..5)
//   long match              2 + gamma(3 + (offset >> k)) + k + gamma(length - bonus(offset))
//   repeat match            4 + gamma(length), at the last offset
//   raw blocks              8 + 2049 per 256 bytes
// where gamma(v) takes 2 * floor(log2 v) bits and k is offsetLowBits.
#include <algorithm>
#include <cstring>
#include <vector>

#include "assets/pack_codec.h"

namespace {

constexpr int niceLength = 64;         // a match this long is taken without looking further
constexpr int bucketWays = 8;          // candidates kept per 4-byte hash, the latest first
constexpr int largestBucketBits = 14;  // tables shrink for small blocks, which are the usual
constexpr int largestHashBits = 16;
constexpr int literalChunk = 4096;     // bytes that share one literal price in the parse
constexpr int firstOffsetBits = 8;

enum TokenKind : uint8_t { literalRun, rawRun, match, repeat };

// What the parse chose: literal runs and raw runs cover `length` bytes from `position`.
struct Token {
  uint32_t position;
  uint32_t length;
  uint32_t offset;
  TokenKind kind;
};

inline uint32_t Log2(uint32_t v) { return 31 - __builtin_clz(v); }
inline uint32_t GammaBits(uint32_t v) { return 2 * Log2(v); }

inline uint32_t LengthBonus(uint32_t offset) {
  if (offset <= 127) return 4;
  if (offset <= 639) return 0;
  if (offset <= 14334) return 1;
  if (offset <= 65535) return 2;
  return 3;
}

inline uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// Length of the common prefix of a and b, up to limit.
inline uint32_t MatchLength(const uint8_t* a, const uint8_t* b, uint32_t limit) {
  uint32_t n = 0;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  while (n + 8 <= limit) {
    uint64_t x = Load64(a + n) ^ Load64(b + n);
    if (x) return n + uint32_t(__builtin_ctzll(x)) / 8;
    n += 8;
  }
#endif
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

inline uint32_t Hash3(const uint8_t* p, int bits) {
  uint32_t v = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  return (v * 2654435761u) >> (32 - bits);
}

inline uint32_t Hash4(const uint8_t* p, int bits) { return (Load32(p) * 2654435761u) >> (32 - bits); }

// The latest position + 1 of every byte pair: 256 KiB whatever the block's size, and filling a
// fresh one for each block cost more than compressing a small block. Each thread keeps one, all
// zero between blocks: a block clears only the entries its own pairs set (~Compressor).
uint32_t* PairHeads() {
  thread_local std::vector<uint32_t> heads(std::size_t(1) << 16, 0);
  return heads.data();
}

inline uint32_t Pair(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

struct MatchCandidate {
  uint32_t length;
  uint32_t offset;
};

class Compressor {
 public:
  Compressor(const uint8_t* data, uint32_t size, int level)
      : data_(data), size_(size), maxOffset_(uint32_t(WindowForLevel(level)) - 1) {
    int sizeBits = size_ > 1 ? int(Log2(size_ - 1)) + 1 : 1;
    bucketBits_ = std::clamp(sizeBits - 2, 6, largestBucketBits);
    hashBits_ = std::clamp(sizeBits, 8, largestHashBits);
    buckets_.assign(std::size_t(bucketWays) << bucketBits_, 0);
    head3_.assign(std::size_t(1) << hashBits_, 0);
    head2_ = PairHeads();
    std::memset(last1_, 0, sizeof last1_);
    near_.assign(size_, 0);
    ChooseLiteralPrices();
  }
  ~Compressor() {
    for (uint32_t i = 0; i + 1 < size_; ++i) head2_[Pair(data_ + i)] = 0;
  }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;

  std::vector<uint8_t> Run();

 private:
  void ChooseLiteralPrices();
  void SetOffsetPrices(int k);
  void Insert(uint32_t i);
  void AddToken(const Token& token);
  int FindMatches(uint32_t i, uint32_t maxLength, MatchCandidate* found);
  struct Choice {
    uint32_t length;  // 0: the byte alone
    uint32_t offset;
    uint32_t cost;    // bits of the code
    uint32_t single;  // bits of the byte alone
    TokenKind kind;
  };
  Choice Evaluate(uint32_t i);
  void ParseLazy();
  void UseRawBlocks();
  int BestOffsetBits(std::size_t firstToken) const;
  std::vector<uint8_t> Emit();

  const uint8_t* data_;
  uint32_t size_;
  uint32_t maxOffset_;
  // Positions + 1 (0 for none). A bucket holds the latest positions of one 4-byte hash, so its
  // candidates load side by side instead of one after the other as along a chain.
  int bucketBits_;
  int hashBits_;
  std::vector<uint32_t> buckets_;
  std::vector<uint32_t> head3_;  // the latest 3-byte sequence per hash
  uint32_t* head2_;              // the latest 2-byte sequence (PairHeads)
  uint32_t last1_[256];          // position + 1 of the latest byte value
  std::vector<uint8_t> literalPrice_;  // per chunk: 8 when a 7-bit coding can cover it
  std::vector<uint8_t> near_;          // per position: an equal byte up to 14 back, or 0
  std::vector<uint8_t> offsetPrice_;   // prefix + offset part of a long match, by offset
  int parseOffsetBits_ = firstOffsetBits;
  uint32_t lastOffset_ = 1;
  std::vector<Token> tokens_;
};

// Consecutive literals, and consecutive raw blocks, become one run.
void Compressor::AddToken(const Token& token) {
  if ((token.kind == literalRun || token.kind == rawRun) && !tokens_.empty() &&
      tokens_.back().kind == token.kind) {
    tokens_.back().length += token.length;
  } else {
    tokens_.push_back(token);
  }
}

// A chunk whose non-zero bytes avoid 128 consecutive values (circularly) fits one 7-bit
// literal coding, so its literals are priced at 8 bits instead of 9 while parsing.
void Compressor::ChooseLiteralPrices() {
  uint32_t chunks = (size_ + literalChunk - 1) / literalChunk;
  literalPrice_.assign(chunks, 9);
  for (uint32_t c = 0; c < chunks; ++c) {
    bool present[256] = {};
    uint32_t end = std::min<uint32_t>(size_, (c + 1) * literalChunk);
    for (uint32_t i = c * literalChunk; i < end; ++i) present[data_[i]] = true;
    present[0] = false;  // zero bytes have their own code
    int run = 0, longest = 0;
    for (int v = 0; v < 512; ++v) {
      run = present[v & 255] ? 0 : run + 1;
      longest = std::max(longest, run);
    }
    if (longest >= 128) literalPrice_[c] = 8;
  }
}

void Compressor::SetOffsetPrices(int k) {
  // Offsets never reach past the start of the block.
  uint32_t largest = std::min(maxOffset_, size_);
  offsetPrice_.resize(std::size_t(largest) + 1);
  for (uint32_t d = 1; d <= largest; ++d) {
    offsetPrice_[d] = uint8_t(2 + GammaBits(3 + (d >> k)) + uint32_t(k));
  }
  parseOffsetBits_ = k;
}

inline void Compressor::Insert(uint32_t i) {
  if (i + 3 < size_) {
    uint32_t* bucket = &buckets_[std::size_t(Hash4(data_ + i, bucketBits_)) * bucketWays];
    for (int way = bucketWays - 1; way > 0; --way) bucket[way] = bucket[way - 1];
    bucket[0] = i + 1;
  }
  if (i + 2 < size_) head3_[Hash3(data_ + i, hashBits_)] = i + 1;
  if (i + 1 < size_) head2_[Pair(data_ + i)] = i + 1;
  last1_[data_[i]] = i + 1;
}

// Matches at i of strictly growing length, each at the nearest offset that reaches it.
int Compressor::FindMatches(uint32_t i, uint32_t maxLength, MatchCandidate* found) {
  int n = 0;
  const uint8_t* cur = data_ + i;
  uint32_t best = 1;
  if (maxLength >= 2) {
    uint32_t c = head2_[Pair(cur)];
    if (c && i - (c - 1) <= 127) {
      uint32_t d = i - (c - 1);
      uint32_t length = 2 + MatchLength(cur + 2, cur + 2 - d, maxLength - 2);
      found[n++] = {length, d};
      best = length;
    }
  }
  // The nearest 3-byte match, then the 4-byte candidates from near to far.
  if (maxLength >= 3 && best < maxLength) {
    uint32_t c = head3_[Hash3(cur, hashBits_)];
    if (c) {
      uint32_t d = i - (c - 1);
      const uint8_t* p = cur - d;
      if (d <= maxOffset_ && p[0] == cur[0] && p[1] == cur[1] && p[2] == cur[2]) {
        uint32_t length = 3 + MatchLength(cur + 3, p + 3, maxLength - 3);
        if (length > best && (d <= 127 || length >= 2 + LengthBonus(d))) {
          found[n++] = {length, d};
          best = length;
        }
      }
    }
  }
  if (maxLength >= 4 && best < maxLength && best < uint32_t(niceLength)) {
    const uint32_t* bucket = &buckets_[std::size_t(Hash4(cur, bucketBits_)) * bucketWays];
    // First a test of every candidate without branches: its first four bytes and the four
    // ending where a longer match than the best so far must still agree. Most fail, and
    // testing them one by one would cost a mispredicted branch each.
    const uint32_t probe = best >= 3 ? best - 3 : 0;
    const uint32_t head = Load32(cur), tail = Load32(cur + probe);
    unsigned hopeful = 0;
    for (int way = 0; way < bucketWays; ++way) {
      uint32_t d = i + 1 - bucket[way];
      bool valid = bucket[way] != 0 && d <= maxOffset_;
      const uint8_t* p = valid ? cur - d : cur;
      const bool agree = ((Load32(p) == head) + (Load32(p + probe) == tail)) == 2;
      hopeful |= unsigned(valid & agree) << way;
    }
    while (hopeful) {
      int way = __builtin_ctz(hopeful);
      hopeful &= hopeful - 1;
      uint32_t d = i + 1 - bucket[way];
      const uint8_t* p = cur - d;
      if (best >= 4 && Load32(p + best - 3) != Load32(cur + best - 3)) continue;
      uint32_t length = 4 + MatchLength(cur + 4, p + 4, maxLength - 4);
      if (length <= best || (d > 127 && length < 2 + LengthBonus(d))) continue;
      found[n++] = {length, d};
      best = length;
      if (length >= uint32_t(niceLength) || length == maxLength) break;
    }
  }
  Insert(i);
  return n;
}

// The offset-bits value that codes the long matches from firstToken on in the fewest bits.
int Compressor::BestOffsetBits(std::size_t firstToken) const {
  uint32_t cost[17] = {};
  int matches = 0;
  for (std::size_t t = firstToken; t < tokens_.size(); ++t) {
    const Token& token = tokens_[t];
    if (token.kind != match || (token.offset <= 127 && token.length <= 5)) continue;
    ++matches;
    for (int k = 0; k <= 16; ++k) cost[k] += GammaBits(3 + (token.offset >> k)) + uint32_t(k);
  }
  if (matches < 64) return parseOffsetBits_;
  return int(std::min_element(cost, cost + 17) - cost);
}

// Bits go into 32-bit little-endian words, most significant bit first.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Put(uint32_t value, unsigned n) {
    if (n == 0) return;
    acc_ = (acc_ << n) | (value & ((uint64_t(1) << n) - 1));
    count_ += n;
    if (count_ >= 32) {
      Word(uint32_t(acc_ >> (count_ - 32)));
      count_ -= 32;
    }
  }
  void Gamma(uint32_t v) {
    for (int b = int(Log2(v)) - 1; b >= 0; --b) Put(((v >> b) & 1) << 1 | (b > 0 ? 1 : 0), 2);
  }
  void Flush() {
    if (count_) Word(uint32_t(acc_ << (32 - count_)));
    count_ = 0;
  }

 private:
  void Word(uint32_t w) {
    out_.push_back(uint8_t(w));
    out_.push_back(uint8_t(w >> 8));
    out_.push_back(uint8_t(w >> 16));
    out_.push_back(uint8_t(w >> 24));
  }
  std::vector<uint8_t>& out_;
  uint64_t acc_ = 0;
  unsigned count_ = 0;
};

// Bases b for which byte x is coded as x - b in 7 bits, as a 256-bit set.
struct BaseSet {
  uint64_t w[4];
};

inline BaseSet BasesFor(uint8_t x) {
  BaseSet s = {};
  for (int k = 0; k < 128; ++k) {
    uint8_t b = uint8_t(x - k);
    s.w[b >> 6] |= uint64_t(1) << (b & 63);
  }
  return s;
}

inline int FirstBase(const BaseSet& s) {
  for (int i = 0; i < 4; ++i) {
    if (s.w[i]) return i * 64 + __builtin_ctzll(s.w[i]);
  }
  return -1;
}

struct LiteralSwitch {
  std::size_t literalIndex;  // before this literal
  unsigned bits;
  unsigned base;
};

// Splits the literals into the longest runs that one 7-bit base covers, then picks for each
// run 7-bit (8 bits a literal, 17 to switch in) or 8-bit coding (9 a literal, 9 to switch).
std::vector<LiteralSwitch> PlanLiterals(const std::vector<uint8_t>& literals) {
  struct Run {
    std::size_t first, count;
    int base;
  };
  std::vector<Run> runs;
  static const std::vector<BaseSet> table = [] {
    std::vector<BaseSet> t(256);
    for (int x = 0; x < 256; ++x) t[x] = BasesFor(uint8_t(x));
    return t;
  }();
  std::size_t i = 0;
  while (i < literals.size()) {
    BaseSet s = table[literals[i]];
    std::size_t j = i + 1;
    for (; j < literals.size(); ++j) {
      const BaseSet& t = table[literals[j]];
      BaseSet u = {{s.w[0] & t.w[0], s.w[1] & t.w[1], s.w[2] & t.w[2], s.w[3] & t.w[3]}};
      if (!(u.w[0] | u.w[1] | u.w[2] | u.w[3])) break;
      s = u;
    }
    runs.push_back({i, j - i, FirstBase(s)});
    i = j;
  }
  // Cheapest mode per run: state 0 is 8-bit coding, state 1 the run's own 7-bit coding.
  std::size_t n = runs.size();
  std::vector<uint64_t> cost8(n), cost7(n);
  std::vector<uint8_t> from8(n), from7(n);  // the state of the previous run
  for (std::size_t r = 0; r < n; ++r) {
    uint64_t c = runs[r].count;
    if (r == 0) {
      cost8[r] = 9 + 9 * c;
      cost7[r] = 17 + 8 * c;
      continue;
    }
    bool stay8 = cost8[r - 1] <= cost7[r - 1] + 9;
    cost8[r] = (stay8 ? cost8[r - 1] : cost7[r - 1] + 9) + 9 * c;
    from8[r] = stay8 ? 0 : 1;
    bool after8 = cost8[r - 1] <= cost7[r - 1];
    cost7[r] = (after8 ? cost8[r - 1] : cost7[r - 1]) + 17 + 8 * c;
    from7[r] = after8 ? 0 : 1;
  }
  std::vector<uint8_t> state(n);
  if (n) state[n - 1] = cost7[n - 1] < cost8[n - 1] ? 1 : 0;
  for (std::size_t r = n; r-- > 1;) state[r - 1] = state[r] ? from7[r] : from8[r];

  std::vector<LiteralSwitch> switches;
  for (std::size_t r = 0; r < n; ++r) {
    if (state[r]) {
      switches.push_back({runs[r].first, 7, unsigned(runs[r].base)});
    } else if (r == 0 || state[r - 1]) {
      switches.push_back({runs[r].first, 8, 0});
    }
  }
  return switches;
}

struct OffsetSwitch {
  std::size_t matchIndex;  // before this long match
  int bits;
};

inline uint32_t OffsetSwitchCost(int k) { return k <= 15 ? 16 : 17; }

// Offset-bits changes where they pay, chosen per group of long matches.
std::vector<OffsetSwitch> PlanOffsetBits(const std::vector<uint32_t>& offsets) {
  constexpr std::size_t group = 1024;
  std::vector<OffsetSwitch> switches;
  int current = firstOffsetBits;
  for (std::size_t g = 0; g < offsets.size(); g += group) {
    uint64_t cost[17] = {};
    std::size_t end = std::min(offsets.size(), g + group);
    for (std::size_t i = g; i < end; ++i) {
      for (int k = 0; k <= 16; ++k) cost[k] += GammaBits(3 + (offsets[i] >> k)) + uint32_t(k);
    }
    int best = int(std::min_element(cost, cost + 17) - cost);
    if (best != current && cost[best] + OffsetSwitchCost(best) < cost[current]) {
      switches.push_back({g, best});
      current = best;
    }
  }
  return switches;
}

std::vector<uint8_t> Compressor::Emit() {
  // First walk: the literals and the long-match offsets in stream order, to plan the codings.
  std::vector<uint8_t> literals;
  std::vector<uint32_t> longOffsets;
  uint32_t lastOffset = 1;
  for (const Token& t : tokens_) {
    if (t.kind == literalRun) {
      for (uint32_t i = t.position; i < t.position + t.length; ++i) {
        if (data_[i] != 0 && !near_[i]) literals.push_back(data_[i]);
      }
    } else if (t.kind == match && t.offset != lastOffset) {
      if (!(t.offset <= 127 && t.length <= 5)) longOffsets.push_back(t.offset);
      lastOffset = t.offset;
    }
  }
  std::vector<LiteralSwitch> literalPlan = PlanLiterals(literals);
  std::vector<OffsetSwitch> offsetPlan = PlanOffsetBits(longOffsets);

  std::vector<uint8_t> out(packStreamHeaderSize);
  out.reserve(size_ + size_ / 8 + 1024);
  out[0] = 0x51;
  out[1] = 0x58;
  uint32_t checksum = PackChecksum(data_, size_);
  for (int b = 0; b < 4; ++b) {
    out[2 + b] = uint8_t(size_ >> (8 * b));
    out[6 + b] = uint8_t(checksum >> (8 * b));
  }
  BitWriter w(out);
  std::size_t literalIndex = 0, nextLiteralSwitch = 0;
  std::size_t longIndex = 0, nextOffsetSwitch = 0;
  unsigned literalBits = 8, literalBase = 0;
  int k = firstOffsetBits;
  lastOffset = 1;
  for (const Token& t : tokens_) {
    switch (t.kind) {
      case literalRun:
        for (uint32_t i = t.position; i < t.position + t.length; ++i) {
          uint8_t c = data_[i];
          uint32_t d = near_[i];
          if (c == 0) {
            w.Put(0b001, 3), w.Put(1, 4);
          } else if (d) {
            w.Put(0b001, 3), w.Put(d + 1, 4);
          } else {
            if (nextLiteralSwitch < literalPlan.size() &&
                literalPlan[nextLiteralSwitch].literalIndex == literalIndex) {
              const LiteralSwitch& s = literalPlan[nextLiteralSwitch++];
              literalBits = s.bits, literalBase = s.base;
              w.Put(0b001, 3), w.Put(0, 4), w.Put(0, 1), w.Put(s.bits == 8 ? 1 : 0, 1);
              if (s.bits == 7) w.Put(s.base, 8);
            }
            w.Put(1, 1);
            w.Put((c - literalBase) & ((1u << literalBits) - 1), literalBits);
            ++literalIndex;
          }
        }
        break;
      case rawRun:
        w.Put(0b001, 3), w.Put(0, 4), w.Put(1, 1);
        for (uint32_t block = 0; block < t.length / 256; ++block) {
          const uint8_t* p = data_ + t.position + block * 256;
          for (int b = 0; b < 256; b += 4) {
            w.Put(uint32_t(p[b]) << 24 | uint32_t(p[b + 1]) << 16 | uint32_t(p[b + 2]) << 8 |
                      p[b + 3],
                  32);
          }
          w.Put(block + 1 < t.length / 256 ? 1 : 0, 1);
        }
        break;
      case repeat:
        w.Put(0b01, 2), w.Gamma(2), w.Gamma(t.length);
        break;
      case match:
        if (t.offset == lastOffset) {
          w.Put(0b01, 2), w.Gamma(2), w.Gamma(t.length);
        } else if (t.offset <= 127 && t.length <= 5) {
          w.Put(0b000, 3), w.Put(t.offset, 7), w.Put(t.length - 2, 2);
        } else {
          if (nextOffsetSwitch < offsetPlan.size() &&
              offsetPlan[nextOffsetSwitch].matchIndex == longIndex) {
            k = offsetPlan[nextOffsetSwitch++].bits;
            unsigned field = k <= 15 ? 1 : 2;
            w.Put(0b000, 3), w.Put(0, 7), w.Put(field, 2), w.Put(uint32_t(k), field + 3);
          }
          ++longIndex;
          w.Put(0b01, 2);
          w.Gamma(3 + (t.offset >> k));
          w.Put(t.offset & ((1u << k) - 1), unsigned(k));
          w.Gamma(t.length - LengthBonus(t.offset));
        }
        lastOffset = t.offset;
        break;
    }
  }
  w.Put(0, 12);  // the end code: a short match at offset 0 with length 2
  w.Flush();
  return out;
}

// The cheapest code at i by bits saved against literals, searching and inserting i.
Compressor::Choice Compressor::Evaluate(uint32_t i) {
  const uint8_t c = data_[i];
  const uint32_t literal = literalPrice_[i / literalChunk] + 1;
  uint32_t near = last1_[c] && i - (last1_[c] - 1) <= 14 ? i - (last1_[c] - 1) : 0;
  near_[i] = uint8_t(near);
  Choice best = {0, 0, 0, (c == 0 || near) ? 7u : literal, literalRun};
  int32_t bestGain = 0;
  const uint32_t maxLength = size_ - i;
  const uint32_t rep = lastOffset_;
  uint32_t repLength = 0;
  if (maxLength >= 2 && rep <= i && data_[i] == data_[i - rep] && data_[i + 1] == data_[i + 1 - rep]) {
    repLength = 2 + MatchLength(data_ + i + 2, data_ + i + 2 - rep, maxLength - 2);
    uint32_t cost = 4 + GammaBits(repLength);
    int32_t gain = int32_t(repLength * literal) - int32_t(cost);
    if (gain > bestGain) bestGain = gain, best = {repLength, rep, cost, best.single, repeat};
  }
  MatchCandidate found[bucketWays + 2];
  int n = FindMatches(i, maxLength, found);
  for (int m = 0; m < n; ++m) {
    const uint32_t d = found[m].offset, length = found[m].length;
    if (d == rep) continue;  // the repeat above is cheaper
    uint32_t l = length, cost;
    if (d <= 127 && l <= 5) {
      cost = 12;
    } else {
      cost = offsetPrice_[d] + GammaBits(l - LengthBonus(d));
      if (d <= 127 && int32_t(5 * literal) - 12 > int32_t(l * literal) - int32_t(cost)) l = 5, cost = 12;
    }
    int32_t gain = int32_t(l * literal) - int32_t(cost);
    if (gain > bestGain) bestGain = gain, best = {l, d, cost, best.single, match};
  }
  return best;
}

// A lazy parse: the best code at each position, unless coding the byte alone and the best
// code at the next position covers the same bytes in fewer bits.
void Compressor::ParseLazy() {
  SetOffsetPrices(firstOffsetBits);
  if (size_ == 0) return;
  uint32_t i = 0, checked = 0;
  std::size_t firstToken = 0;
  uint32_t misses = 0;
  Choice here = Evaluate(0);
  while (i < size_) {
    if (here.length && here.length < uint32_t(niceLength) && i + 1 < size_) {
      Choice next = Evaluate(i + 1);
      uint32_t end = std::max(i + here.length, i + 1 + next.length);
      // Bytes that one choice leaves uncovered are priced at a typical coded byte.
      const uint32_t fill = 5;
      uint32_t costHere = here.cost + (end - i - here.length) * fill;
      uint32_t costNext = here.single + next.cost + (end - i - 1 - next.length) * fill;
      if (next.length && costNext < costHere) {
        AddToken({i, 1, 0, literalRun});
        ++i;
        here = next;
        continue;
      }
      uint32_t searched = i + 2;
      // Take the code at i; the positions searched are already in the tables.
      AddToken({i, here.length, here.offset, here.kind});
      lastOffset_ = here.offset;
      for (uint32_t p = searched; p < i + here.length; ++p) Insert(p);
    } else if (here.length) {
      AddToken({i, here.length, here.offset, here.kind});
      lastOffset_ = here.offset;
      for (uint32_t p = i + 1; p < i + here.length; ++p) Insert(p);
    } else {
      AddToken({i, 1, 0, literalRun});
      // In a long stretch without matches the search steps over more and more bytes, which
      // stay literals and are not entered in the match tables.
      if (++misses > 64) {
        uint32_t skip = std::min<uint32_t>((misses - 64) >> 5, 8);
        for (uint32_t p = i + 1; p <= i + skip && p < size_; ++p) {
          const uint8_t c = data_[p];
          near_[p] = uint8_t(last1_[c] && p - (last1_[c] - 1) <= 14 ? p - (last1_[c] - 1) : 0);
          last1_[c] = p + 1;
          AddToken({p, 1, 0, literalRun});
        }
        i += skip;
      }
    }
    if (here.length) misses = 0;
    i += here.length ? here.length : 1;
    if (i - checked >= 65536) {
      int k = BestOffsetBits(firstToken);
      if (k != parseOffsetBits_) SetOffsetPrices(k);
      checked = i;
      firstToken = tokens_.size();
    }
    if (i < size_) here = Evaluate(i);
  }
}

// Long literal runs whose bytes cost more than 8 bits each become raw blocks where that pays.
void Compressor::UseRawBlocks() {
  std::vector<Token> tokens;
  tokens.reserve(tokens_.size());
  std::swap(tokens, tokens_);
  std::vector<uint16_t> cost;
  for (const Token& t : tokens) {
    if (t.kind != literalRun || t.length < 256) {
      AddToken(t);
      continue;
    }
    cost.resize(t.length);
    for (uint32_t k = 0; k < t.length; ++k) {
      uint32_t i = t.position + k;
      cost[k] = uint16_t(data_[i] == 0 || near_[i] ? 7 : literalPrice_[i / literalChunk] + 1);
    }
    uint32_t k = 0, window = 0;
    for (uint32_t q = 0; q < 256; ++q) window += cost[q];
    bool raw = false;
    while (k < t.length) {
      if (t.length - k >= 256 && window > (raw ? 2049u : 2057u)) {
        AddToken({t.position + k, 256, 0, rawRun});
        raw = true;
        k += 256;
        window = 0;
        if (t.length - k >= 256) {
          for (uint32_t q = k; q < k + 256; ++q) window += cost[q];
        }
      } else {
        AddToken({t.position + k, 1, 0, literalRun});
        raw = false;
        if (t.length - k > 256) window += cost[k + 256];
        window -= cost[k];
        ++k;
      }
    }
  }
}

std::vector<uint8_t> Compressor::Run() {
  ParseLazy();
  UseRawBlocks();
  return Emit();
}

}  // namespace

std::vector<uint8_t> Compress(const uint8_t* data, std::size_t size, int level) {
  if (size > 0xffffffffu) return {};
  Compressor compressor(data, uint32_t(size), level);
  return compressor.Run();
}
