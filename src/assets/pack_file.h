// SPDX-License-Identifier: GPL-3.0-or-later
// Pack files: a plain sequence of entries without names, read back in the order written.
//
// Entry: unpackedSize and storedSize (unsigned 32-bit little-endian), then storedSize bytes:
// the contents themselves when the two sizes are equal, otherwise a "QX" compressed stream
// (pack_codec.h). One pack is open at a time, for reading or for writing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/pack_codec.h"

// Entries larger than this are taken for a damaged pack.
constexpr uint32_t packEntryLimit = 256u << 20;

// Reading. OpenPackFile closes any open pack; 1 on success, 0 on failure.
int OpenPackFile(const std::string& name);
// The same for a pack held in memory, which must stay unchanged until the pack is closed.
int OpenPackMemory(const void* data, std::size_t size);
// The next entry's contents, or nullptr for no entry (end of pack, no pack open for reading,
// a cut-short or absurd entry, a compressed entry whose stream does not fill its size, or no
// memory). Memory is taken only as far as the entry's data fills it. The buffer belongs to the reader and stays valid
// until the next ReadNextEntry or ClosePackFile.
const uint8_t* ReadNextEntry();
// The size of the entry last returned, or -1 when there is none.
int64_t LastEntrySize();
// Closes the pack, for reading or writing, and releases the last entry's buffer.
void ClosePackFile();
// The contents of the one entry whose header starts at position in the named pack, read apart
// from the open pack (which stays as it is). False when the entry cannot be read whole there.
// Its position is LastEntryInfo().fileOffset after the entry was read.
bool ReadPackEntryAt(const std::string& name, uint64_t position, std::vector<uint8_t>& contents);
// Closes the pack and forgets what the last read met: the reader as at start-up.
void ResetPackReader();

// Writing. CreatePackFile closes any open pack and creates or truncates the file.
bool CreatePackFile(const std::string& name);
// Reads the whole file and adds it; 1 when it was read completely and added, else 0.
int AddFileToPack(const std::string& fileName, int level = 4);
// Adds one entry, compressed when that makes it smaller; 1, or 0 on failure.
int AddMemoryToPack(const void* memory, std::size_t length, int level = 9);

// What the last ReadNextEntry met, for the tools that inspect packs. The game itself only
// looks at the entry pointer.
enum class PackEntryStatus {
  none,             // nothing read yet
  ok,               // an entry was returned
  endOfPack,        // no bytes left
  notOpen,          // no pack open for reading
  truncatedHeader,  // fewer than 8 header bytes
  absurdSize,       // unpackedSize above packEntryLimit
  truncatedData,    // fewer data bytes than storedSize
  brokenStream,     // the compressed stream decodes to fewer than unpackedSize bytes
  noMemory,
};

struct PackEntryInfo {
  PackEntryStatus status = PackEntryStatus::none;
  int index = -1;             // entry number in the pack, from 0
  uint64_t fileOffset = 0;    // where the entry header starts
  uint32_t unpackedSize = 0;
  uint32_t storedSize = 0;
  bool compressed = false;
  DecodeResult decode;        // for compressed entries, also when refused as brokenStream
};

const PackEntryInfo& LastEntryInfo();
const char* PackEntryStatusText(PackEntryStatus status);
