// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/menu_input.h"

#include "media/media.h"

bool MenuUp() { return KeyboardReleased(keyUp) || GamepadPushed(padUp); }
bool MenuDown() { return KeyboardReleased(keyDown) || GamepadPushed(padDown); }
bool MenuLeft() { return KeyboardReleased(keyLeft) || GamepadPushed(padLeft); }
bool MenuRight() { return KeyboardReleased(keyRight) || GamepadPushed(padRight); }
bool MenuChoose() {
  return KeyboardReleased(keyReturn) || KeyboardReleased(keyPadEnter) ||
         KeyboardReleased(keySpace) || GamepadPushed(padA);
}
bool MenuBack() { return KeyboardReleased(keyEscape) || GamepadPushed(padBack); }
