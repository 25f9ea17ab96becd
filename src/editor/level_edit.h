// SPDX-License-Identifier: GPL-3.0-or-later
// The level being edited, with no screen: its bricks as the level file holds them, the selection,
// the clipboard, the grid and the undo history, and every editing operation and check. The
// editor screen turns the pointer and the keys into these calls; the tests call them directly.
#pragma once

#include <string>
#include <vector>

#include "levels/level_source.h"

// A leg lasts 1 to 60 seconds in the editor: the loader takes up to an hour, but no shipped
// leg is longer than a few seconds and a minute is already a brick that seems to stand still.
constexpr int editLegSecondsMin = 1;
constexpr int editLegSecondsMax = 60;
// The undo history keeps this many steps; the oldest goes first.
constexpr int editUndoSteps = 200;
// A click this close to a waypoint (in pixels, either way) picks it.
constexpr int editWaypointReach = 8;

// What an undo step brings back: the bricks and which were selected.
struct EditSnapshot {
  std::vector<BrickRecord> bricks;
  std::vector<int> selected;
};

struct LevelEdit {
  std::vector<BrickRecord> bricks;  // in file order; a brick's place is its first waypoint
  std::vector<int> selected;        // indices into bricks, ascending
  std::vector<BrickRecord> clipboard;
  bool grid = true;  // places and moves snap to brick steps
  std::vector<EditSnapshot> undo, redo;
  bool unsaved = false;  // changed since it was opened or saved
};

// A fresh edit of the given bricks: nothing selected, no history, nothing unsaved.
void StartEdit(LevelEdit& edit, const std::vector<BrickRecord>& bricks);

// The point as the grid has it: with the grid on, the nearest brick centre of the cells that
// tile the playfield from its top left corner (64 x 20 steps); with it off, the point itself.
void SnapPoint(const LevelEdit& edit, float& x, float& y);

// The last brick (the one drawn on top) whose 64 x 20 cell about its place holds the point, or
// -1.
int BrickIndexAt(const LevelEdit& edit, float x, float y);

// Adds a standing brick of the kind at the point (snapped), holding the capsule (0: none), and
// selects it alone: one undo step. Returns its index.
int PlaceBrick(LevelEdit& edit, int kind, float x, float y, int capsule = 0);

// Selection. Select with add = false makes the brick the only one selected; with add = true it
// joins the selection, or leaves it when it was in it. -1 clears the selection.
void SelectBrick(LevelEdit& edit, int index, bool add);
void ClearSelection(LevelEdit& edit);
bool IsSelected(const LevelEdit& edit, int index);
// Selects every brick whose cell meets the rectangle (corners in any order).
void SelectInRectangle(LevelEdit& edit, float x0, float y0, float x1, float y1);

// Moves the selected bricks, paths and all, by the offset. A drag calls it every frame: only
// the first call of a drag (newStep) makes an undo step.
void MoveSelection(LevelEdit& edit, float dx, float dy, bool newStep = true);
// Removes the selected bricks.
void RemoveSelection(LevelEdit& edit);
// Copies the selected bricks to the clipboard (the bricks themselves stay).
void CopySelection(LevelEdit& edit);
// Adds the clipboard's bricks so that the first lands on the point (snapped), the others keep
// their places about it; they become the selection. False when the clipboard is empty.
bool Paste(LevelEdit& edit, float x, float y);
// Mirrors the selected bricks left to right about the playfield's centre line, paths and all.
void MirrorSelection(LevelEdit& edit);
// Gives every selected brick the capsule (0: none) or the kind.
void SetSelectionCapsule(LevelEdit& edit, int capsule);
void SetSelectionKind(LevelEdit& edit, int kind);

// Paths, on the one selected brick (nothing happens when not exactly one is selected).
// The selected brick, or -1.
int SelectedBrick(const LevelEdit& edit);
// Adds a waypoint at the point (snapped) after the last; its leg back to the first lasts a
// second, and a standing brick's first leg gets a second too. False when the brick has the
// most waypoints a level allows.
bool AddWaypoint(LevelEdit& edit, float x, float y);
// The selected brick's waypoint within reach of the point, or -1.
int WaypointAt(const LevelEdit& edit, float x, float y);
// Moves a waypoint (snapped). Moving waypoint 0 moves the brick's place. Like MoveSelection, a
// drag makes one undo step.
void MoveWaypoint(LevelEdit& edit, int waypoint, float x, float y, bool newStep = true);
// Removes a waypoint; the brick's last one stays. False when it was the last.
bool RemoveWaypoint(LevelEdit& edit, int waypoint);
// Changes the seconds of the leg that starts at the waypoint by delta, kept to 1..60.
void ChangeLegSeconds(LevelEdit& edit, int waypoint, int delta);

// Undo and redo; false when there is nothing to undo or redo.
bool Undo(LevelEdit& edit);
bool Redo(LevelEdit& edit);

// The faults that make a level unplayable, as the loader words them ("brick 3: ..."): a level
// with one is not saved. Empty when the loader takes the level.
std::vector<std::string> LevelRefusals(const std::vector<BrickRecord>& bricks);
// What the designer should know before saving, though the loader would take it: no breakable
// brick (the level cannot be cleared), a teleporter without a partner, a brick outside the
// playfield, two bricks on top of each other.
std::vector<std::string> LevelWarnings(const std::vector<BrickRecord>& bricks);

// Where a brick stands: its first waypoint.
float BrickX(const BrickRecord& brick);
float BrickY(const BrickRecord& brick);
