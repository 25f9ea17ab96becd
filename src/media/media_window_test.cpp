// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers that stand in for the window manager.
#include "media/media_diagnostics.h"
#include "media/media_internal.h"

using namespace media;

bool SimulateFocusChange(bool focused) {
  MediaState& s = State();
  if (!s.window) return false;
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = SDL_GetWindowID(s.window);
  event.window.event = focused ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
  return SDL_PushEvent(&event) == 1;
}

bool SimulateWindowResize(int width, int height) {
  MediaState& s = State();
  if (!s.window || width <= 0 || height <= 0) return false;
  SDL_SetWindowSize(s.window, width, height);
  int setWidth = 0;
  int setHeight = 0;
  SDL_GetWindowSize(s.window, &setWidth, &setHeight);
  return setWidth == width && setHeight == height;
}
