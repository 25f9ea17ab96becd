// SPDX-License-Identifier: GPL-3.0-or-later
// Sound decoders over memory blocks: RIFF WAVE (8- and 16-bit PCM, mono or stereo) and Ogg
// Vorbis. Both refuse malformed data instead of reading past the block.
#include <cstring>
#include <string>

#include <vorbis/vorbisfile.h>

#include "media/media_sound_internal.h"

namespace media {

namespace {

uint32_t Little32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Little16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct OggMemory {
  const uint8_t* data;
  std::size_t size;
  std::size_t position;
};

std::size_t OggRead(void* buffer, std::size_t elementSize, std::size_t count, void* source) {
  auto* memory = static_cast<OggMemory*>(source);
  if (elementSize == 0) return 0;
  std::size_t wanted = elementSize * count;
  std::size_t available = memory->size - memory->position;
  if (wanted > available) wanted = available - available % elementSize;
  std::memcpy(buffer, memory->data + memory->position, wanted);
  memory->position += wanted;
  return wanted / elementSize;
}

int OggSeek(void* source, ogg_int64_t offset, int whence) {
  auto* memory = static_cast<OggMemory*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(memory->position);
  if (whence == SEEK_END) base = static_cast<ogg_int64_t>(memory->size);
  ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(memory->size)) return -1;
  memory->position = static_cast<std::size_t>(target);
  return 0;
}

long OggTell(void* source) { return static_cast<long>(static_cast<OggMemory*>(source)->position); }

// Longer decoded sounds are refused: ten minutes of 48 kHz stereo.
constexpr std::size_t maxDecodedBytes = 10u * 60 * 48000 * 4;

bool IsWav(const uint8_t* data, std::size_t size) {
  return data && size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0;
}

bool IsOgg(const uint8_t* data, std::size_t size) {
  return data && size >= 4 && std::memcmp(data, "OggS", 4) == 0;
}

bool Refuse(std::string* reason, const std::string& why) {
  if (reason) *reason = why;
  return false;
}

// libvorbisfile's error codes in words.
std::string VorbisWords(long code) {
  switch (code) {
    case OV_EREAD: return "a read failed";
    case OV_EFAULT: return "the decoder's state is corrupt";
    case OV_ENOTVORBIS: return "not Vorbis data";
    case OV_EVERSION: return "a Vorbis version this decoder does not know";
    case OV_EBADHEADER: return "a malformed Vorbis header";
    case OV_EBADLINK: return "a malformed link in the stream";
    case OV_EINVAL: return "an invalid stream";
    default: return "Vorbis error " + std::to_string(code);
  }
}

}  // namespace

bool DecodeSound(const uint8_t* data, std::size_t size, DecodedSound& out, std::string& reason) {
  if (IsWav(data, size)) return DecodeWav(data, size, out, &reason);
  if (IsOgg(data, size)) return DecodeOgg(data, size, out, &reason);
  return Refuse(&reason, "neither a WAV nor an Ogg Vorbis file");
}

bool DecodeWav(const uint8_t* data, std::size_t size, DecodedSound& out, std::string* reason) {
  if (!IsWav(data, size)) return Refuse(reason, "not a RIFF WAVE file");
  bool haveFormat = false;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  const uint8_t* samples = nullptr;
  std::size_t sampleBytes = 0;
  std::size_t at = 12;
  while (size - at >= 8) {
    const uint8_t* chunk = data + at;
    std::size_t length = Little32(chunk + 4);
    std::size_t bodyStart = at + 8;
    std::size_t available = size - bodyStart;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16 || length > available) return Refuse(reason, "a WAV format chunk cut short");
      uint16_t tag = Little16(chunk + 8);
      // WAVE_FORMAT_EXTENSIBLE carries the real tag in its sub-format.
      if (tag == 0xFFFE && length >= 40) tag = Little16(chunk + 8 + 24);
      if (tag != 1) return Refuse(reason, "WAV format " + std::to_string(tag) + " is not plain PCM");
      channels = Little16(chunk + 10);
      rate = static_cast<int>(Little32(chunk + 12));
      bits = Little16(chunk + 22);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      // Writers that never patched the length leave it too long: take what is there.
      samples = data + bodyStart;
      sampleBytes = length < available ? length : available;
    }
    if (length > available) break;
    std::size_t padded = length + (length & 1);
    if (padded > available) break;
    at = bodyStart + padded;
  }
  if (!haveFormat || !samples) return Refuse(reason, haveFormat ? "a WAV file without samples" : "a WAV file without its format");
  if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate <= 0 || rate > 384000) {
    return Refuse(reason, "a WAV layout not played: " + std::to_string(channels) + " channels, " +
                              std::to_string(bits) + " bits, " + std::to_string(rate) + " Hz");
  }
  const std::size_t frameBytes = static_cast<std::size_t>(channels) * (bits / 8);
  const std::size_t frames = sampleBytes / frameBytes;
  if (frames == 0) return Refuse(reason, "a WAV file without samples");
  out.channels = channels;
  out.rate = rate;
  out.bits = bits;
  out.frames = frames;
  out.samples.assign(samples, samples + frames * frameBytes);
  return true;
}

bool DecodeOgg(const uint8_t* data, std::size_t size, DecodedSound& out, std::string* reason) {
  if (!IsOgg(data, size)) return Refuse(reason, "not an Ogg file");
  OggMemory memory{data, size, 0};
  ov_callbacks callbacks{OggRead, OggSeek, nullptr, OggTell};
  OggVorbis_File file;
  const int opened = ov_open_callbacks(&memory, &file, nullptr, 0, callbacks);
  if (opened != 0) return Refuse(reason, VorbisWords(opened));
  vorbis_info* info = ov_info(&file, -1);
  if (!info || (info->channels != 1 && info->channels != 2) || info->rate <= 0) {
    ov_clear(&file);
    return Refuse(reason, "a Vorbis layout not played (one or two channels only)");
  }
  std::vector<uint8_t> pcm;
  char buffer[16384];
  int section = 0;
  std::string fault;
  for (;;) {
    long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
    if (got == 0) break;
    if (got == OV_HOLE) continue;
    if (got < 0) {
      fault = VorbisWords(got);
      break;
    }
    if (pcm.size() + static_cast<std::size_t>(got) > maxDecodedBytes) {
      fault = "longer than ten minutes";
      break;
    }
    pcm.insert(pcm.end(), buffer, buffer + got);
  }
  // A stream whose later sections change the layout is not something we play.
  vorbis_info* last = ov_info(&file, -1);
  if (fault.empty() && (!last || last->channels != info->channels)) fault = "the channels change within the stream";
  out.channels = info->channels;
  out.rate = static_cast<int>(info->rate);
  ov_clear(&file);
  out.bits = 16;
  const std::size_t frameBytes = static_cast<std::size_t>(out.channels) * 2;
  out.frames = pcm.size() / frameBytes;
  if (fault.empty() && out.frames == 0) fault = "a Vorbis stream without samples";
  if (!fault.empty()) return Refuse(reason, fault);
  pcm.resize(out.frames * frameBytes);
  out.samples = std::move(pcm);
  return true;
}

bool IsOggData(const uint8_t* data, std::size_t size) { return IsOgg(data, size); }

struct OggStream::State {
  std::vector<uint8_t> bytes;
  OggMemory memory{nullptr, 0, 0};
  OggVorbis_File file{};
  bool open = false;
};

OggStream::OggStream() = default;

OggStream::~OggStream() {
  if (state && state->open) ov_clear(&state->file);
}

bool OggStream::Open(const uint8_t* data, std::size_t size, std::string& reason) {
  if (!IsOgg(data, size)) return Refuse(&reason, "not an Ogg file");
  auto fresh = std::make_unique<State>();
  fresh->bytes.assign(data, data + size);
  fresh->memory = OggMemory{fresh->bytes.data(), fresh->bytes.size(), 0};
  ov_callbacks callbacks{OggRead, OggSeek, nullptr, OggTell};
  const int opened = ov_open_callbacks(&fresh->memory, &fresh->file, nullptr, 0, callbacks);
  if (opened != 0) return Refuse(&reason, VorbisWords(opened));
  fresh->open = true;
  vorbis_info* info = ov_info(&fresh->file, -1);
  std::string fault;
  if (!info || (info->channels != 1 && info->channels != 2) || info->rate <= 0) {
    fault = "a Vorbis layout not played (one or two channels only)";
  } else {
    for (long link = 0; link < ov_streams(&fresh->file) && fault.empty(); ++link) {
      vorbis_info* linkInfo = ov_info(&fresh->file, static_cast<int>(link));
      if (!linkInfo || linkInfo->channels != info->channels) fault = "the channels change within the stream";
    }
  }
  const ogg_int64_t total = ov_pcm_total(&fresh->file, -1);
  if (fault.empty() && total <= 0) fault = "a Vorbis stream without samples";
  if (fault.empty() && static_cast<std::size_t>(total) * info->channels * 2 > maxDecodedBytes) {
    fault = "longer than ten minutes";
  }
  if (!fault.empty()) {
    ov_clear(&fresh->file);
    return Refuse(&reason, fault);
  }
  channels = info->channels;
  rate = static_cast<int>(info->rate);
  frames = static_cast<std::size_t>(total);
  if (state && state->open) ov_clear(&state->file);
  state = std::move(fresh);
  return true;
}

bool OggStream::Rewind() { return state && state->open && ov_pcm_seek(&state->file, 0) == 0; }

std::size_t OggStream::Read(uint8_t* out, std::size_t bytes, bool loop) {
  if (!state || !state->open || channels <= 0) return 0;
  const std::size_t frameBytes = static_cast<std::size_t>(channels) * 2;
  bytes -= bytes % frameBytes;
  std::size_t filled = 0;
  bool rewoundEmpty = false;  // a loop that finds nothing after its rewind stops, not spins
  int section = 0;
  while (filled < bytes) {
    const long got = ov_read(&state->file, reinterpret_cast<char*>(out + filled),
                             static_cast<int>(bytes - filled), 0, 2, 1, &section);
    if (got == OV_HOLE) continue;
    if (got > 0) {
      filled += static_cast<std::size_t>(got);
      rewoundEmpty = false;
      continue;
    }
    // The end, or a fault: a loop starts over, anything else stops here.
    if (!loop || rewoundEmpty || !Rewind()) break;
    rewoundEmpty = true;
  }
  return filled - filled % frameBytes;
}

}  // namespace media
