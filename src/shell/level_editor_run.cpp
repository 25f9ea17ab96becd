// SPDX-License-Identifier: GPL-3.0-or-later
// The level editor as the program runs it (--edit N): the game's start-up and pictures, then
// the editor's frames until it is left, with a test play of the level whenever F5 asks.
#include "assets/asset_loader.h"
#include "console/console.h"
#include "core/game_state.h"
#include "editor/editor_screen.h"
#include "shell/game.h"
#include "shell/run_control.h"

int RunLevelEditor(int levelNumber) {
  StartUp();
  ResetGameForNewGame();
  LoadFont(obj::fontText, "Arial black", 25);
  SetUpConsole();
  LoadAssets();
  // A local record, not the game's: the editor's state lives only while it runs.
  EditorScreen screen;
  OpenEditedLevel(screen, levelNumber);
  ShowEditor(screen);
  for (;;) {
    const EditorRequest request = EditorFrame(screen);
    if (request == EditorRequest::leave) break;
    if (request == EditorRequest::playLevel) {
      // The edit stays as it is in the editor's record; play works on a copy of its bricks.
      PlayEditedLevel(screen.levelNumber, screen.edit.bricks);
      ShowEditor(screen);
    }
  }
  FinishRun();
  return 0;
}
