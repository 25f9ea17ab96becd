// SPDX-License-Identifier: GPL-3.0-or-later
// WAV writing and Ogg Vorbis encoding of the rendered sounds.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "sound_synth.h"

static void PutText(std::vector<uint8_t>& out, const char* text) {
  out.insert(out.end(), text, text + std::strlen(text));
}

static void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

static int16_t ToPcm16(float sample) {
  const float scaled = std::clamp(sample, -1.0f, 1.0f) * 32767.0f;
  return static_cast<int16_t>(std::lround(scaled));
}

std::vector<uint8_t> EncodeWav(const Samples& mono, int rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(mono.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutText(out, "RIFF");
  PutLittle(out, 36 + dataBytes, 4);
  PutText(out, "WAVE");
  PutText(out, "fmt ");
  PutLittle(out, 16, 4);        // size of the format chunk
  PutLittle(out, 1, 2);         // PCM
  PutLittle(out, 1, 2);         // channels
  PutLittle(out, static_cast<uint32_t>(rate), 4);
  PutLittle(out, static_cast<uint32_t>(rate * 2), 4);  // bytes per second
  PutLittle(out, 2, 2);         // bytes per frame
  PutLittle(out, 16, 2);        // bits per sample
  PutText(out, "data");
  PutLittle(out, dataBytes, 4);
  for (float s : mono) PutLittle(out, static_cast<uint16_t>(ToPcm16(s)), 2);
  return out;
}

static void PutPage(std::vector<uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

std::vector<uint8_t> EncodeVorbis(const Samples& left, const Samples& right, int rate,
                                  float quality, int serial, const char* title) {
  std::vector<uint8_t> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 2, rate, quality) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", title);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  // The audio starts on a fresh page, as decoders expect.
  while (ogg_stream_flush(&stream, &page) != 0) PutPage(out, page);

  const size_t frames = std::min(left.size(), right.size());
  const size_t chunk = 4096;
  size_t done = 0;
  bool finished = false;
  while (!finished) {
    const size_t count = std::min(chunk, frames - done);
    if (count == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      std::copy_n(left.begin() + done, count, buffer[0]);
      std::copy_n(right.begin() + done, count, buffer[1]);
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      done += count;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          PutPage(out, page);
          if (ogg_page_eos(&page)) finished = true;
        }
      }
    }
    if (count == 0) finished = true;
  }
  while (ogg_stream_flush(&stream, &page) != 0) PutPage(out, page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}
