// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the reader of recorded games: any bytes are either refused with a line naming the
// fault or taken as a whole recording whose every event was checked.
#include <cstddef>
#include <cstdint>
#include <string>

#include "media/media.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string error;
  if (StartReplayFromMemory("fuzz.rec", data, size, error)) {
    if (!error.empty() || !Replaying()) __builtin_trap();
  } else if (error.rfind("fuzz.rec: ", 0) != 0) {
    __builtin_trap();
  }
  return 0;
}
