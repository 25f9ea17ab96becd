// SPDX-License-Identifier: GPL-3.0-or-later
// Input for tests that drive the real game: SDL events pushed as the window would send them,
// and the game started through its menu as a player starts it.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "core/run_options.h"
#include "media/media.h"
#include "shell/game.h"

inline bool PushKey(SDL_Scancode scancode, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  return SDL_PushEvent(&event) == 1;
}

inline bool PushMouseMotion(int dx, int dy, int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.xrel = dx;
  event.motion.yrel = dy;
  event.motion.x = x;
  event.motion.y = y;
  return SDL_PushEvent(&event) == 1;
}

inline bool PushMouseButton(Uint8 button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = button;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  return SDL_PushEvent(&event) == 1;
}

// Alt+Enter as the keyboard sends it: Alt down, Enter down with Alt held, Alt up, Enter up.
inline bool PushAltEnter() {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.scancode = SDL_SCANCODE_RETURN;
  event.key.keysym.sym = SDLK_RETURN;
  event.key.keysym.mod = KMOD_LALT;
  if (!PushKey(SDL_SCANCODE_LALT, true) || SDL_PushEvent(&event) != 1) return false;
  return PushKey(SDL_SCANCODE_LALT, false) && PushKey(SDL_SCANCODE_RETURN, false);
}

// Down then Enter at the main menu: the first item is selected and chosen, a game starts.
inline bool PushMenuStartKeys() {
  return PushKey(SDL_SCANCODE_DOWN, true) && PushKey(SDL_SCANCODE_DOWN, false) &&
         PushKey(SDL_SCANCODE_RETURN, true) && PushKey(SDL_SCANCODE_RETURN, false);
}

// Typed text, as the keyboard layout delivers it (UTF-8, up to 31 bytes an event).
inline bool PushText(const char* text) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  SDL_strlcpy(event.text.text, text, sizeof event.text.text);
  return SDL_PushEvent(&event) == 1;
}

// The real game as a player starts it, headless: start-up with its packs, the menu's first item
// chosen (without the keys the idle menu would turn to its demo after 20 s), the first level
// entered. Frames run without the limiter's wait.
inline void StartHeadlessGame() {
  SetMessageBoxesSilent(true);
  StartUp();
  RandomSeed(0);  // the same chances every run
  SetFrameLimiterEnabled(false);
  ASSERT_TRUE(PushMenuStartKeys());
  ASSERT_TRUE(NewGame());
  // The first level begins with its bricks in place: the slide-in's hundred frames are the same
  // in every test that starts here, and the tests of the slide-in start their levels themselves.
  runOptions.bricksInPlace = true;
  StartLevel();
  runOptions.bricksInPlace = false;
}
