// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/fatal_error.h"

#include <cstdio>
#include <cstdlib>

#include "media/media.h"

namespace {
FatalHandler fatalHandler = nullptr;
void (*quitHook)() = nullptr;
}

void SetFatalHandler(FatalHandler handler) { fatalHandler = handler; }
void SetQuitHook(void (*hook)()) { quitHook = hook; }

void FatalError(const std::string& text) {
  if (fatalHandler) fatalHandler(text);
  // The message box also writes the text to stderr, so a run without a display still says why.
  MessageBox("Alert", text);
  std::_Exit(1);
}

void PlayerQuit() {
  if (quitHook) quitHook();
  // The system takes back the window, the sound device and the memory at process end.
  StopSound(-1);
  std::fflush(nullptr);
  std::_Exit(0);
}
