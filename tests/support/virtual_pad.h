// SPDX-License-Identifier: GPL-3.0-or-later
// A game controller for tests that drive the real game: SDL's virtual joystick, announced as a
// game controller so that SDL maps its buttons and axes in SDL's own order. Plugging it in and
// pulling it out send the events a real pad sends; a button or the stick changes at the next
// event pump, that is the game's next snapshot.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

class VirtualPad {
 public:
  VirtualPad() = default;
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;
  ~VirtualPad() { PullOut(); }

  // Needs the game controller service (InitGamepad, or StartUp).
  void PlugIn() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(index)) << "no mapping for the virtual pad";
    joystick_ = SDL_JoystickOpen(index);
    ASSERT_NE(joystick_, nullptr) << SDL_GetError();
  }

  void PullOut() {
    if (!joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
  }

  void Button(SDL_GameControllerButton button, bool down) {
    ASSERT_NE(joystick_, nullptr);
    ASSERT_EQ(SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED), 0);
  }

  // The left stick's sideways tilt, -32768 (full left) to 32767.
  void StickX(Sint16 value) {
    ASSERT_NE(joystick_, nullptr);
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, value), 0);
  }

 private:
  SDL_Joystick* joystick_ = nullptr;
};
