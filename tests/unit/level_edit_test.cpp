// SPDX-License-Identifier: GPL-3.0-or-later
// The editing model without a screen: each operation, undo and redo over mixed sequences, mirror
// and paste, and each warning and refusal the editor shows before saving.
#include "editor/level_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "assets/objects.h"
#include "core/brick_record.h"
#include "core/settings.h"

namespace {

// Brick centres on the grid: column c, row r of the 64 x 20 cells from the playfield's corner.
float GridX(int c) { return playLeft + cellWidth * c + cellWidth / 2.0f; }
float GridY(int r) { return playTop + cellHeight * r + cellHeight / 2.0f; }

BrickRecord Standing(int kind, float x, float y) { return {kind, 0, {{1, x, y}}}; }

bool HasWarning(const std::vector<std::string>& warnings, const std::string& text) {
  return std::find(warnings.begin(), warnings.end(), text) != warnings.end();
}

TEST(LevelEdit, PlaceSnapsToBrickStepsUnlessTheGridIsOff) {
  LevelEdit edit;
  StartEdit(edit, {});
  // A click anywhere in a cell puts the brick on the cell's centre.
  const int first = PlaceBrick(edit, obj::brickRed, GridX(2) + 30, GridY(5) - 9);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(edit.bricks[0], Standing(obj::brickRed, GridX(2), GridY(5)));
  EXPECT_EQ(edit.selected, std::vector<int>{0});
  EXPECT_TRUE(edit.unsaved);

  edit.grid = false;
  PlaceBrick(edit, obj::brickBlue, 301.5f, 207.25f);
  EXPECT_EQ(edit.bricks[1], Standing(obj::brickBlue, 301.5f, 207.25f));
  EXPECT_EQ(edit.selected, std::vector<int>{1});

  // A brick placed with the palette's capsule holds it from the start: one step undoes both.
  PlaceBrick(edit, obj::brickGreen, 400, 300, obj::capsuleGlue);
  EXPECT_EQ(edit.bricks[2], (BrickRecord{obj::brickGreen, obj::capsuleGlue, {{1, 400, 300}}}));
  ASSERT_TRUE(Undo(edit));
  EXPECT_EQ(edit.bricks.size(), 2u);
}

TEST(LevelEdit, SelectingOneAddingAndRectangle) {
  LevelEdit edit;
  StartEdit(edit, {Standing(obj::brickRed, GridX(0), GridY(0)),
                   Standing(obj::brickRed, GridX(1), GridY(0)),
                   Standing(obj::brickRed, GridX(5), GridY(8))});
  EXPECT_EQ(BrickIndexAt(edit, GridX(1) + 31, GridY(0) + 9), 1);
  EXPECT_EQ(BrickIndexAt(edit, GridX(3), GridY(3)), -1);

  SelectBrick(edit, 2, false);
  SelectBrick(edit, 0, true);
  EXPECT_EQ(edit.selected, (std::vector<int>{0, 2}));
  SelectBrick(edit, 2, true);  // a second click with add takes it out again
  EXPECT_EQ(edit.selected, std::vector<int>{0});
  SelectBrick(edit, -1, false);
  EXPECT_TRUE(edit.selected.empty());

  // Corners in any order.
  SelectInRectangle(edit, GridX(1) + 40, GridY(1), GridX(0), GridY(0));
  EXPECT_EQ(edit.selected, (std::vector<int>{0, 1}));
  SelectInRectangle(edit, GridX(4), GridY(6), GridX(8), GridY(12));
  EXPECT_EQ(edit.selected, std::vector<int>{2});
  // Selecting is no change to the level.
  EXPECT_FALSE(edit.unsaved);
  EXPECT_TRUE(edit.undo.empty());
}

TEST(LevelEdit, MoveCarriesThePathAndADragIsOneUndoStep) {
  LevelEdit edit;
  StartEdit(edit, {{obj::brickGreen, 0, {{2, 200, 100}, {3, 400, 100}}},
                   Standing(obj::brickRed, 300, 300)});
  SelectBrick(edit, 0, false);
  MoveSelection(edit, 10, 5);
  MoveSelection(edit, 10, 5, false);
  MoveSelection(edit, 10, 5, false);
  EXPECT_EQ(edit.bricks[0].waypoints[0], (Waypoint{2, 230, 115}));
  EXPECT_EQ(edit.bricks[0].waypoints[1], (Waypoint{3, 430, 115}));
  EXPECT_EQ(edit.bricks[1], Standing(obj::brickRed, 300, 300));  // not selected: stays
  EXPECT_EQ(edit.undo.size(), 1u);
  ASSERT_TRUE(Undo(edit));
  EXPECT_EQ(edit.bricks[0].waypoints[0], (Waypoint{2, 200, 100}));
}

TEST(LevelEdit, RemoveTakesTheSelectionAndKeepsTheOthersInOrder) {
  LevelEdit edit;
  StartEdit(edit, {Standing(obj::brickRed, 100, 40), Standing(obj::brickGreen, 200, 40),
                   Standing(obj::brickBlue, 300, 40), Standing(obj::brickCyan, 400, 40)});
  SelectBrick(edit, 1, false);
  SelectBrick(edit, 3, true);
  RemoveSelection(edit);
  ASSERT_EQ(edit.bricks.size(), 2u);
  EXPECT_EQ(edit.bricks[0].kind, obj::brickRed);
  EXPECT_EQ(edit.bricks[1].kind, obj::brickBlue);
  EXPECT_TRUE(edit.selected.empty());
  // Nothing selected: nothing removed and no undo step.
  RemoveSelection(edit);
  EXPECT_EQ(edit.bricks.size(), 2u);
  EXPECT_EQ(edit.undo.size(), 1u);
}

TEST(LevelEdit, CopyAndPasteKeepTheShapeAboutThePoint) {
  LevelEdit edit;
  StartEdit(edit, {{obj::brickRed, obj::capsuleLaser, {{1, GridX(1), GridY(1)}}},
                   {obj::brickBlue, 0, {{2, GridX(2), GridY(2)}, {4, GridX(6), GridY(2)}}}});
  SelectInRectangle(edit, GridX(0), GridY(0), GridX(3), GridY(3));
  CopySelection(edit);
  ASSERT_TRUE(Paste(edit, GridX(5) + 3, GridY(10) - 4));
  ASSERT_EQ(edit.bricks.size(), 4u);
  EXPECT_EQ(edit.bricks[2],
            (BrickRecord{obj::brickRed, obj::capsuleLaser, {{1, GridX(5), GridY(10)}}}));
  EXPECT_EQ(
      edit.bricks[3],
      (BrickRecord{obj::brickBlue, 0, {{2, GridX(6), GridY(11)}, {4, GridX(10), GridY(11)}}}));
  EXPECT_EQ(edit.selected, (std::vector<int>{2, 3}));
  // The originals are untouched, and a second paste adds a second copy.
  EXPECT_EQ(edit.bricks[0].waypoints[0], (Waypoint{1, GridX(1), GridY(1)}));
  ASSERT_TRUE(Paste(edit, GridX(0), GridY(20)));
  EXPECT_EQ(edit.bricks.size(), 6u);

  LevelEdit empty;
  StartEdit(empty, {});
  EXPECT_FALSE(Paste(empty, 100, 100));
  EXPECT_TRUE(empty.undo.empty());
}

TEST(LevelEdit, MirrorFlipsAboutThePlayfieldCentrePathsAndAll) {
  LevelEdit edit;
  StartEdit(edit, {{obj::brickRed, 0, {{1, GridX(0), GridY(0)}, {2, 300, 200}}},
                   Standing(obj::brickBlue, 500, 60)});
  SelectBrick(edit, 0, false);
  MirrorSelection(edit);
  // The first column's brick stands as far from the right edge as it stood from the left.
  EXPECT_EQ(edit.bricks[0].waypoints[0],
            (Waypoint{1, playRight - (GridX(0) - playLeft), GridY(0)}));
  EXPECT_EQ(edit.bricks[0].waypoints[1], (Waypoint{2, 2.0f * playCentreX - 300, 200}));
  EXPECT_EQ(edit.bricks[1], Standing(obj::brickBlue, 500, 60));
  MirrorSelection(edit);  // twice is where it started
  EXPECT_EQ(edit.bricks[0].waypoints[0], (Waypoint{1, GridX(0), GridY(0)}));
}

TEST(LevelEdit, CapsuleAndKindGoToEverySelectedBrick) {
  LevelEdit edit;
  StartEdit(edit, {Standing(obj::brickRed, 100, 40), Standing(obj::brickGreen, 200, 40),
                   Standing(obj::brickBlue, 300, 40)});
  SelectBrick(edit, 0, false);
  SelectBrick(edit, 2, true);
  SetSelectionCapsule(edit, obj::capsuleGlue);
  EXPECT_EQ(edit.bricks[0].capsule, obj::capsuleGlue);
  EXPECT_EQ(edit.bricks[1].capsule, 0);
  EXPECT_EQ(edit.bricks[2].capsule, obj::capsuleGlue);
  SetSelectionCapsule(edit, 0);
  EXPECT_EQ(edit.bricks[2].capsule, 0);
  SetSelectionKind(edit, obj::brick3Hits);
  EXPECT_EQ(edit.bricks[0].kind, obj::brick3Hits);
  EXPECT_EQ(edit.bricks[1].kind, obj::brickGreen);
}

TEST(LevelEdit, PathWaypointsLegsAndTheirLimits) {
  LevelEdit edit;
  StartEdit(edit, {Standing(obj::brickRed, GridX(1), GridY(1)),
                   Standing(obj::brickRed, GridX(3), GridY(1))});
  // Two bricks selected: no path is edited.
  SelectBrick(edit, 0, false);
  SelectBrick(edit, 1, true);
  EXPECT_FALSE(AddWaypoint(edit, 400, 400));
  EXPECT_EQ(edit.bricks[0].waypoints.size(), 1u);

  SelectBrick(edit, 0, false);
  ASSERT_TRUE(AddWaypoint(edit, GridX(5) + 7, GridY(1)));
  ASSERT_TRUE(AddWaypoint(edit, GridX(5), GridY(6)));
  const std::vector<Waypoint> path = {
      {1, GridX(1), GridY(1)}, {1, GridX(5), GridY(1)}, {1, GridX(5), GridY(6)}};
  EXPECT_EQ(edit.bricks[0].waypoints, path);
  EXPECT_EQ(WaypointAt(edit, GridX(5) + 5, GridY(6) - 5), 2);
  EXPECT_EQ(WaypointAt(edit, GridX(5) + 12, GridY(6)), -1);

  // The seconds stay within 1 to 60 however far the wheel turns.
  ChangeLegSeconds(edit, 1, 100);
  EXPECT_EQ(edit.bricks[0].waypoints[1].seconds, editLegSecondsMax);
  ChangeLegSeconds(edit, 1, -3);
  EXPECT_EQ(edit.bricks[0].waypoints[1].seconds, editLegSecondsMax - 3);
  ChangeLegSeconds(edit, 2, -5);
  EXPECT_EQ(edit.bricks[0].waypoints[2].seconds, editLegSecondsMin);

  MoveWaypoint(edit, 2, GridX(2), GridY(7));
  EXPECT_EQ(edit.bricks[0].waypoints[2], (Waypoint{1, GridX(2), GridY(7)}));
  ASSERT_TRUE(RemoveWaypoint(edit, 1));
  EXPECT_EQ(edit.bricks[0].waypoints.size(), 2u);
  ASSERT_TRUE(RemoveWaypoint(edit, 1));
  EXPECT_FALSE(RemoveWaypoint(edit, 0));  // a brick keeps its place
  EXPECT_EQ(edit.bricks[0].waypoints, std::vector<Waypoint>{path[0]});

  // A path holds at most the waypoints a level allows.
  for (int i = 1; i < maxWaypoints; ++i) ASSERT_TRUE(AddWaypoint(edit, 300, 300));
  EXPECT_FALSE(AddWaypoint(edit, 300, 300));
  EXPECT_EQ(edit.bricks[0].waypoints.size(), static_cast<std::size_t>(maxWaypoints));
  EXPECT_TRUE(LevelRefusals(edit.bricks).empty());
}

TEST(LevelEdit, UndoAndRedoOverAMixedSequence) {
  LevelEdit edit;
  StartEdit(edit, {Standing(obj::brickRed, GridX(0), GridY(0))});
  std::vector<std::vector<BrickRecord>> states = {edit.bricks};
  PlaceBrick(edit, obj::brickGreen, GridX(3), GridY(3));
  states.push_back(edit.bricks);
  SetSelectionCapsule(edit, obj::capsuleFire);
  states.push_back(edit.bricks);
  AddWaypoint(edit, GridX(6), GridY(3));
  states.push_back(edit.bricks);
  ChangeLegSeconds(edit, 0, 4);
  states.push_back(edit.bricks);
  SelectInRectangle(edit, 0, 0, screenWidth, screenHeight);
  MirrorSelection(edit);
  states.push_back(edit.bricks);
  CopySelection(edit);
  Paste(edit, GridX(1), GridY(12));
  states.push_back(edit.bricks);
  SelectBrick(edit, 0, false);
  RemoveSelection(edit);
  states.push_back(edit.bricks);

  // Back to the start one step at a time, then forward again to the end.
  for (int i = static_cast<int>(states.size()) - 2; i >= 0; --i) {
    ASSERT_TRUE(Undo(edit));
    EXPECT_EQ(edit.bricks, states[i]) << "after undoing to state " << i;
  }
  EXPECT_FALSE(Undo(edit));
  for (std::size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(Redo(edit));
    EXPECT_EQ(edit.bricks, states[i]) << "after redoing to state " << i;
  }
  EXPECT_FALSE(Redo(edit));

  // A change after an undo forgets what could have been redone.
  ASSERT_TRUE(Undo(edit));
  PlaceBrick(edit, obj::brickWhite, GridX(8), GridY(20));
  EXPECT_FALSE(Redo(edit));
  // Undo brings the selection back with the bricks.
  ASSERT_TRUE(Undo(edit));
  EXPECT_EQ(edit.selected, std::vector<int>{0});  // the selection the white brick replaced
}

TEST(LevelEdit, UndoReachesBackAtLeastAHundredSteps) {
  LevelEdit edit;
  StartEdit(edit, {});
  for (int i = 0; i < editUndoSteps + 20; ++i) PlaceBrick(edit, obj::brickRed, 100, 40);
  int undone = 0;
  while (Undo(edit)) ++undone;
  EXPECT_GE(undone, 100);
  EXPECT_EQ(undone, editUndoSteps);
  // The oldest steps went: the level stands as it was after the first twenty places.
  EXPECT_EQ(edit.bricks.size(), 20u);
}

TEST(LevelEditChecks, AGoodLevelHasNoWarningAndNoRefusal) {
  const std::vector<BrickRecord> bricks = {
      Standing(obj::brickRed, GridX(0), GridY(0)),
      Standing(obj::brickRed, GridX(1), GridY(0)),
      Standing(obj::brickTeleport, GridX(0), GridY(5)),
      Standing(obj::brickTeleport, GridX(10), GridY(5)),
      {obj::brickBlue, 0, {{2, GridX(2), GridY(8)}, {2, GridX(8), GridY(8)}}}};
  EXPECT_EQ(LevelWarnings(bricks), std::vector<std::string>{});
  EXPECT_EQ(LevelRefusals(bricks), std::vector<std::string>{});
}

TEST(LevelEditChecks, EachWarning) {
  // Only bricks that never break: the level cannot be cleared (and an empty one neither).
  EXPECT_TRUE(HasWarning(LevelWarnings({Standing(obj::brickUnbreakable, 200, 100)}),
                         "no breakable brick: the level cannot be cleared"));
  EXPECT_TRUE(HasWarning(LevelWarnings({}), "no breakable brick: the level cannot be cleared"));
  EXPECT_FALSE(HasWarning(LevelWarnings({Standing(obj::brick1Hit, 200, 100)}),
                          "no breakable brick: the level cannot be cleared"));

  const BrickRecord red = Standing(obj::brickRed, GridX(0), GridY(0));
  EXPECT_TRUE(HasWarning(LevelWarnings({red, Standing(obj::brickTeleport, 300, 300)}),
                         "a teleporter without a partner"));

  // Half a cell over the left edge; a path that leaves through the top.
  EXPECT_TRUE(HasWarning(LevelWarnings({red, Standing(obj::brickRed, playLeft, 200)}),
                         "brick 1 is outside the playfield"));
  const BrickRecord leaving = {obj::brickRed, 0, {{1, 300, 200}, {1, 300, playTop}}};
  EXPECT_TRUE(HasWarning(LevelWarnings({red, leaving}), "brick 1 is outside the playfield"));

  // Overlapping where they start; meeting edge to edge is fine.
  const std::vector<BrickRecord> overlapping = {
      red, Standing(obj::brickRed, GridX(0) + 20, GridY(0) + 5),
      Standing(obj::brickRed, GridX(1), GridY(0))};
  const std::vector<std::string> warnings = LevelWarnings(overlapping);
  EXPECT_TRUE(HasWarning(warnings, "brick 0 and brick 1 overlap"));
  EXPECT_TRUE(HasWarning(warnings, "brick 1 and brick 2 overlap"));
  EXPECT_FALSE(HasWarning(warnings, "brick 0 and brick 2 overlap"));
}

TEST(LevelEditChecks, TheLoadersRefusalsNameTheBrick) {
  const std::vector<BrickRecord> bricks = {
      Standing(obj::brickRed, 200, 100),
      {obj::brickRed, 250, {{1, 200, 140}}},  // 250 is inside a capsule family, not its start
      {obj::brickRed, 0, {{0, 200, 180}, {1, 300, 180}}}};
  const std::vector<std::string> refusals = LevelRefusals(bricks);
  ASSERT_EQ(refusals.size(), 2u);
  EXPECT_EQ(refusals[0].rfind("brick 1: capsule 250", 0), 0u) << refusals[0];
  EXPECT_EQ(refusals[1].rfind("brick 2: waypoint 0: a leg of 0 seconds", 0), 0u) << refusals[1];
}

}  // namespace
