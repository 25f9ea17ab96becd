// SPDX-License-Identifier: GPL-3.0-or-later
// levelc: compiles a level source (.lvl text) into the game's binary level file, and turns a
// level file back into source.
//
//   levelc compile level1.lvl level1.dat
//   levelc decompile level1.dat level1.lvl     ("-" as output writes to stdout)
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "levels/level_source.h"

namespace {

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  bytes = buffer.str();
  return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  if (path == "-") {
    std::cout << bytes;
    return static_cast<bool>(std::cout);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

int Usage() {
  std::cerr << "usage: levelc compile <source.lvl> <level.dat>\n"
               "       levelc decompile <level.dat> <source.lvl | ->\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Usage();
  const std::string mode = argv[1], input = argv[2], output = argv[3];
  if (mode != "compile" && mode != "decompile") return Usage();

  std::string in;
  if (!ReadWhole(input, in)) {
    std::cerr << input << ": cannot be read\n";
    return 1;
  }
  std::vector<BrickRecord> bricks;
  std::string error, out;
  if (mode == "compile") {
    if (!ParseLevelSource(in, bricks, error)) {
      std::cerr << input << ": " << error << "\n";
      return 1;
    }
    out = EncodeLevel(bricks);
  } else {
    if (!DecodeLevel(in, bricks, error)) {
      std::cerr << input << ": " << error << "\n";
      return 1;
    }
    out = WriteLevelSource(bricks);
  }
  if (!WriteWhole(output, out)) {
    std::cerr << output << ": cannot be written\n";
    std::remove(output.c_str());
    return 1;
  }
  return 0;
}
