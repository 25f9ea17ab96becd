// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game's files are: the data it reads (packs, level files, font, pause picture), found
// wherever the game was built or installed, and the folder the files it writes go to.
#pragma once

#include <string>

// A folder holds the game's data when this file is in it.
constexpr const char* gameDataMark = "packs/maingfx.pak";
// An installed game's data, from the folder of its executable.
constexpr const char* installedDataFromProgram = "../share/kaldovirent/";

// The folder that holds the game's data: the working directory when it does, else the data of
// an installed game next to the program, else the program's own folder (a build's game/). Both
// folders end in '/'. Empty when none holds it.
std::string FindGameData(const std::string& workingDirectory, const std::string& programDirectory);

// Makes the data folder the working directory, so that every data file opens by its plain name,
// and remembers the folder the player started the program in. False, with the working directory
// left alone, when no folder holds the data.
bool EnterGameData();

// A file named on the command line, as the player meant it: from the folder the program was
// started in.
std::string PlayerPath(const std::string& fileName);

// The rule for the files the game writes: the folder the player started in when it can be
// written and is not an installed game's data, else the player's own folder for the game's
// files (else, when there is none, the start folder all the same: the write then fails and is
// ignored). Folders end in '/'.
std::string ChooseWriteFolder(const std::string& startFolder, bool startFolderWritable,
                              bool startFolderIsInstalledData, const std::string& playerFolder);

// The folder a file the game writes (a screenshot, the pause picture) goes to, by that rule,
// ending in '/'.
std::string WriteFolder();

// The player's own levels, the editor's saves: "levels/" in the player's folder for the game's
// files, ending in '/', made when missing if make is true. Empty when the player has no such
// folder.
std::string PlayerLevelFolder(bool make);
// The level file play reads, given the shipped file's name ("level3.dat"): the player's own
// copy when there is one, else the shipped one. A recorded game or a replay always plays the
// shipped levels, so that a replay plays as its recording did on any machine.
std::string PlayableLevelFile(const std::string& shippedName);
