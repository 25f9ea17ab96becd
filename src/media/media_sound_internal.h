// SPDX-License-Identifier: GPL-3.0-or-later
// Decoded sounds shared by the sound service and its decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
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

// Each says why it refuses the data in reason, when one is given.
bool DecodeWav(const uint8_t* data, std::size_t size, DecodedSound& out, std::string* reason = nullptr);
bool DecodeOgg(const uint8_t* data, std::size_t size, DecodedSound& out, std::string* reason = nullptr);
// A WAV or Ogg Vorbis file, told from its first bytes.
bool DecodeSound(const uint8_t* data, std::size_t size, DecodedSound& out, std::string& reason);

}  // namespace media
