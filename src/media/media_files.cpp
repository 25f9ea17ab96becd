// SPDX-License-Identifier: GPL-3.0-or-later
// Plain files: names written with Windows separators, whole-file reads, the little-endian
// reader of the level files, the folders the program lives in and writes to, and the small
// questions about files the game's own code asks instead of reaching for the system.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>
#include <climits>
#include <cstdlib>
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

namespace {

// The one reader of whole files. The file is opened without waiting (a FIFO with no writer
// would block an ordinary open) and looked at before a byte is read; error is errno's value for
// an unreadable file.
ReadResult ReadWholeFile(const std::string& fileName, std::string& bytes, std::size_t maxBytes,
                         int& error) {
  bytes.clear();
  error = 0;
  const int fd = open(NativePath(fileName).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return error == ENOENT ? ReadResult::missing : ReadResult::unreadable;
  }
  struct stat info;
  ReadResult result = ReadResult::ok;
  if (fstat(fd, &info) != 0) {
    error = errno;
    result = ReadResult::unreadable;
  } else if (!S_ISREG(info.st_mode)) {
    result = ReadResult::notRegularFile;
  } else if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    result = ReadResult::tooBig;
  }
  char chunk[65536];
  while (result == ReadResult::ok) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = errno;
      result = ReadResult::unreadable;
    } else if (got == 0) {
      break;
    } else if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      result = ReadResult::tooBig;
    } else {
      bytes.append(chunk, static_cast<std::size_t>(got));
    }
  }
  close(fd);
  if (result != ReadResult::ok) bytes.clear();
  return result;
}

}  // namespace

const char* ReadResultText(ReadResult result) {
  switch (result) {
    case ReadResult::ok: return "read";
    case ReadResult::missing: return "missing";
    case ReadResult::notRegularFile: return "not a regular file";
    case ReadResult::tooBig: return "larger than the limit";
    case ReadResult::unreadable: return "unreadable";
  }
  return "unreadable";
}

ReadResult ReadSmallFile(const std::string& fileName, std::string& bytes, std::size_t maxBytes) {
  int error = 0;
  return ReadWholeFile(fileName, bytes, maxBytes, error);
}

bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  int error = 0;
  const ReadResult result =
      ReadWholeFile(fileName, bytes, std::numeric_limits<std::size_t>::max(), error);
  if (result == ReadResult::ok) return true;
  media::ReportFailure(NativePath(fileName) + " could not be read",
                       error != 0 ? std::strerror(error) : ReadResultText(result));
  return false;
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

std::string ProgramDirectory() {
  char* base = SDL_GetBasePath();
  if (!base) return "";
  std::string directory = base;
  SDL_free(base);
  return directory;
}

namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// Makes the folder and any missing parents, each private to the player (0700) as SDL makes its
// preference folder; an existing folder is fine.
bool MakeFolders(const std::string& folder, std::string* failure) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      if (failure) *failure = part + ": " + std::strerror(errno);
      return false;
    }
  }
  if (IsDirectory(folder)) return true;
  if (failure) *failure = folder + ": " + std::strerror(ENOTDIR);
  return false;
}

// The player's folder of one XDG kind: $variable/kaldovirent/ when the variable holds an absolute
// folder, else $HOME/underHome/kaldovirent/.
// SDL's own preference folder takes a relative or empty XDG_DATA_HOME as it is ("rel/kaldovirent/",
// "/kaldovirent/"); the XDG rule ignores such values, and so do we, since the game works inside
// its data folder and a relative name would write there. A relative HOME is refused likewise.
std::string PlayerFolder(const char* variable, const char* underHome, std::string* failure) {
  std::string base;
  const char* xdg = std::getenv(variable);
  const char* home = std::getenv("HOME");
  if (xdg && xdg[0] == '/') {
    base = WithSlash(xdg);
  } else if (home && home[0] == '/') {
    base = WithSlash(home) + underHome;
  } else {
    if (failure) *failure = std::string("neither ") + variable + " nor HOME names an absolute folder";
    return "";
  }
  const std::string folder = base + "kaldovirent/";
  return MakeFolders(folder, failure) ? folder : "";
}

}  // namespace

bool MakeFolder(const std::string& folder) { return MakeFolders(WithSlash(folder), nullptr); }

std::string PlayerFilesDirectory(std::string* failure) {
  return PlayerFolder("XDG_DATA_HOME", ".local/share/", failure);
}

std::string PlayerConfigDirectory(std::string* failure) {
  return PlayerFolder("XDG_CONFIG_HOME", ".config/", failure);
}

bool WriteFileAtomically(const std::string& fileName, const std::string& bytes) {
  const std::string target = NativePath(fileName);
  // mkstemp opens with O_EXCL and a name of its own, so two writers never share a temporary.
  // It makes the file 0600: the player's files stay the player's.
  std::string temporary = target + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    media::ReportFailure(target + " could not be written", std::strerror(errno));
    return false;
  }
  std::size_t written = 0;
  int error = 0;
  while (written < bytes.size() && error == 0) {
    const ssize_t put = write(fd, bytes.data() + written, bytes.size() - written);
    if (put < 0 && errno != EINTR) error = errno;
    if (put == 0) error = ENOSPC;  // nothing taken and no reason given: the disk is full
    if (put > 0) written += static_cast<std::size_t>(put);
  }
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    media::ReportFailure(target + " could not be written", std::strerror(error));
    return false;
  }
  return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0) return true;
  media::ReportFailure(NativePath(from) + " could not be renamed to " + NativePath(to),
                       std::strerror(errno));
  return false;
}

bool IsDirectory(const std::string& name) {
  struct stat info;
  return stat(NativePath(name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileExists(const std::string& name) {
  struct stat info;
  return stat(NativePath(name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? WithSlash(buffer) : std::string("./");
}

bool ChangeDirectory(const std::string& directory) {
  return chdir(NativePath(directory).c_str()) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  if (stat(NativePath(a).c_str(), &first) != 0 || stat(NativePath(b).c_str(), &second) != 0) {
    return false;
  }
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string CanonicalPath(const std::string& name) {
  char* resolved = realpath(NativePath(name).c_str(), nullptr);
  if (!resolved) return "";
  std::string path = resolved;
  std::free(resolved);
  return path;
}

std::string LocalDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[16] = "1970-01-01";
  if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
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
