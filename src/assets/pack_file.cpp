// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/pack_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

enum class PackMode { closed, reading, writing };

struct PackState {
  PackMode mode = PackMode::closed;
  std::FILE* file = nullptr;
  uint64_t fileSize = 0;
  uint64_t position = 0;
  uint8_t* entry = nullptr;  // the last entry's buffer
  int64_t lastEntrySize = -1;
  int nextIndex = 0;
  PackEntryInfo info;
};

PackState pack;

void ReleaseEntry() {
  std::free(pack.entry);
  pack.entry = nullptr;
}

uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteLe32(uint8_t* p, uint32_t v) {
  for (int b = 0; b < 4; ++b) p[b] = uint8_t(v >> (8 * b));
}

const uint8_t* Refuse(PackEntryStatus status) {
  pack.info.status = status;
  return nullptr;
}

// A compressed entry's buffer starts at what its stored size makes likely and doubles while the
// stream keeps filling it, so the size in a damaged header costs nothing the data does not back.
constexpr std::size_t firstEntryCapacity = 64u << 10;  // 64 KiB
constexpr std::size_t likelyExpansion = 16;  // the game's entries unpack to under 3x their size

// The decoded entry, or nullptr with the status set. A stream that does not fill the entry's
// whole size gives no entry: zeros for the rest would let a damaged header claiming 256 MB have
// that much allocated. A full entry whose checksum fails still comes back; the picture or sound
// decoder that receives it reports the damage. The decoder's result is kept for the tools.
uint8_t* DecodeEntry(const uint8_t* stored, uint32_t storedSize, uint32_t unpackedSize) {
  std::size_t capacity = std::min<std::size_t>(
      unpackedSize, std::max(firstEntryCapacity, likelyExpansion * storedSize));
  for (;;) {
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(capacity ? capacity : 1));
    if (!buffer) {
      Refuse(PackEntryStatus::noMemory);
      return nullptr;
    }
    pack.info.decode = DecodeStream(stored, storedSize, buffer, capacity);
    const DecodeResult& decode = pack.info.decode;
    if (decode.written == unpackedSize) return buffer;
    std::free(buffer);
    // Only a stream that stopped for want of room can get further with more.
    if (!decode.outputFull || capacity == unpackedSize) {
      Refuse(PackEntryStatus::brokenStream);
      return nullptr;
    }
    capacity = std::min<std::size_t>(unpackedSize, capacity * 2);
  }
}

}  // namespace

namespace {

// Both ways in read the same stream: a file, or a block of memory behind a memory stream.
int StartReading(std::FILE* file) {
  // The size bounds every read, so a damaged header never makes us wait for or allocate
  // data that is not there.
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return 0;
  }
  pack.file = file;
  pack.fileSize = uint64_t(size);
  pack.position = 0;
  pack.mode = PackMode::reading;
  pack.nextIndex = 0;
  pack.info = PackEntryInfo();
  return 1;
}

}  // namespace

int OpenPackFile(const std::string& name) {
  ClosePackFile();
  std::FILE* file = std::fopen(name.c_str(), "rb");
  return file ? StartReading(file) : 0;
}

int OpenPackMemory(const void* data, std::size_t size) {
  ClosePackFile();
  std::FILE* file = fmemopen(const_cast<void*>(data), size, "rb");
  return file ? StartReading(file) : 0;
}

const uint8_t* ReadNextEntry() {
  pack.lastEntrySize = -1;
  pack.info = PackEntryInfo();
  if (pack.mode != PackMode::reading) return Refuse(PackEntryStatus::notOpen);
  pack.info.index = pack.nextIndex;
  pack.info.fileOffset = pack.position;

  uint8_t header[8];
  std::size_t got = std::fread(header, 1, sizeof header, pack.file);
  pack.position += got;
  if (got == 0) return Refuse(PackEntryStatus::endOfPack);
  if (got < sizeof header) return Refuse(PackEntryStatus::truncatedHeader);
  ++pack.nextIndex;
  uint32_t unpackedSize = ReadLe32(header);
  uint32_t storedSize = ReadLe32(header + 4);
  pack.info.unpackedSize = unpackedSize;
  pack.info.storedSize = storedSize;
  pack.info.compressed = storedSize != unpackedSize;
  if (unpackedSize > packEntryLimit) return Refuse(PackEntryStatus::absurdSize);
  if (storedSize > pack.fileSize - pack.position) return Refuse(PackEntryStatus::truncatedData);

  ReleaseEntry();
  uint8_t* buffer = nullptr;
  if (!pack.info.compressed) {
    buffer = static_cast<uint8_t*>(std::malloc(storedSize ? storedSize : 1));
    if (!buffer) return Refuse(PackEntryStatus::noMemory);
    got = std::fread(buffer, 1, storedSize, pack.file);
    pack.position += got;
    if (got < storedSize) {
      std::free(buffer);
      return Refuse(PackEntryStatus::truncatedData);
    }
  } else {
    uint8_t* stored = static_cast<uint8_t*>(std::malloc(storedSize ? storedSize : 1));
    if (!stored) return Refuse(PackEntryStatus::noMemory);
    got = std::fread(stored, 1, storedSize, pack.file);
    pack.position += got;
    if (got < storedSize) {
      std::free(stored);
      return Refuse(PackEntryStatus::truncatedData);
    }
    buffer = DecodeEntry(stored, storedSize, unpackedSize);
    std::free(stored);
    if (!buffer) return nullptr;
  }
  pack.entry = buffer;
  pack.lastEntrySize = unpackedSize;
  pack.info.status = PackEntryStatus::ok;
  return buffer;
}

int64_t LastEntrySize() { return pack.mode == PackMode::reading ? pack.lastEntrySize : -1; }

void ClosePackFile() {
  if (pack.file) std::fclose(pack.file);
  pack.file = nullptr;
  pack.mode = PackMode::closed;
  pack.lastEntrySize = -1;
  ReleaseEntry();
}

bool ReadPackEntryAt(const std::string& name, uint64_t position, std::vector<uint8_t>& contents) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) return false;
  uint8_t header[8];
  std::vector<uint8_t> stored;
  bool ok = std::fseek(file, static_cast<long>(position), SEEK_SET) == 0 &&
            std::fread(header, 1, sizeof header, file) == sizeof header;
  const uint32_t unpackedSize = ok ? ReadLe32(header) : 0;
  const uint32_t storedSize = ok ? ReadLe32(header + 4) : 0;
  ok = ok && unpackedSize <= packEntryLimit && storedSize <= packEntryLimit;
  if (ok) {
    stored.resize(storedSize);
    ok = std::fread(stored.data(), 1, storedSize, file) == storedSize;
  }
  std::fclose(file);
  if (!ok) return false;
  if (storedSize == unpackedSize) {
    contents = std::move(stored);
    return true;
  }
  contents.resize(unpackedSize);
  const DecodeResult decode = DecodeStream(stored.data(), storedSize, contents.data(), unpackedSize);
  return decode.written == unpackedSize;
}

void ResetPackReader() {
  ClosePackFile();
  pack = PackState{};
}

bool CreatePackFile(const std::string& name) {
  ClosePackFile();
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) return false;
  pack.file = file;
  pack.mode = PackMode::writing;
  pack.info = PackEntryInfo();
  return true;
}

int AddFileToPack(const std::string& fileName, int level) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return 0;
  std::vector<uint8_t> contents;
  uint8_t chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    contents.insert(contents.end(), chunk, chunk + got);
  }
  bool complete = !std::ferror(file);
  std::fclose(file);
  if (!complete) return 0;
  return AddMemoryToPack(contents.data(), contents.size(), level);
}

int AddMemoryToPack(const void* memory, std::size_t length, int level) {
  if (pack.mode != PackMode::writing || length > 0xffffffffu) return 0;
  if (length && !memory) return 0;
  const uint8_t* bytes = static_cast<const uint8_t*>(memory);
  std::vector<uint8_t> stream = length ? Compress(bytes, length, level) : std::vector<uint8_t>();
  bool raw = stream.empty() || stream.size() >= length;
  uint8_t header[8];
  WriteLe32(header, uint32_t(length));
  WriteLe32(header + 4, uint32_t(raw ? length : stream.size()));
  const uint8_t* data = raw ? bytes : stream.data();
  std::size_t size = raw ? length : stream.size();
  if (std::fwrite(header, 1, sizeof header, pack.file) != sizeof header) return 0;
  if (size && std::fwrite(data, 1, size, pack.file) != size) return 0;
  return 1;
}

const PackEntryInfo& LastEntryInfo() { return pack.info; }

const char* PackEntryStatusText(PackEntryStatus status) {
  switch (status) {
    case PackEntryStatus::none: return "nothing read";
    case PackEntryStatus::ok: return "ok";
    case PackEntryStatus::endOfPack: return "end of pack";
    case PackEntryStatus::notOpen: return "no pack open for reading";
    case PackEntryStatus::truncatedHeader: return "truncated entry (header cut short)";
    case PackEntryStatus::absurdSize: return "absurd entry size";
    case PackEntryStatus::truncatedData: return "truncated entry (data cut short)";
    case PackEntryStatus::brokenStream: return "broken stream (decodes short of the entry's size)";
    case PackEntryStatus::noMemory: return "out of memory";
  }
  return "unknown";
}
