// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game's data is found and where the files it writes go, asked of the media layer.
#include "core/game_files.h"

#include "media/media.h"

namespace {

std::string startFolder;  // where the player started the program, once EnterGameData has run

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool HoldsGameData(const std::string& folder) {
  return FileExists(WithSlash(folder) + gameDataMark);
}

bool IsInstalledData(const std::string& folder) {
  const std::string program = ProgramDirectory();
  if (program.empty()) return false;
  return SameFile(folder, program + installedDataFromProgram);
}

}  // namespace

std::string FindGameData(const std::string& workingDirectory, const std::string& programDirectory) {
  if (HoldsGameData(workingDirectory)) return WithSlash(workingDirectory);
  if (programDirectory.empty()) return "";
  const std::string program = WithSlash(programDirectory);
  if (HoldsGameData(program + installedDataFromProgram)) {
    const std::string installed = CanonicalPath(program + installedDataFromProgram);
    return WithSlash(installed.empty() ? program + installedDataFromProgram : installed);
  }
  if (HoldsGameData(program)) return program;
  return "";
}

bool EnterGameData() {
  startFolder = CurrentDirectory();
  const std::string data = FindGameData(startFolder, ProgramDirectory());
  if (data.empty()) return false;
  return ChangeDirectory(data);
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
  const std::string start = startFolder.empty() ? CurrentDirectory() : startFolder;
  const bool writable = DirectoryWritable(start);
  const bool installed = IsInstalledData(start);
  // The player's folder is made on first use: only ask for it when it is needed.
  const std::string player = writable && !installed ? std::string() : PlayerFilesDirectory();
  return ChooseWriteFolder(start, writable, installed, player);
}

std::string PlayerLevelFolder(bool make) {
  const std::string player = PlayerFilesDirectory();
  if (player.empty()) return "";
  const std::string folder = player + "levels/";
  if (make) return MakeFolder(folder) ? folder : "";
  return IsDirectory(folder) ? folder : "";
}

std::string PlayableLevelFile(const std::string& shipped) {
  if (Recording() || Replaying()) return shipped;
  const std::string folder = PlayerLevelFolder(false);
  if (!folder.empty() && FileExists(folder + shipped)) return folder + shipped;
  return shipped;
}
