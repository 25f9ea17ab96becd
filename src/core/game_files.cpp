#include "core/game_files.h"

#include <filesystem>
#include <system_error>

#include "media/media.h"

namespace fs = std::filesystem;

namespace {

std::string startFolder;  // where the player started the program, once EnterGameData has run

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool HoldsGameData(const std::string& folder) {
  std::error_code ec;
  return fs::is_regular_file(fs::path(folder) / gameDataMark, ec);
}

std::string CurrentFolder() {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  return ec ? std::string("./") : WithSlash(here.string());
}

bool IsInstalledData(const std::string& folder) {
  const std::string program = ProgramDirectory();
  if (program.empty()) return false;
  std::error_code ec;
  return fs::equivalent(folder, program + installedDataFromProgram, ec);
}

}  // namespace

std::string FindGameData(const std::string& workingDirectory, const std::string& programDirectory) {
  if (HoldsGameData(workingDirectory)) return WithSlash(workingDirectory);
  if (programDirectory.empty()) return "";
  const std::string program = WithSlash(programDirectory);
  if (HoldsGameData(program + installedDataFromProgram)) {
    std::error_code ec;
    const fs::path installed = fs::canonical(program + installedDataFromProgram, ec);
    return WithSlash(ec ? program + installedDataFromProgram : installed.string());
  }
  if (HoldsGameData(program)) return program;
  return "";
}

bool EnterGameData() {
  startFolder = CurrentFolder();
  const std::string data = FindGameData(startFolder, ProgramDirectory());
  if (data.empty()) return false;
  std::error_code ec;
  fs::current_path(data, ec);
  return !ec;
}

std::string PlayerPath(const std::string& fileName) {
  if (fileName.empty() || fileName.front() == '/' || startFolder.empty()) return fileName;
  return startFolder + fileName;
}

std::string ChooseWriteFolder(const std::string& startFolder, bool startFolderWritable,
                              bool startFolderIsInstalledData, const std::string& playerFolder) {
  if ((startFolderWritable && !startFolderIsInstalledData) || playerFolder.empty()) {
    return WithSlash(startFolder);
  }
  return WithSlash(playerFolder);
}

std::string WriteFolder() {
  const std::string start = startFolder.empty() ? CurrentFolder() : startFolder;
  const bool writable = DirectoryWritable(start);
  const bool installed = IsInstalledData(start);
  // The player's folder is made on first use: only ask for it when it is needed.
  const std::string player = writable && !installed ? std::string() : PlayerFilesDirectory();
  return ChooseWriteFolder(start, writable, installed, player);
}
