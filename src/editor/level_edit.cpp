// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/level_edit.h"

#include <algorithm>
#include <cmath>

#include "core/brick_record.h"
#include "core/settings.h"

namespace {

// The history gets the state before a change; a new change forgets what could be redone.
void SaveStep(LevelEdit& edit) {
  edit.undo.push_back({edit.bricks, edit.selected});
  if (static_cast<int>(edit.undo.size()) > editUndoSteps) edit.undo.erase(edit.undo.begin());
  edit.redo.clear();
  edit.unsaved = true;
}

float SnapAxis(float value, int origin, int step) {
  // The centre of the cell the point falls in.
  const float cell = std::floor((value - static_cast<float>(origin)) / static_cast<float>(step));
  return static_cast<float>(origin) + cell * static_cast<float>(step) +
         static_cast<float>(step) / 2;
}

void MoveBrick(BrickRecord& brick, float dx, float dy) {
  for (Waypoint& w : brick.waypoints) {
    w.x += dx;
    w.y += dy;
  }
}

// A brick's 64 x 20 cell about a point, as the game hit-tests it.
struct Cell {
  float left, top, right, bottom;
};

Cell CellAt(float x, float y) {
  return {x - cellWidth / 2.0f, y - cellHeight / 2.0f, x + cellWidth / 2.0f, y + cellHeight / 2.0f};
}

bool CellsOverlap(const Cell& a, const Cell& b) {
  // Bricks that meet edge to edge, as a grid's do, do not overlap.
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool InsidePlayfield(const Cell& c) {
  return c.left >= playLeft && c.right <= playRight && c.top >= playTop && c.bottom <= playBottom;
}

std::string BrickName(int index) { return "brick " + std::to_string(index); }

}  // namespace

float BrickX(const BrickRecord& brick) { return brick.waypoints.front().x; }
float BrickY(const BrickRecord& brick) { return brick.waypoints.front().y; }

void StartEdit(LevelEdit& edit, const std::vector<BrickRecord>& bricks) {
  const bool grid = edit.grid;
  edit = LevelEdit{};
  edit.grid = grid;
  edit.bricks = bricks;
}

void SnapPoint(const LevelEdit& edit, float& x, float& y) {
  if (!edit.grid) return;
  x = SnapAxis(x, playLeft, cellWidth);
  y = SnapAxis(y, playTop, cellHeight);
}

int BrickIndexAt(const LevelEdit& edit, float x, float y) {
  for (int i = static_cast<int>(edit.bricks.size()) - 1; i >= 0; --i) {
    const Cell c = CellAt(BrickX(edit.bricks[i]), BrickY(edit.bricks[i]));
    if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) return i;
  }
  return -1;
}

int PlaceBrick(LevelEdit& edit, int kind, float x, float y, int capsule) {
  SaveStep(edit);
  SnapPoint(edit, x, y);
  edit.bricks.push_back({kind, capsule, {{1, x, y}}});
  const int index = static_cast<int>(edit.bricks.size()) - 1;
  edit.selected = {index};
  return index;
}

void SelectBrick(LevelEdit& edit, int index, bool add) {
  if (index < 0 || index >= static_cast<int>(edit.bricks.size())) {
    edit.selected.clear();
    return;
  }
  if (!add) {
    edit.selected = {index};
    return;
  }
  const auto at = std::lower_bound(edit.selected.begin(), edit.selected.end(), index);
  if (at != edit.selected.end() && *at == index) {
    edit.selected.erase(at);
  } else {
    edit.selected.insert(at, index);
  }
}

void ClearSelection(LevelEdit& edit) { edit.selected.clear(); }

bool IsSelected(const LevelEdit& edit, int index) {
  return std::binary_search(edit.selected.begin(), edit.selected.end(), index);
}

void SelectInRectangle(LevelEdit& edit, float x0, float y0, float x1, float y1) {
  const Cell box{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  edit.selected.clear();
  for (int i = 0; i < static_cast<int>(edit.bricks.size()); ++i) {
    const Cell c = CellAt(BrickX(edit.bricks[i]), BrickY(edit.bricks[i]));
    if (c.left <= box.right && box.left <= c.right && c.top <= box.bottom && box.top <= c.bottom) {
      edit.selected.push_back(i);
    }
  }
}

void MoveSelection(LevelEdit& edit, float dx, float dy, bool newStep) {
  if (edit.selected.empty()) return;
  if (newStep) SaveStep(edit);
  for (const int i : edit.selected) MoveBrick(edit.bricks[i], dx, dy);
  edit.unsaved = true;
}

void RemoveSelection(LevelEdit& edit) {
  if (edit.selected.empty()) return;
  SaveStep(edit);
  for (auto i = edit.selected.rbegin(); i != edit.selected.rend(); ++i) {
    edit.bricks.erase(edit.bricks.begin() + *i);
  }
  edit.selected.clear();
}

void CopySelection(LevelEdit& edit) {
  if (edit.selected.empty()) return;
  edit.clipboard.clear();
  for (const int i : edit.selected) edit.clipboard.push_back(edit.bricks[i]);
}

bool Paste(LevelEdit& edit, float x, float y) {
  if (edit.clipboard.empty()) return false;
  SaveStep(edit);
  SnapPoint(edit, x, y);
  const float dx = x - BrickX(edit.clipboard.front());
  const float dy = y - BrickY(edit.clipboard.front());
  edit.selected.clear();
  for (BrickRecord brick : edit.clipboard) {
    MoveBrick(brick, dx, dy);
    edit.selected.push_back(static_cast<int>(edit.bricks.size()));
    edit.bricks.push_back(std::move(brick));
  }
  return true;
}

void MirrorSelection(LevelEdit& edit) {
  if (edit.selected.empty()) return;
  SaveStep(edit);
  for (const int i : edit.selected) {
    for (Waypoint& w : edit.bricks[i].waypoints) w.x = 2.0f * playCentreX - w.x;
  }
}

void SetSelectionCapsule(LevelEdit& edit, int capsule) {
  if (edit.selected.empty()) return;
  SaveStep(edit);
  for (const int i : edit.selected) edit.bricks[i].capsule = capsule;
}

void SetSelectionKind(LevelEdit& edit, int kind) {
  if (edit.selected.empty()) return;
  SaveStep(edit);
  for (const int i : edit.selected) edit.bricks[i].kind = kind;
}

int SelectedBrick(const LevelEdit& edit) {
  return edit.selected.size() == 1 ? edit.selected.front() : -1;
}

bool AddWaypoint(LevelEdit& edit, float x, float y) {
  const int index = SelectedBrick(edit);
  if (index < 0) return false;
  std::vector<Waypoint>& path = edit.bricks[index].waypoints;
  if (static_cast<int>(path.size()) >= maxWaypoints) return false;
  SaveStep(edit);
  SnapPoint(edit, x, y);
  // A standing brick's one waypoint may carry any seconds; once it moves they time a leg.
  if (path.size() == 1) {
    path[0].seconds = std::clamp(path[0].seconds, editLegSecondsMin, editLegSecondsMax);
  }
  path.push_back({editLegSecondsMin, x, y});
  return true;
}

int WaypointAt(const LevelEdit& edit, float x, float y) {
  const int index = SelectedBrick(edit);
  if (index < 0) return -1;
  const std::vector<Waypoint>& path = edit.bricks[index].waypoints;
  // The last added first: it is the one drawn on top.
  for (int i = static_cast<int>(path.size()) - 1; i >= 0; --i) {
    if (std::fabs(path[i].x - x) <= editWaypointReach &&
        std::fabs(path[i].y - y) <= editWaypointReach) {
      return i;
    }
  }
  return -1;
}

void MoveWaypoint(LevelEdit& edit, int waypoint, float x, float y, bool newStep) {
  const int index = SelectedBrick(edit);
  if (index < 0 || waypoint < 0 ||
      waypoint >= static_cast<int>(edit.bricks[index].waypoints.size())) {
    return;
  }
  if (newStep) SaveStep(edit);
  SnapPoint(edit, x, y);
  Waypoint& w = edit.bricks[index].waypoints[waypoint];
  w.x = x;
  w.y = y;
  edit.unsaved = true;
}

bool RemoveWaypoint(LevelEdit& edit, int waypoint) {
  const int index = SelectedBrick(edit);
  if (index < 0) return false;
  std::vector<Waypoint>& path = edit.bricks[index].waypoints;
  if (path.size() <= 1 || waypoint < 0 || waypoint >= static_cast<int>(path.size())) return false;
  SaveStep(edit);
  path.erase(path.begin() + waypoint);
  return true;
}

void ChangeLegSeconds(LevelEdit& edit, int waypoint, int delta) {
  const int index = SelectedBrick(edit);
  if (index < 0 || waypoint < 0 ||
      waypoint >= static_cast<int>(edit.bricks[index].waypoints.size())) {
    return;
  }
  int& seconds = edit.bricks[index].waypoints[waypoint].seconds;
  const int changed = std::clamp(seconds + delta, editLegSecondsMin, editLegSecondsMax);
  if (changed == seconds) return;
  SaveStep(edit);
  edit.bricks[index].waypoints[waypoint].seconds = changed;
}

bool Undo(LevelEdit& edit) {
  if (edit.undo.empty()) return false;
  edit.redo.push_back({edit.bricks, edit.selected});
  edit.bricks = std::move(edit.undo.back().bricks);
  edit.selected = std::move(edit.undo.back().selected);
  edit.undo.pop_back();
  edit.unsaved = true;
  return true;
}

bool Redo(LevelEdit& edit) {
  if (edit.redo.empty()) return false;
  edit.undo.push_back({edit.bricks, edit.selected});
  edit.bricks = std::move(edit.redo.back().bricks);
  edit.selected = std::move(edit.redo.back().selected);
  edit.redo.pop_back();
  edit.unsaved = true;
  return true;
}

std::vector<std::string> LevelRefusals(const std::vector<BrickRecord>& bricks) {
  std::vector<std::string> refusals;
  for (int i = 0; i < static_cast<int>(bricks.size()); ++i) {
    const std::string fault = BrickFault(bricks[i]);
    if (!fault.empty()) refusals.push_back(BrickName(i) + ": " + fault);
  }
  return refusals;
}

std::vector<std::string> LevelWarnings(const std::vector<BrickRecord>& bricks) {
  std::vector<std::string> warnings;
  const int count = static_cast<int>(bricks.size());
  if (std::none_of(bricks.begin(), bricks.end(),
                   [](const BrickRecord& b) { return IsBreakableKind(b.kind); })) {
    warnings.push_back("no breakable brick: the level cannot be cleared");
  }
  const auto teleporters = std::count_if(bricks.begin(), bricks.end(), [](const BrickRecord& b) {
    return b.kind == obj::brickTeleport;
  });
  if (teleporters == 1) warnings.push_back("a teleporter without a partner");
  for (int i = 0; i < count; ++i) {
    for (const Waypoint& w : bricks[i].waypoints) {
      if (!InsidePlayfield(CellAt(w.x, w.y))) {
        warnings.push_back(BrickName(i) + " is outside the playfield");
        break;
      }
    }
  }
  // Where the bricks start; moving bricks may cross later, as the shipped rings do.
  for (int i = 0; i < count; ++i) {
    const Cell a = CellAt(BrickX(bricks[i]), BrickY(bricks[i]));
    for (int j = i + 1; j < count; ++j) {
      if (CellsOverlap(a, CellAt(BrickX(bricks[j]), BrickY(bricks[j])))) {
        warnings.push_back(BrickName(i) + " and " + BrickName(j) + " overlap");
      }
    }
  }
  return warnings;
}
