// SPDX-License-Identifier: GPL-3.0-or-later
// The pack codec: the "QX" compressed stream that pack entries are stored in.
//
// Stream: the bytes 'Q' 'X', the expanded size and a checksum (both unsigned 32-bit
// little-endian), then a bit stream read as 32-bit little-endian words, most significant bit
// first. The decoder is safe on any input: it never reads past the stream, never writes past
// the output and never copies from before the start of the output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t packStreamHeaderSize = 10;

// Matches are copied eight bytes at a time where the output has room, so up to this many bytes
// past the decoded end may hold copies; everything further on is left untouched.
constexpr std::size_t packCopyOverrun = 7;

// A full "QX" stream for the block, searching matches within the level's window.
std::vector<uint8_t> Compress(const uint8_t* data, std::size_t size, int level);

// What the decoder did, for the tools that inspect packs.
struct DecodeResult {
  std::size_t written = 0;     // bytes written to the output
  bool magicOk = false;        // the stream starts with "QX"
  bool ended = false;          // the end code was reached (not a truncated or broken stream)
  bool outputFull = false;     // stopped at a code that needs more room than the output has
  uint32_t expandedSize = 0;   // as the header says
  uint32_t checksum = 0;       // as the header says; 0 means "not compared"
  bool checksumOk = false;     // the checksum is 0 or matches the first expandedSize bytes
};

// Decodes into output (at most outputSize bytes). Bytes of the first expandedSize that the
// stream did not write are zeroed before the checksum is computed over them.
DecodeResult DecodeStream(const uint8_t* stream, std::size_t streamSize, uint8_t* output,
                          std::size_t outputSize);

// The bytes written, or 0 when the checksum does not match.
std::size_t Decompress(const uint8_t* stream, std::size_t streamSize, uint8_t* output,
                       std::size_t outputSize);

// Sum-and-xor over little-endian words; the last word overlaps so that it ends at the last
// byte. Blocks shorter than 4 bytes have checksum 0.
uint32_t PackChecksum(const uint8_t* data, std::size_t size);

// The match search window of a compression level (65536 for any level outside 0 to 8).
int WindowForLevel(int level);
