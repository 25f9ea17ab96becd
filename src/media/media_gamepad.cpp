// SPDX-License-Identifier: GPL-3.0-or-later
// Game controllers through SDL's game controller support: every pad plugged in is opened, at
// start-up or whenever it arrives, and closed when it leaves. The snapshot ORs the open pads:
// the buttons held, those pressed since the last snapshot (a tap between two snapshots still
// counts), the left stick's sideways tilt (the pad tilted furthest wins) and whether a pad was
// pulled out.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "media/media_internal.h"

using namespace media;

namespace {

// The stick's raw reading runs -32768..32767; a pad at rest reads a few thousand off zero.
constexpr int stickDeadZone = 8000;
constexpr int stickFullTilt = 32767;

constexpr SDL_GameControllerButton padButtons[gamepadButtonCount] = {
    SDL_CONTROLLER_BUTTON_A,         // padA
    SDL_CONTROLLER_BUTTON_START,     // padStart
    SDL_CONTROLLER_BUTTON_BACK,      // padBack
    SDL_CONTROLLER_BUTTON_DPAD_LEFT, // padLeft
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,// padRight
    SDL_CONTROLLER_BUTTON_DPAD_UP,   // padUp
    SDL_CONTROLLER_BUTTON_DPAD_DOWN, // padDown
};

struct OpenPad {
  SDL_GameController* controller = nullptr;
  SDL_JoystickID id = -1;
};

struct GamepadState {
  bool serviceUp = false;
  std::vector<OpenPad> pads;
  int downSince = 0;  // button bits pressed since the last snapshot
  bool removedSince = false;
  // The snapshot.
  int stick = 0;      // raw reading, so a replay hands back exactly what was read
  int downBits = 0;
  int pushedBits = 0;
  bool connected = false;
  bool removed = false;
};

GamepadState pad;

int ButtonBit(Uint8 sdlButton) {
  for (int b = 0; b < gamepadButtonCount; ++b) {
    if (padButtons[b] == sdlButton) return 1 << b;
  }
  return 0;
}

bool IsOpen(SDL_JoystickID id) {
  return std::any_of(pad.pads.begin(), pad.pads.end(), [id](const OpenPad& p) { return p.id == id; });
}

void OpenPadAt(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex) || IsOpen(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) {
    ReportSdlFailure("A game controller did not open");
    return;
  }
  pad.pads.push_back({controller, SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller))});
}

void ClosePad(SDL_JoystickID id) {
  for (auto it = pad.pads.begin(); it != pad.pads.end(); ++it) {
    if (it->id != id) continue;
    SDL_GameControllerClose(it->controller);
    pad.pads.erase(it);
    pad.removedSince = true;
    return;
  }
}

}  // namespace

namespace media {

bool HandleGamepadEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      OpenPadAt(event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      ClosePad(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
      pad.downSince |= ButtonBit(event.cbutton.button);
      return true;
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
    case SDL_CONTROLLERDEVICEREMAPPED:
      return true;
    default:
      return false;
  }
}

void TakeGamepadSnapshot() {
  int stick = 0;
  int down = pad.downSince;
  for (const OpenPad& p : pad.pads) {
    for (int b = 0; b < gamepadButtonCount; ++b) {
      if (SDL_GameControllerGetButton(p.controller, padButtons[b])) down |= 1 << b;
    }
    const int x = SDL_GameControllerGetAxis(p.controller, SDL_CONTROLLER_AXIS_LEFTX);
    if (std::abs(x) > std::abs(stick)) stick = x;
  }
  pad.stick = stick;
  pad.downBits = down;
  pad.pushedBits = pad.downSince;
  pad.connected = !pad.pads.empty();
  pad.removed = pad.removedSince;
  pad.downSince = 0;
  pad.removedSince = false;
  JournalGamepad(pad.stick, pad.downBits, pad.pushedBits, pad.connected, pad.removed);
}

// The snapshot and the presses not yet taken; the open pads stay open.
void ResetGamepad() {
  std::vector<OpenPad> pads = std::move(pad.pads);
  const bool serviceUp = pad.serviceUp;
  pad = GamepadState{};
  pad.pads = std::move(pads);
  pad.serviceUp = serviceUp;
}

void ShutdownGamepad() {
  for (const OpenPad& p : pad.pads) SDL_GameControllerClose(p.controller);
  if (pad.serviceUp) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  pad = GamepadState{};
}

}  // namespace media

bool InitGamepad() {
  if (pad.serviceUp) return true;
  // The game pauses itself when its window loses the focus; without this SDL would drop a pad's
  // input whenever no window holds the keyboard, which a headless screen never does.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    ReportSdlFailure("The game controller service did not start");
    return false;
  }
  pad.serviceUp = true;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenPadAt(i);
  return true;
}

bool GamepadConnected() { return pad.connected; }

float GamepadStickX() {
  const int magnitude = std::min(std::abs(pad.stick), stickFullTilt);
  if (magnitude <= stickDeadZone) return 0;
  const float tilt = static_cast<float>(magnitude - stickDeadZone) / (stickFullTilt - stickDeadZone);
  return pad.stick < 0 ? -tilt : tilt;
}

bool GamepadDown(int button) {
  return button >= 0 && button < gamepadButtonCount && (pad.downBits >> button & 1);
}

bool GamepadPushed(int button) {
  return button >= 0 && button < gamepadButtonCount && (pad.pushedBits >> button & 1);
}

bool GamepadRemoved() { return pad.removed; }

bool GamepadTouched() { return pad.downBits != 0 || GamepadStickX() != 0; }
