// SPDX-License-Identifier: GPL-3.0-or-later
// packtool: builds and inspects pack files.
//   packtool build OUT.pak [--level N] FILE...   adds the files in the order given (level 9)
//   packtool list PAK                             one line per entry
//   packtool extract PAK DIR                      every entry as DIR/NNNN.EXT
//   packtool verify PAK                           decodes every entry and checks its checksum
// Errors print one line naming the pack and the entry, and the exit status is 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/pack_file.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: packtool build OUT.pak [--level N] FILE...\n"
               "       packtool list PAK\n"
               "       packtool extract PAK DIR\n"
               "       packtool verify PAK\n");
  return 2;
}

int Fail(const std::string& pack, int entry, const std::string& what) {
  if (entry >= 0) {
    std::fprintf(stderr, "packtool: %s: entry %d: %s\n", pack.c_str(), entry, what.c_str());
  } else {
    std::fprintf(stderr, "packtool: %s: %s\n", pack.c_str(), what.c_str());
  }
  return 1;
}

// The format of an entry from its first bytes; also the extension it is extracted with.
const char* SniffFormat(const uint8_t* p, std::size_t n) {
  auto starts = [&](const char* magic, std::size_t length) {
    return n >= length && std::memcmp(p, magic, length) == 0;
  };
  if (starts("\x89PNG\r\n\x1a\n", 8)) return "png";
  if (starts("\xff\xd8\xff", 3)) return "jpeg";
  if (starts("II*\0", 4) || starts("MM\0*", 4)) return "tiff";
  if (starts("BM", 2)) return "bmp";
  if (n >= 12 && starts("RIFF", 4) && std::memcmp(p + 8, "WAVE", 4) == 0) return "wav";
  if (starts("OggS", 4)) return "ogg";
  if (starts("\0\1\0\0", 4) || starts("true", 4) || starts("OTTO", 4)) return "ttf";
  return "data";
}

// What is wrong with a decoded entry, or an empty string.
std::string EntryProblem(const PackEntryInfo& info) {
  if (!info.compressed) return "";
  const DecodeResult& d = info.decode;
  if (!d.magicOk) return "bad magic (not a QX stream)";
  if (d.expandedSize != info.unpackedSize) {
    return "stream expands to " + std::to_string(d.expandedSize) + " bytes, entry says " +
           std::to_string(info.unpackedSize);
  }
  if (!d.ended || d.written != info.unpackedSize) {
    return "stream broken or cut short after " + std::to_string(d.written) + " of " +
           std::to_string(info.unpackedSize) + " bytes";
  }
  if (!d.checksumOk) return "checksum mismatch";
  return "";
}

// Walks every entry; visit returns non-zero to stop with that status. Ends with an error line
// when an entry cannot be read.
template <typename Visit>
int ForEachEntry(const std::string& pack, Visit visit) {
  if (!OpenPackFile(pack)) return Fail(pack, -1, "cannot open the pack");
  for (;;) {
    const uint8_t* entry = ReadNextEntry();
    const PackEntryInfo& info = LastEntryInfo();
    if (!entry) {
      int status = 0;
      if (info.status != PackEntryStatus::endOfPack) {
        // A stream that falls short is refused; the decoder's result says how.
        status = Fail(pack, info.index, info.status == PackEntryStatus::brokenStream
                                            ? EntryProblem(info)
                                            : PackEntryStatusText(info.status));
      }
      ClosePackFile();
      return status;
    }
    if (int status = visit(entry, info)) {
      ClosePackFile();
      return status;
    }
  }
}

int Build(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string pack = argv[2];
  int level = 9;
  std::vector<std::string> files;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
      char* end = nullptr;
      long value = std::strtol(argv[++i], &end, 10);
      if (*end || value < 0 || value > 9) return Fail(pack, -1, "level must be 0 to 9");
      level = int(value);
    } else {
      files.push_back(argv[i]);
    }
  }
  if (!CreatePackFile(pack)) return Fail(pack, -1, "cannot create the pack");
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!AddFileToPack(files[i], level)) {
      ClosePackFile();
      return Fail(pack, int(i), "cannot read or add '" + files[i] + "'");
    }
  }
  ClosePackFile();
  return 0;
}

int List(const std::string& pack) {
  std::printf("%5s %10s %10s %-10s %s\n", "index", "unpacked", "stored", "kind", "format");
  return ForEachEntry(pack, [&](const uint8_t* entry, const PackEntryInfo& info) {
    std::printf("%5d %10u %10u %-10s %s\n", info.index, info.unpackedSize, info.storedSize,
                info.compressed ? "compressed" : "stored",
                SniffFormat(entry, info.unpackedSize));
    return 0;
  });
}

int Extract(const std::string& pack, const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Fail(pack, -1, "cannot make the folder '" + folder + "'");
  return ForEachEntry(pack, [&](const uint8_t* entry, const PackEntryInfo& info) {
    std::string problem = EntryProblem(info);
    if (!problem.empty()) return Fail(pack, info.index, problem);
    const char* format = SniffFormat(entry, info.unpackedSize);
    char name[32];
    std::snprintf(name, sizeof name, "%04d.%s", info.index,
                  std::strcmp(format, "data") == 0 ? "bin" : format);
    std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file && std::fwrite(entry, 1, info.unpackedSize, file) == info.unpackedSize;
    if (file && std::fclose(file) != 0) ok = false;
    if (!ok) return Fail(pack, info.index, "cannot write '" + path + "'");
    return 0;
  });
}

int Verify(const std::string& pack) {
  int entries = 0;
  int status = ForEachEntry(pack, [&](const uint8_t*, const PackEntryInfo& info) {
    std::string problem = EntryProblem(info);
    if (!problem.empty()) return Fail(pack, info.index, problem);
    ++entries;
    return 0;
  });
  if (status == 0) std::printf("%s: %d entries, all good\n", pack.c_str(), entries);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string command = argv[1];
  if (command == "build") return Build(argc, argv);
  if (command == "list" && argc == 3) return List(argv[2]);
  if (command == "extract" && argc == 4) return Extract(argv[2], argv[3]);
  if (command == "verify" && argc == 3) return Verify(argv[2]);
  return Usage();
}
