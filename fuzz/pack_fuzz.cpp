// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the pack reader and the codec. The first byte picks the mode:
//   0: the bytes are a compressed stream, decoded into outputs of several sizes;
//   1: the bytes are a pack file, read entry by entry to the end;
//   2: the bytes are contents, compressed at a level and decoded back, which must round-trip.
#include <sanitizer/asan_interface.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/pack_codec.h"
#include "assets/pack_file.h"

namespace {

// Mode 0 decodes into at most this much: enough for every kind of code and a long run of
// matches, and small enough that clearing the rest for the checksum costs little per input.
constexpr std::size_t largestOutput = 256u << 10;  // 256 KiB

uint32_t HeaderSize(const uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  return uint32_t(data[2]) | uint32_t(data[3]) << 8 | uint32_t(data[4]) << 16 |
         uint32_t(data[5]) << 24;
}

void DecodeAtSize(const uint8_t* data, std::size_t size, std::size_t outputSize) {
  // One buffer for every input, not a fresh heap block each time (mapping and zeroing pages
  // was most of the run time); what lies past outputSize is poisoned, so a write past the end
  // is still caught.
  alignas(8) static uint8_t buffer[largestOutput];
  ASAN_POISON_MEMORY_REGION(buffer + outputSize, largestOutput - outputSize);
  DecodeResult result = DecodeStream(data, size, buffer, outputSize);
  ASAN_UNPOISON_MEMORY_REGION(buffer + outputSize, largestOutput - outputSize);
  if (result.written > outputSize) __builtin_trap();
}

void ReadPack(const uint8_t* data, std::size_t size) {
  if (!OpenPackMemory(data, size)) return;
  while (const uint8_t* entry = ReadNextEntry()) {
    int64_t length = LastEntrySize();
    if (length < 0) __builtin_trap();
    // A compressed entry comes back only when its stream filled it.
    const PackEntryInfo& info = LastEntryInfo();
    if (info.compressed && info.decode.written != uint64_t(length)) __builtin_trap();
    // Reading both ends lets the address sanitizer check the buffer holds the whole length.
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
      DecodeAtSize(data, size, expanded < largestOutput ? expanded : largestOutput);
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
