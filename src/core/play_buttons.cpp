// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/play_buttons.h"

#include "core/game_state.h"
#include "core/run_options.h"
#include "media/media.h"

namespace {

// While the console is shown its keys type its command line, Space included.
bool KeysFree() { return runOptions.playKeys && !game.console.shown; }

}  // namespace

bool PlayButtonDown() {
  const bool key = KeyboardPushed(keySpace) || KeyboardPushed(keyLeftControl) || KeyboardPushed(keyRightControl);
  return MouseButton(1) || (key && KeysFree()) || GamepadDown(padA);
}

bool PlayButtonPushed() {
  const bool key =
      KeyboardReleased(keySpace) || KeyboardReleased(keyLeftControl) || KeyboardReleased(keyRightControl);
  return MouseButtonPressed(1) || (key && KeysFree()) || GamepadPushed(padA);
}
