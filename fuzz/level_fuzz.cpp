// SPDX-License-Identifier: GPL-3.0-or-later
// The level readers on arbitrary input: the binary level file and the text source. Whatever
// either accepts must survive a round trip through the other form unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "levels/level_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<BrickRecord> bricks, back;
  std::string error;

  if (DecodeLevel(input, bricks, error)) {
    if (EncodeLevel(bricks) != input) std::abort();
    if (!ParseLevelSource(WriteLevelSource(bricks), back, error) || back != bricks) std::abort();
  }
  if (ParseLevelSource(input, bricks, error)) {
    if (!DecodeLevel(EncodeLevel(bricks), back, error) || back != bricks) std::abort();
    if (!ParseLevelSource(WriteLevelSource(bricks), back, error) || back != bricks) std::abort();
  }
  return 0;
}
