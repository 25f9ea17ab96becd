// Plain files: names written with Windows separators, whole-file reads, the little-endian
// reader of the level files, and the folders the program lives in and writes to.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL2/SDL.h>

#include "media/media.h"
#include "media/media_report.h"

struct MediaFile {
  std::string bytes;
  std::size_t position = 0;
  bool complete = true;
};

std::string NativePath(const std::string& fileName) {
  std::string path = fileName;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  bytes.clear();
  std::FILE* file = std::fopen(NativePath(fileName).c_str(), "rb");
  if (!file) {
    const int error = errno;
    media::ReportFailure(NativePath(fileName) + " could not be opened", std::strerror(error));
    return false;
  }
  char chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  bool ok = !std::ferror(file);
  if (!ok) {
    const int error = errno;
    media::ReportFailure(NativePath(fileName) + " could not be read", std::strerror(error));
  }
  std::fclose(file);
  return ok;
}

MediaFile* OpenReadFile(const std::string& fileName) {
  auto* file = new MediaFile;
  if (!ReadFileBytes(fileName, file->bytes)) {
    delete file;
    return nullptr;
  }
  return file;
}

bool EndOfFile(MediaFile* file) { return !file || file->position >= file->bytes.size(); }

namespace {

// Four little-endian bytes, or false (and the file marked incomplete) past the end.
bool ReadWord(MediaFile* file, uint32_t& word) {
  word = 0;
  if (!file) return false;
  if (file->bytes.size() - file->position < 4) {
    file->position = file->bytes.size();
    file->complete = false;
    return false;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(file->bytes.data() + file->position);
  word = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  file->position += 4;
  return true;
}

}  // namespace

int32_t ReadInt32(MediaFile* file) {
  uint32_t word = 0;
  if (!ReadWord(file, word)) return 0;
  return static_cast<int32_t>(word);
}

float ReadFloat32(MediaFile* file) {
  uint32_t word = 0;
  if (!ReadWord(file, word)) return 0.0f;
  float value = 0.0f;
  std::memcpy(&value, &word, sizeof value);
  return value;
}

bool LastReadComplete(MediaFile* file) { return file && file->complete; }

void CloseFile(MediaFile* file) { delete file; }

bool FileExists(const std::string& fileName) {
  struct stat info;
  return stat(NativePath(fileName).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ProgramDirectory() {
  char* base = SDL_GetBasePath();
  if (!base) return "";
  std::string directory = base;
  SDL_free(base);
  return directory;
}

std::string PlayerFilesDirectory() {
  // No organisation folder: ~/.local/share/kaldovirent/, as the README names it.
  char* folder = SDL_GetPrefPath("", "kaldovirent");
  if (!folder) return "";
  std::string directory = folder;
  SDL_free(folder);
  return directory;
}

bool DirectoryWritable(const std::string& directory) {
  std::string probe = directory.empty() ? "." : directory;
  if (probe.back() != '/') probe += '/';
  probe += ".kaldovirent-write-probe-" + std::to_string(getpid());
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}
