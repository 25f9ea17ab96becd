// SPDX-License-Identifier: GPL-3.0-or-later
// The level editor's screen: the level over its scenery where play will show it, a palette of
// brick kinds and capsules in place of the right-hand panel, and a status line. One frame at a
// time reads the pointer and the keys, edits the level (editor/level_edit.h) and draws it; the
// shell runs the frames and plays the level when F5 asks for it.
#pragma once

#include <string>
#include <vector>

#include "assets/objects.h"
#include "core/settings.h"
#include "editor/level_edit.h"

// What the pointer is doing between pressing the left button and letting it go.
enum class EditorDrag { none, bricks, waypoint, rectangle, place };

struct EditorScreen {
  int levelNumber = 0;
  std::string title;  // the source's first comment line
  LevelEdit edit;
  int kind = obj::brickRed;  // the palette's brick kind; 0: none, clicks only select
  int capsule = 0;           // the palette's capsule, given to the selection when chosen
  bool pathMode = false;     // W: clicks add waypoints to the one selected brick
  int pointerX = playCentreX, pointerY = playCentreY;
  EditorDrag drag = EditorDrag::none;
  float dragStartX = 0, dragStartY = 0;  // where the button went down
  float dragDoneX = 0, dragDoneY = 0;    // how far the bricks have been moved so far
  int dragWaypoint = -1;
  bool dragStepTaken = false;  // the drag's undo step is made once it moves
  int hoverWaypoint = -1;      // the waypoint whose leg the wheel and + - change
  bool playing = false;        // Space: the bricks glide along their paths
  int playFrame = 0;
  bool askLeave = false;  // Escape with unsaved changes: a second Escape leaves
  // Escape acts when it goes down; after a test play left with Escape it must come up first.
  bool escapeDown = true;
  bool controlBefore = false;  // Ctrl was held on the frame before
  std::string message;         // the last action's answer ("saved ..."), shown a while
  int messageFrames = 0;
};

enum class EditorRequest { stay, playLevel, leave };

// Where a level is read from for editing: the player's copy (source, else level file), else the
// shipped level file, else nothing (an empty level). Says which in from ("your copy", ...).
void OpenEditedLevel(EditorScreen& screen, int levelNumber);

// Writes the level's source and level file to the player's level folder, each atomically. False,
// with the reason in the message, when the loader would refuse the level or a file could not be
// written. The shipped data is never written.
bool SaveEditedLevel(EditorScreen& screen);

// Loads the editor's font and the level's scenery; called once the catalogue is loaded, and
// again after a test play.
void ShowEditor(EditorScreen& screen);
// One frame: input, then drawing and presenting. What the shell should do next: playLevel
// after F5 (never for a level the loader would refuse), leave after Escape (a second one when
// there are unsaved changes).
EditorRequest EditorFrame(EditorScreen& screen);

// Where the brick stands after the given number of frames of gliding along its path, as play
// moves it (legs start on whole seconds; after the last waypoint it goes back to the first).
void BrickPlaceAt(const BrickRecord& brick, int frames, float& x, float& y);

// The palette's cells, in screen pixels: the brick kinds (0: none) and then the capsules (0:
// none), each with the picture shown in it.
struct PaletteCell {
  int x, y, width, height;
  bool isCapsule;
  int value;
};
const std::vector<PaletteCell>& PaletteCells();

// The status line's text: kind, capsule, pointer position, brick count and grid, then the
// warnings.
std::string EditorStatus(const EditorScreen& screen);
