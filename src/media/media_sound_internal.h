// SPDX-License-Identifier: GPL-3.0-or-later
// Decoded sounds shared by the sound service and its decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

// True for data that starts like an Ogg file.
bool IsOggData(const uint8_t* data, std::size_t size);

// An Ogg Vorbis track decoded a piece at a time from its own copy of the file, so a long piece
// of music costs its compressed size and a few small buffers, not its whole length in PCM.
// Always signed 16-bit little-endian, interleaved.
class OggStream {
 public:
  OggStream();
  OggStream(const OggStream&) = delete;
  OggStream& operator=(const OggStream&) = delete;
  ~OggStream();
  // Refuses what DecodeOgg refuses, read from the headers: a bad stream, a layout not played,
  // channels that change between links, more than ten minutes.
  bool Open(const uint8_t* data, std::size_t size, std::string& reason);
  // Fills out with up to bytes of PCM (a whole number of frames). At the end of the track a
  // looping read goes on from the start within the same call, so the loop has no seam; a
  // plain read returns what was left (0 once ended, or on a fault in the stream).
  std::size_t Read(uint8_t* out, std::size_t bytes, bool loop);
  bool Rewind();
  int Channels() const { return channels; }
  int Rate() const { return rate; }
  std::size_t Frames() const { return frames; }

 private:
  struct State;
  std::unique_ptr<State> state;
  int channels = 0;
  int rate = 0;
  std::size_t frames = 0;
};

}  // namespace media
