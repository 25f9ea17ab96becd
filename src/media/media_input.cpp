// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard and mouse snapshots built from SDL events; the pads' snapshot (media_gamepad.cpp) is
// taken with the keyboard's. Keys are kept by PC set-1 scan code; a key pressed and let go
// between two snapshots still shows in the next one, so quick taps are never lost at a low frame
// rate. Typed characters come one a snapshot, and a key let go after characters that are still
// queued is reported with the last of them, so typing and editing keys (Backspace, Enter) keep
// the typist's order however slow the frames.
#include <algorithm>
#include <array>
#include <deque>

#include "media/media_diagnostics.h"
#include "media/media_internal.h"

using namespace media;

namespace {

struct KeyName {
  int code;
  SDL_Scancode scancode;
};

constexpr KeyName keyNames[] = {
    {keyEscape, SDL_SCANCODE_ESCAPE}, {key1, SDL_SCANCODE_1}, {key2, SDL_SCANCODE_2},
    {key3, SDL_SCANCODE_3}, {key4, SDL_SCANCODE_4}, {key5, SDL_SCANCODE_5}, {key6, SDL_SCANCODE_6},
    {key7, SDL_SCANCODE_7}, {key8, SDL_SCANCODE_8}, {key9, SDL_SCANCODE_9}, {key0, SDL_SCANCODE_0},
    {keyMinus, SDL_SCANCODE_MINUS}, {keyEquals, SDL_SCANCODE_EQUALS},
    {keyBackspace, SDL_SCANCODE_BACKSPACE}, {keyTab, SDL_SCANCODE_TAB}, {keyQ, SDL_SCANCODE_Q},
    {keyW, SDL_SCANCODE_W}, {keyE, SDL_SCANCODE_E}, {keyR, SDL_SCANCODE_R}, {keyT, SDL_SCANCODE_T},
    {keyY, SDL_SCANCODE_Y}, {keyU, SDL_SCANCODE_U}, {keyI, SDL_SCANCODE_I}, {keyO, SDL_SCANCODE_O},
    {keyP, SDL_SCANCODE_P}, {keyLeftBracket, SDL_SCANCODE_LEFTBRACKET},
    {keyRightBracket, SDL_SCANCODE_RIGHTBRACKET}, {keyReturn, SDL_SCANCODE_RETURN},
    {keyLeftControl, SDL_SCANCODE_LCTRL}, {keyA, SDL_SCANCODE_A}, {keyS, SDL_SCANCODE_S},
    {keyD, SDL_SCANCODE_D}, {keyF, SDL_SCANCODE_F}, {keyG, SDL_SCANCODE_G}, {keyH, SDL_SCANCODE_H},
    {keyJ, SDL_SCANCODE_J}, {keyK, SDL_SCANCODE_K}, {keyL, SDL_SCANCODE_L},
    {keySemicolon, SDL_SCANCODE_SEMICOLON}, {keyApostrophe, SDL_SCANCODE_APOSTROPHE},
    {keyGrave, SDL_SCANCODE_GRAVE}, {keyLeftShift, SDL_SCANCODE_LSHIFT},
    {keyBackslash, SDL_SCANCODE_BACKSLASH}, {keyZ, SDL_SCANCODE_Z}, {keyX, SDL_SCANCODE_X},
    {keyC, SDL_SCANCODE_C}, {keyV, SDL_SCANCODE_V}, {keyB, SDL_SCANCODE_B}, {keyN, SDL_SCANCODE_N},
    {keyM, SDL_SCANCODE_M}, {keyComma, SDL_SCANCODE_COMMA}, {keyPeriod, SDL_SCANCODE_PERIOD},
    {keySlash, SDL_SCANCODE_SLASH}, {keyRightShift, SDL_SCANCODE_RSHIFT},
    {keyPadMultiply, SDL_SCANCODE_KP_MULTIPLY}, {keyLeftAlt, SDL_SCANCODE_LALT},
    {keySpace, SDL_SCANCODE_SPACE}, {keyCapsLock, SDL_SCANCODE_CAPSLOCK}, {keyF1, SDL_SCANCODE_F1},
    {keyF2, SDL_SCANCODE_F2}, {keyF3, SDL_SCANCODE_F3}, {keyF4, SDL_SCANCODE_F4},
    {keyF5, SDL_SCANCODE_F5}, {keyF6, SDL_SCANCODE_F6}, {keyF7, SDL_SCANCODE_F7},
    {keyF8, SDL_SCANCODE_F8}, {keyF9, SDL_SCANCODE_F9}, {keyF10, SDL_SCANCODE_F10},
    {69, SDL_SCANCODE_NUMLOCKCLEAR}, {70, SDL_SCANCODE_SCROLLLOCK}, {71, SDL_SCANCODE_KP_7},
    {72, SDL_SCANCODE_KP_8}, {73, SDL_SCANCODE_KP_9}, {74, SDL_SCANCODE_KP_MINUS},
    {75, SDL_SCANCODE_KP_4}, {76, SDL_SCANCODE_KP_5}, {77, SDL_SCANCODE_KP_6},
    {78, SDL_SCANCODE_KP_PLUS}, {79, SDL_SCANCODE_KP_1}, {80, SDL_SCANCODE_KP_2},
    {81, SDL_SCANCODE_KP_3}, {82, SDL_SCANCODE_KP_0}, {83, SDL_SCANCODE_KP_PERIOD},
    {86, SDL_SCANCODE_NONUSBACKSLASH}, {keyF11, SDL_SCANCODE_F11}, {keyF12, SDL_SCANCODE_F12},
    {keyPadEnter, SDL_SCANCODE_KP_ENTER}, {keyRightControl, SDL_SCANCODE_RCTRL},
    {0xB5, SDL_SCANCODE_KP_DIVIDE}, {0xB7, SDL_SCANCODE_PRINTSCREEN}, {keyRightAlt, SDL_SCANCODE_RALT},
    {0xC5, SDL_SCANCODE_PAUSE}, {keyHome, SDL_SCANCODE_HOME}, {keyUp, SDL_SCANCODE_UP},
    {keyPageUp, SDL_SCANCODE_PAGEUP}, {keyLeft, SDL_SCANCODE_LEFT}, {keyRight, SDL_SCANCODE_RIGHT},
    {keyEnd, SDL_SCANCODE_END}, {keyDown, SDL_SCANCODE_DOWN}, {keyPageDown, SDL_SCANCODE_PAGEDOWN},
    {keyInsert, SDL_SCANCODE_INSERT}, {keyDelete, SDL_SCANCODE_DELETE}, {0xDB, SDL_SCANCODE_LGUI},
    {0xDC, SDL_SCANCODE_RGUI}, {0xDD, SDL_SCANCODE_APPLICATION}};

struct InputState {
  int mode = 0;
  std::array<bool, 256> live{};
  std::array<bool, 256> downSince{};
  std::array<bool, 256> upSince{};
  std::array<bool, 256> pushed{};
  std::array<bool, 256> released{};
  std::deque<int> typedQueue;  // code points, and -code for a release that waits its turn
  int typed = 0;

  int accumulatedX = 0;
  int accumulatedY = 0;
  int accumulatedWheel = 0;
  std::array<bool, 4> buttonLive{};
  std::array<bool, 4> buttonDownSince{};
  std::array<bool, 4> buttons{};
  std::array<bool, 4> buttonsPressed{};
  int pointerX = 0;
  int pointerY = 0;
  int deltaX = 0;
  int deltaY = 0;
  int wheel = 0;
  int snapshotX = 0;
  int snapshotY = 0;
};

InputState input;
constexpr std::size_t typedQueueLimit = 64;

// The releases queued behind the characters already delivered.
void DeliverQueuedReleases() {
  while (!input.typedQueue.empty() && input.typedQueue.front() < 0) {
    input.released[-input.typedQueue.front()] = true;
    input.typedQueue.pop_front();
  }
}

bool realMouseIgnored = false;
bool realInputSeen = false;  // a key or a button pressed by a person, even while ignored

int CodeFromScancode(SDL_Scancode scancode) {
  static const std::array<int, SDL_NUM_SCANCODES> table = [] {
    std::array<int, SDL_NUM_SCANCODES> codes{};
    for (const KeyName& name : keyNames) codes[name.scancode] = name.code;
    return codes;
  }();
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return table[scancode];
}

// With layout letters on, a letter code means "the key that types this letter" on the user's
// layout (an AZERTY keyboard's A sits where a QWERTY keyboard has Q).
int PhysicalCode(int code) {
  if (!(input.mode & 1)) return code;
  for (const KeyName& name : keyNames) {
    if (name.code != code) continue;
    if (name.scancode < SDL_SCANCODE_A || name.scancode > SDL_SCANCODE_Z) return code;
    SDL_Keycode letter = SDLK_a + (name.scancode - SDL_SCANCODE_A);
    int carrying = CodeFromScancode(SDL_GetScancodeFromKey(letter));
    return carrying ? carrying : code;
  }
  return code;
}

int ButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

// Characters of a UTF-8 text event, as code points.
void QueueTyped(const char* text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    int code = *p;
    int follow = code < 0x80 ? 0 : (code >> 5) == 6 ? 1 : (code >> 4) == 14 ? 2 : (code >> 3) == 30 ? 3 : -1;
    if (follow < 0) {
      ++p;
      continue;
    }
    code &= follow == 0 ? 0x7F : (0x3F >> follow);
    ++p;
    for (int k = 0; k < follow && (*p >> 6) == 2; ++k, ++p) code = code << 6 | (*p & 0x3F);
    if (code > 0 && input.typedQueue.size() < typedQueueLimit) input.typedQueue.push_back(code);
  }
}

}  // namespace

namespace media {

void HandleInputEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN ||
      event.type == SDL_CONTROLLERBUTTONDOWN) {
    realInputSeen = true;
  }
  // Pads open and close even in a replay, whose snapshots then stand in for theirs.
  if (HandleGamepadEvent(event)) return;
  // A replay's input is all in its journal.
  if (CurrentJournalMode() == JournalMode::replay) return;
  const bool mouseEvent = event.type == SDL_MOUSEMOTION || event.type == SDL_MOUSEBUTTONDOWN ||
                          event.type == SDL_MOUSEBUTTONUP || event.type == SDL_MOUSEWHEEL;
  if (mouseEvent && realMouseIgnored) return;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int code = CodeFromScancode(event.key.keysym.scancode);
      if (code <= 0 || code > 255) break;
      if (event.type == SDL_KEYDOWN) {
        input.live[code] = true;
        input.downSince[code] = true;
      } else {
        input.live[code] = false;
        if (!input.typedQueue.empty() && input.typedQueue.size() < typedQueueLimit) {
          input.typedQueue.push_back(-code);
        } else {
          input.upSince[code] = true;
        }
      }
      break;
    }
    case SDL_TEXTINPUT:
      QueueTyped(event.text.text);
      break;
    case SDL_MOUSEMOTION:
      input.accumulatedX += event.motion.xrel;
      input.accumulatedY += event.motion.yrel;
      input.pointerX = event.motion.x;
      input.pointerY = event.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int index = ButtonIndex(event.button.button);
      if (!index) break;
      input.buttonLive[index] = event.type == SDL_MOUSEBUTTONDOWN;
      if (event.type == SDL_MOUSEBUTTONDOWN) input.buttonDownSince[index] = true;
      input.pointerX = event.button.x;
      input.pointerY = event.button.y;
      break;
    }
    case SDL_MOUSEWHEEL:
      input.accumulatedWheel += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      break;
    default:
      break;
  }
}

void ResetInput() {
  int mode = input.mode;
  input = InputState{};
  input.mode = mode;
  ResetGamepad();
}

// The game ignores the desktop's own keys (the Super key above all) while it has the keyboard:
// the window holds the keyboard whenever it holds the mouse full screen. SDL grabs the keys only
// while the window has the focus. In a window the keyboard stays free: X11 then grabs every key,
// Alt+Tab included, and with the mouse captured those keys are the player's only way back to
// the desktop. Full screen, Alt+Enter gives the window first.
void ApplyKeyboardGrab() {
  MediaState& s = State();
  if (!s.window) return;
  SDL_SetWindowKeyboardGrab(s.window, s.mouseCaptured && FullScreen() ? SDL_TRUE : SDL_FALSE);
}

}  // namespace media

void KeyboardMode(int mode) { input.mode = mode; }

void ExamineKeyboard() {
  PumpEvents();
  for (int k = 0; k < 256; ++k) {
    input.pushed[k] = input.live[k] || input.downSince[k];
    input.released[k] = input.upSince[k];
    input.downSince[k] = false;
    input.upSince[k] = false;
  }
  input.typed = 0;
  DeliverQueuedReleases();
  if (!input.typedQueue.empty()) {
    input.typed = input.typedQueue.front();
    input.typedQueue.pop_front();
  }
  DeliverQueuedReleases();
  JournalKeyboard(input.pushed, input.released, input.typed);
  TakeGamepadSnapshot();
}

bool KeyboardPushed(int scanCode) {
  if (scanCode == -1) {
    for (bool down : input.pushed) {
      if (down) return true;
    }
    return false;
  }
  int code = PhysicalCode(scanCode);
  return code > 0 && code < 256 && input.pushed[code];
}

bool KeyboardReleased(int scanCode) {
  if (scanCode == -1) {
    for (bool up : input.released) {
      if (up) return true;
    }
    return false;
  }
  int code = PhysicalCode(scanCode);
  return code > 0 && code < 256 && input.released[code];
}

int KeyboardTypedCharacter() { return input.typed; }

void ExamineMouse() {
  PumpEvents();
  input.deltaX = input.accumulatedX;
  input.deltaY = input.accumulatedY;
  input.wheel = input.accumulatedWheel;
  input.accumulatedX = 0;
  input.accumulatedY = 0;
  input.accumulatedWheel = 0;
  for (int b = 1; b < 4; ++b) {
    input.buttons[b] = input.buttonLive[b] || input.buttonDownSince[b];
    input.buttonsPressed[b] = input.buttonDownSince[b];
    input.buttonDownSince[b] = false;
  }
  input.snapshotX = input.pointerX;
  input.snapshotY = input.pointerY;
  JournalMouse(input.deltaX, input.deltaY, input.wheel, input.snapshotX, input.snapshotY, input.buttons);
}

void InjectMouseMotion(int dx, int dy) {
  input.accumulatedX += dx;
  input.accumulatedY += dy;
  input.pointerX = std::clamp(input.pointerX + dx, 0, State().screenWidth > 0 ? State().screenWidth - 1 : 0);
  input.pointerY = std::clamp(input.pointerY + dy, 0, State().screenHeight > 0 ? State().screenHeight - 1 : 0);
}

void InjectMouseButton(int button, bool down) {
  if (button < 1 || button > 3) return;
  input.buttonLive[button] = down;
  if (down) input.buttonDownSince[button] = true;
}

void SetRealMouseIgnored(bool ignored) { realMouseIgnored = ignored; }
bool RealMouseIgnored() { return realMouseIgnored; }

bool RealInputSeen() {
  PumpEvents();
  bool seen = realInputSeen;
  realInputSeen = false;
  JournalRealInput(seen);
  return seen;
}

int MouseDeltaX() { return input.deltaX; }
int MouseDeltaY() { return input.deltaY; }

bool MouseButton(int button) { return button >= 1 && button <= 3 && input.buttons[button]; }

bool MouseButtonPressed(int button) {
  return button >= 1 && button <= 3 && input.buttonsPressed[button];
}

void ForgetInput() {
  PumpEvents();
  ResetInput();
}

int MouseX() { return input.snapshotX; }
int MouseY() { return input.snapshotY; }
int MouseWheel() { return input.wheel; }

void ReleaseMouse(bool release) {
  MediaState& s = State();
  if (!s.videoUp) return;
  const bool recapture = !release && !s.mouseCaptured;
  s.mouseCaptured = !release;
  // The offscreen driver has no pointer to capture; the game goes on without it.
  SDL_SetRelativeMouseMode(release ? SDL_FALSE : SDL_TRUE);
  SDL_ShowCursor(release ? SDL_ENABLE : SDL_DISABLE);
  ApplyKeyboardGrab();
  if (recapture) {
    // What the mouse did about the desktop (and the jump of taking it back) is not the
    // player's move in the game; where the pointer is stays known.
    PumpEvents();
    input.accumulatedX = 0;
    input.accumulatedY = 0;
    input.accumulatedWheel = 0;
  }
}

bool KeyboardGrabbed() {
  MediaState& s = State();
  return s.window && (SDL_GetWindowFlags(s.window) & SDL_WINDOW_KEYBOARD_GRABBED) != 0;
}
