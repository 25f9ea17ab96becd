#include "frontend/menu_input.h"

#include "media/media.h"

bool MenuUp() { return KeyboardReleased(keyUp); }
bool MenuDown() { return KeyboardReleased(keyDown); }
bool MenuLeft() { return KeyboardReleased(keyLeft); }
bool MenuRight() { return KeyboardReleased(keyRight); }
bool MenuChoose() {
  return KeyboardReleased(keyReturn) || KeyboardReleased(keyPadEnter) || KeyboardReleased(keySpace);
}
bool MenuBack() { return KeyboardReleased(keyEscape); }
