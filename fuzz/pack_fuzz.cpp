// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the pack reader and the codec. The first byte picks the mode:
//   0: the bytes are a compressed stream, decoded into outputs of several sizes;
//   1: the bytes are a pack file, read entry by entry to the end;
//   2: the bytes are contents, compressed at a level and decoded back, which must round-trip.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/pack_codec.h"
#include "assets/pack_file.h"

namespace {

uint32_t HeaderSize(const uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  return uint32_t(data[2]) | uint32_t(data[3]) << 8 | uint32_t(data[4]) << 16 |
         uint32_t(data[5]) << 24;
}

void DecodeAtSize(const uint8_t* data, std::size_t size, std::size_t outputSize) {
  // An exact-size heap block, so any write past the end is caught.
  uint8_t* output = static_cast<uint8_t*>(std::malloc(outputSize ? outputSize : 1));
  DecodeResult result = DecodeStream(data, size, output, outputSize);
  if (result.written > outputSize) __builtin_trap();
  std::free(output);
}

void ReadPack(const uint8_t* data, std::size_t size) {
  if (!OpenPackMemory(data, size)) return;
  while (const uint8_t* entry = ReadNextEntry()) {
    int64_t length = LastEntrySize();
    if (length < 0) __builtin_trap();
    // The buffer must hold the whole length: reading both ends lets the address sanitizer
    // check it without touching every page of an entry that claims hundreds of megabytes.
    volatile uint8_t sum = entry[0];
    if (length) sum = uint8_t(sum + entry[length - 1]);
  }
  ClosePackFile();
}

void RoundTrip(const uint8_t* data, std::size_t size, int level) {
  std::vector<uint8_t> stream = Compress(data, size, level);
  std::vector<uint8_t> output(size);
  if (Decompress(stream.data(), stream.size(), output.data(), size) != size) __builtin_trap();
  if (size && std::memcmp(output.data(), data, size) != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  uint8_t mode = data[0];
  ++data, --size;
  switch (mode % 3) {
    case 0: {
      std::size_t expanded = HeaderSize(data, size);
      DecodeAtSize(data, size, expanded < (1u << 20) ? expanded : (1u << 20));
      DecodeAtSize(data, size, mode / 3);  // usually smaller than the stream wants
      break;
    }
    case 1:
      ReadPack(data, size);
      break;
    default:
      RoundTrip(data, size, (mode / 3) % 11 - 1);
      break;
  }
  return 0;
}
