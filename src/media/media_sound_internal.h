// Decoded sounds shared by the sound service and its decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

// Interleaved PCM, unsigned 8-bit or signed 16-bit little-endian.
struct DecodedSound {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::size_t frames = 0;
  std::vector<uint8_t> samples;
};

bool DecodeWav(const uint8_t* data, std::size_t size, DecodedSound& out);
bool DecodeOgg(const uint8_t* data, std::size_t size, DecodedSound& out);

}  // namespace media
