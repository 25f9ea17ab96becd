// SPDX-License-Identifier: GPL-3.0-or-later
// The picture and sound decoders on arbitrary input: pack entries are outside data, and every
// picture (PNG, JPEG, TIFF, BMP) and sound (WAV, Ogg Vorbis) of the game goes through these.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "media/media_internal.h"
#include "media/media_sound_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  media::Picture picture;
  if (media::DecodePicture(data, size, picture)) {
    const int64_t pixels = int64_t(picture.width) * picture.height;
    if (picture.width <= 0 || picture.height <= 0 || int64_t(picture.pixels.size()) != pixels) {
      std::abort();
    }
  }
  media::DecodedSound sound;
  if (media::DecodeWav(data, size, sound) || media::DecodeOgg(data, size, sound)) {
    const std::size_t frameBytes = std::size_t(sound.channels) * (sound.bits / 8);
    if (sound.channels <= 0 || frameBytes == 0 || sound.samples.size() < sound.frames * frameBytes) {
      std::abort();
    }
  }
  return 0;
}
