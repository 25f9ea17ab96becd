// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_screen.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/brick_record.h"
#include "core/game_files.h"
#include "core/game_state.h"
#include "core/screen.h"
#include "gameplay/guardian_scene.h"
#include "levels/level_file.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int paletteLeft = playRight + 8;
constexpr int paletteKindTop = 36;
constexpr int paletteKindColumns = 3;
constexpr int paletteKindStepX = 68, paletteKindStepY = 26;
constexpr int paletteCapsuleTop = 200;
constexpr int paletteCapsuleColumns = 4;
constexpr int paletteCapsuleStepX = 50, paletteCapsuleStepY = 28;
constexpr int statusLeft = paletteLeft;
constexpr int statusTop = 372;
constexpr int statusLineStep = 16;
constexpr int statusFontSize = 12;
constexpr const char* statusFontFace = "Designer Block";
constexpr float legLabelOffset = 10;  // pixels from a leg to its seconds
constexpr int messageShownFrames = 3 * frameRate;
// A press that moves less than this (in pixels) before it is let go is a click, not a drag.
constexpr int clickSlack = 3;

constexpr int white = RGB(0xFF, 0xFF, 0xFF), gold = RGB(0xFF, 0xD0, 0x40);
constexpr int ice = RGB(0xA0, 0xE0, 0xFF), red = RGB(0xFF, 0x50, 0x50);
constexpr int selectionColour = RGB(0xFF, 0xFF, 0x00), rectangleColour = RGB(0x80, 0xC0, 0xFF);
constexpr int pathColour = RGB(0x40, 0xFF, 0x80), otherPathColour = RGB(0x20, 0x80, 0x40);
constexpr int gridColour = RGB(0x30, 0x38, 0x48), cellColour = RGB(0x40, 0x48, 0x60);
constexpr int paletteColour = RGB(0x10, 0x10, 0x18), helpColour = RGB(0x80, 0x90, 0xA0);

constexpr int kindColumns[] = {obj::brickRed,         obj::brickGreen,
                               obj::brickBlue,        obj::brickYellow,
                               obj::brickMagenta,     obj::brickCyan,
                               obj::brickWhite,       obj::brickBlack,
                               obj::brickUnbreakable, obj::brick3Hits,
                               obj::brick2Hits,       obj::brick1Hit,
                               obj::brickTeleport,    0};
constexpr int capsuleColumns[] = {0,
                                  obj::capsuleTriple,
                                  obj::capsuleEnlarge,
                                  obj::capsuleFire,
                                  obj::capsuleLaser,
                                  obj::capsuleGlue,
                                  obj::capsuleMissile,
                                  obj::capsuleDoor,
                                  obj::capsuleRow,
                                  obj::capsuleBigger,
                                  obj::capsuleChaingun,
                                  obj::capsuleExtraLife,
                                  obj::capsuleMalus,
                                  obj::letterB,
                                  obj::letterO,
                                  obj::letterN,
                                  obj::letterU,
                                  obj::letterS};

bool ControlHeld() { return KeyboardPushed(keyLeftControl) || KeyboardPushed(keyRightControl); }
bool ShiftHeld() { return KeyboardPushed(keyLeftShift) || KeyboardPushed(keyRightShift); }

void Say(EditorScreen& screen, const std::string& text) {
  screen.message = text;
  screen.messageFrames = messageShownFrames;
}

std::string SourceFileName(int levelNumber) {
  return "level" + std::to_string(levelNumber) + ".lvl";
}

// The first line of a source, when it is a title (a comment that is not the header's).
std::string TitleOf(const std::string& source) {
  const std::string header = levelSourceHeader;
  const std::string first = source.substr(0, source.find('\n'));
  if (first.rfind("# ", 0) != 0 || header.rfind(first, 0) == 0) return "";
  return first.substr(2);
}

std::string KindText(int kind) { return kind == 0 ? "none" : BrickKindName(kind); }

const PaletteCell* PaletteCellAt(int x, int y) {
  for (const PaletteCell& cell : PaletteCells()) {
    if (x >= cell.x && x < cell.x + cell.width && y >= cell.y && y < cell.y + cell.height) {
      return &cell;
    }
  }
  return nullptr;
}

bool InPlayfield(int x, int y) {
  return x >= playLeft && x < playRight && y >= playTop && y < playBottom;
}

void MovePointer(EditorScreen& screen) {
  ExamineMouse();
  screen.pointerX = std::clamp(screen.pointerX + MouseDeltaX(), 0, screenWidth - 1);
  screen.pointerY = std::clamp(screen.pointerY + MouseDeltaY(), 0, screenHeight - 1);
}

void ChoosePalette(EditorScreen& screen, const PaletteCell& cell) {
  if (!cell.isCapsule) {
    screen.kind = cell.value;
    if (!screen.edit.selected.empty() && cell.value != 0) SetSelectionKind(screen.edit, cell.value);
    return;
  }
  screen.capsule = cell.value;
  if (!screen.edit.selected.empty()) SetSelectionCapsule(screen.edit, cell.value);
}

void PressLeft(EditorScreen& screen) {
  const int x = screen.pointerX, y = screen.pointerY;
  if (const PaletteCell* cell = PaletteCellAt(x, y)) {
    ChoosePalette(screen, *cell);
    return;
  }
  if (!InPlayfield(x, y)) return;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  screen.dragStartX = fx;
  screen.dragStartY = fy;
  screen.dragDoneX = screen.dragDoneY = 0;
  screen.dragStepTaken = false;
  LevelEdit& edit = screen.edit;
  if (screen.pathMode && SelectedBrick(edit) >= 0) {
    const int waypoint = WaypointAt(edit, fx, fy);
    if (waypoint >= 0) {
      screen.drag = EditorDrag::waypoint;
      screen.dragWaypoint = waypoint;
    } else if (!AddWaypoint(edit, fx, fy)) {
      Say(screen, "a path holds at most " + std::to_string(maxWaypoints) + " waypoints");
    }
    return;
  }
  const int brick = BrickIndexAt(edit, fx, fy);
  if (brick >= 0) {
    if (ShiftHeld()) {
      SelectBrick(edit, brick, true);
    } else if (!IsSelected(edit, brick)) {
      SelectBrick(edit, brick, false);
    }
    if (IsSelected(edit, brick)) screen.drag = EditorDrag::bricks;
    return;
  }
  // Empty ground: a click places a brick, a drag selects a rectangle.
  screen.drag = EditorDrag::place;
}

void DragLeft(EditorScreen& screen) {
  const float fx = static_cast<float>(screen.pointerX), fy = static_cast<float>(screen.pointerY);
  LevelEdit& edit = screen.edit;
  switch (screen.drag) {
    case EditorDrag::bricks: {
      // Moved by whole brick steps on the grid, so a grid level stays on its grid.
      float dx = fx - screen.dragStartX, dy = fy - screen.dragStartY;
      if (edit.grid) {
        dx = std::round(dx / cellWidth) * cellWidth;
        dy = std::round(dy / cellHeight) * cellHeight;
      }
      const float stepX = dx - screen.dragDoneX, stepY = dy - screen.dragDoneY;
      if (stepX != 0 || stepY != 0) {
        MoveSelection(edit, stepX, stepY, !screen.dragStepTaken);
        screen.dragStepTaken = true;
        screen.dragDoneX = dx;
        screen.dragDoneY = dy;
      }
      break;
    }
    case EditorDrag::waypoint:
      if (std::fabs(fx - screen.dragStartX) > clickSlack ||
          std::fabs(fy - screen.dragStartY) > clickSlack) {
        MoveWaypoint(edit, screen.dragWaypoint, fx, fy, !screen.dragStepTaken);
        screen.dragStepTaken = true;
      }
      break;
    case EditorDrag::place:
      if (std::fabs(fx - screen.dragStartX) > clickSlack ||
          std::fabs(fy - screen.dragStartY) > clickSlack) {
        screen.drag = EditorDrag::rectangle;
      }
      break;
    default:
      break;
  }
}

void ReleaseLeft(EditorScreen& screen) {
  LevelEdit& edit = screen.edit;
  if (screen.drag == EditorDrag::place) {
    if (screen.kind != 0) {
      PlaceBrick(edit, screen.kind, screen.dragStartX, screen.dragStartY, screen.capsule);
    } else {
      ClearSelection(edit);
    }
  } else if (screen.drag == EditorDrag::rectangle) {
    SelectInRectangle(edit, screen.dragStartX, screen.dragStartY,
                      static_cast<float>(screen.pointerX), static_cast<float>(screen.pointerY));
  }
  screen.drag = EditorDrag::none;
}

void PressRight(EditorScreen& screen) {
  const float fx = static_cast<float>(screen.pointerX), fy = static_cast<float>(screen.pointerY);
  LevelEdit& edit = screen.edit;
  if (screen.pathMode) {
    const int waypoint = WaypointAt(edit, fx, fy);
    if (waypoint >= 0 && !RemoveWaypoint(edit, waypoint)) Say(screen, "a brick keeps its place");
    return;
  }
  const int brick = BrickIndexAt(edit, fx, fy);
  if (brick < 0) return;
  SelectBrick(edit, brick, false);
  RemoveSelection(edit);
}

// The leg the wheel and + - change: the waypoint under the pointer, else the last one.
int LegToChange(const EditorScreen& screen) {
  const int brick = SelectedBrick(screen.edit);
  if (brick < 0) return -1;
  const int under = WaypointAt(screen.edit, static_cast<float>(screen.pointerX),
                               static_cast<float>(screen.pointerY));
  if (under >= 0) return under;
  return static_cast<int>(screen.edit.bricks[brick].waypoints.size()) - 1;
}

EditorRequest HandleKeys(EditorScreen& screen) {
  LevelEdit& edit = screen.edit;
  // The keys act as they come up; a quick Ctrl+Z has often let go of Ctrl by the frame Z comes
  // up in, so Ctrl held on the frame before counts too.
  const bool control = ControlHeld() || screen.controlBefore;
  screen.controlBefore = ControlHeld();
  const bool escape = KeyboardPushed(keyEscape) && !screen.escapeDown;
  screen.escapeDown = KeyboardPushed(keyEscape);
  if (screen.askLeave) {
    if (escape) return EditorRequest::leave;
    if ((KeyboardPushed(-1) && !KeyboardPushed(keyEscape)) || MouseButtonPressed(1)) {
      screen.askLeave = false;
      Say(screen, "still editing");
    }
    return EditorRequest::stay;
  }
  if (escape) {
    if (screen.playing) {
      screen.playing = false;
    } else if (screen.pathMode) {
      screen.pathMode = false;
    } else if (edit.unsaved) {
      screen.askLeave = true;
    } else {
      return EditorRequest::leave;
    }
  }
  if (KeyboardReleased(keyF5)) {
    // Play takes the bricks as they are: what the loader would refuse is not played either.
    const std::vector<std::string> refusals = LevelRefusals(edit.bricks);
    if (refusals.empty()) return EditorRequest::playLevel;
    Say(screen, "not played: " + refusals.front());
  }
  if (control && KeyboardReleased(keyS)) SaveEditedLevel(screen);
  if (control && KeyboardReleased(keyZ)) {
    if (!Undo(edit)) Say(screen, "nothing to undo");
  }
  if (control && KeyboardReleased(keyY)) {
    if (!Redo(edit)) Say(screen, "nothing to redo");
  }
  if (control && KeyboardReleased(keyC)) {
    CopySelection(edit);
    Say(screen, std::to_string(edit.clipboard.size()) + " bricks copied");
  }
  if (control && KeyboardReleased(keyV)) {
    if (!Paste(edit, static_cast<float>(screen.pointerX), static_cast<float>(screen.pointerY))) {
      Say(screen, "nothing copied yet");
    }
  }
  if (control && KeyboardReleased(keyA)) SelectInRectangle(edit, 0, 0, screenWidth, screenHeight);
  if (!control && KeyboardReleased(keyG)) {
    edit.grid = !edit.grid;
    Say(screen, edit.grid ? "grid on" : "grid off");
  }
  if (!control && KeyboardReleased(keyM)) MirrorSelection(edit);
  if (!control && KeyboardReleased(keyW)) {
    screen.pathMode = !screen.pathMode && SelectedBrick(edit) >= 0;
    if (!screen.pathMode && SelectedBrick(edit) < 0) Say(screen, "select one brick for its path");
  }
  if (KeyboardReleased(keyDelete) || KeyboardReleased(keyBackspace)) RemoveSelection(edit);
  if (KeyboardReleased(keySpace)) {
    screen.playing = !screen.playing;
    screen.playFrame = 0;
  }
  int delta = MouseWheel();
  if (KeyboardReleased(keyEquals)) ++delta;
  if (KeyboardReleased(keyMinus)) --delta;
  if (delta != 0) {
    const int leg = LegToChange(screen);
    if (leg >= 0) ChangeLegSeconds(edit, leg, delta);
  }
  return EditorRequest::stay;
}

void HandlePointer(EditorScreen& screen) {
  if (MouseButtonPressed(1)) {
    PressLeft(screen);
  } else if (MouseButton(1)) {
    DragLeft(screen);
  } else if (screen.drag != EditorDrag::none) {
    DragLeft(screen);
    ReleaseLeft(screen);
  }
  if (MouseButtonPressed(2)) PressRight(screen);
  const int brick = SelectedBrick(screen.edit);
  screen.hoverWaypoint = brick < 0 ? -1 : LegToChange(screen);
}

// ------------------------------------------------------------------ drawing

void DrawBrickPicture(int kind, float cx, float cy, int alpha) {
  const float w = static_cast<float>(Sprite3DWidth(kind));
  const float h = static_cast<float>(Sprite3DHeight(kind));
  DisplaySprite3D(kind, Nearest(cx - w / 2), Nearest(cy - h / 2), alpha);
}

void DrawCapsulePicture(int capsule, float cx, float cy) {
  const float w = static_cast<float>(Sprite3DWidth(capsule));
  const float h = static_cast<float>(Sprite3DHeight(capsule));
  DisplaySprite3D(capsule, Nearest(cx - w / 2), Nearest(cy - h / 2));
}

void DrawLevelBricks(const EditorScreen& screen) {
  for (const BrickRecord& brick : screen.edit.bricks) {
    float x = BrickX(brick), y = BrickY(brick);
    if (screen.playing) BrickPlaceAt(brick, screen.playFrame, x, y);
    DrawBrickPicture(brick.kind, x, y, 255);
    // A brick's capsule shows on it, half size, so the level reads at a glance.
    if (brick.capsule != 0 && !screen.playing) DrawCapsulePicture(brick.capsule, x, y);
  }
}

void DrawPalettePictures(const EditorScreen& screen) {
  for (const PaletteCell& cell : PaletteCells()) {
    if (cell.value == 0) continue;
    const float cx = cell.x + cell.width / 2.0f, cy = cell.y + cell.height / 2.0f;
    if (cell.isCapsule) {
      DrawCapsulePicture(cell.value, cx, cy);
    } else {
      DrawBrickPicture(cell.value, cx, cy, 255);
    }
  }
  (void)screen;
}

void Outline(int x, int y, int width, int height, int colour) {
  Line(x, y, x + width - 1, y, colour);
  Line(x, y + height - 1, x + width - 1, y + height - 1, colour);
  Line(x, y, x, y + height - 1, colour);
  Line(x + width - 1, y, x + width - 1, y + height - 1, colour);
}

void DrawGrid() {
  for (int x = playLeft; x <= playRight; x += cellWidth)
    Line(x, playTop, x, playBottom - 1, gridColour);
  for (int y = playTop; y < playBottom; y += cellHeight)
    Line(playLeft, y, playRight - 1, y, gridColour);
}

void DrawPaths(const EditorScreen& screen) {
  const LevelEdit& edit = screen.edit;
  for (int i = 0; i < static_cast<int>(edit.bricks.size()); ++i) {
    const std::vector<Waypoint>& path = edit.bricks[i].waypoints;
    const bool selected = IsSelected(edit, i);
    if (path.size() > 1) {
      const int colour = selected ? pathColour : otherPathColour;
      for (std::size_t w = 0; w < path.size(); ++w) {
        const Waypoint& a = path[w];
        const Waypoint& b = path[(w + 1) % path.size()];
        Line(Nearest(a.x), Nearest(a.y), Nearest(b.x), Nearest(b.y), colour);
        Box(Nearest(a.x) - 3, Nearest(a.y) - 3, 7, 7, colour);
        if (selected) {
          // Each leg's seconds beside its middle, on its right-hand side as it travels: the legs
          // there and back between two waypoints get a side each.
          const float dx = b.x - a.x, dy = b.y - a.y;
          const float length = std::max(1.0f, std::hypot(dx, dy));
          const std::string seconds = std::to_string(a.seconds) + " s";
          const float x =
              (a.x + b.x) / 2 - dy / length * legLabelOffset - TextWidth(seconds) / 2.0f;
          const float y =
              (a.y + b.y) / 2 + dx / length * legLabelOffset - TextHeight(seconds) / 2.0f;
          const int colourText = static_cast<int>(w) == screen.hoverWaypoint ? gold : white;
          DrawText(Nearest(x), Nearest(y), seconds, colourText, 0);
        }
      }
    }
    if (selected) {
      Outline(Nearest(BrickX(edit.bricks[i]) - cellWidth / 2.0f) - 1,
              Nearest(BrickY(edit.bricks[i]) - cellHeight / 2.0f) - 1, cellWidth + 2,
              cellHeight + 2, selectionColour);
    }
  }
}

void DrawPaletteFrames(const EditorScreen& screen) {
  Box(playRight, 0, screenWidth - playRight, screenHeight, paletteColour);
  DrawText(paletteLeft, 14, "BRICKS", gold, 0);
  DrawText(paletteLeft, paletteCapsuleTop - 22, "CAPSULES", gold, 0);
  for (const PaletteCell& cell : PaletteCells()) {
    const bool chosen = cell.isCapsule ? cell.value == screen.capsule : cell.value == screen.kind;
    if (cell.value == 0) DrawText(cell.x + 6, cell.y + cell.height / 2 - 7, "none", ice, 0);
    Outline(cell.x, cell.y, cell.width, cell.height, chosen ? selectionColour : cellColour);
  }
}

std::vector<std::string> Wrapped(const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t space = text.find(' ', at);
    if (space == std::string::npos) space = text.size();
    std::string word = text.substr(at, space - at);
    // A word wider than the line (a folder's name) is cut where it reaches the edge.
    while (TextWidth(word) > width && word.size() > 1) {
      std::size_t fits = word.size() - 1;
      while (fits > 1 && TextWidth(word.substr(0, fits)) > width) --fits;
      if (!line.empty()) lines.push_back(line);
      lines.push_back(word.substr(0, fits));
      line.clear();
      word.erase(0, fits);
    }
    const std::string tried = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(tried) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = tried;
    }
    at = space + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void DrawStatus(const EditorScreen& screen) {
  const int width = screenWidth - statusLeft - 6;
  int y = statusTop;
  auto put = [&](const std::string& text, int colour) {
    for (const std::string& line : Wrapped(text, width)) {
      if (y > screenHeight - statusLineStep) return;
      DrawText(statusLeft, y, line, colour, 0);
      y += statusLineStep;
    }
  };
  put("LEVEL " + std::to_string(screen.levelNumber) + (screen.edit.unsaved ? "  (unsaved)" : ""),
      gold);
  put(EditorStatus(screen), white);
  for (const std::string& warning : LevelRefusals(screen.edit.bricks))
    put("refused: " + warning, red);
  for (const std::string& warning : LevelWarnings(screen.edit.bricks))
    put("warning: " + warning, red);
  if (screen.askLeave) put("Unsaved changes: Escape again leaves, any other key stays.", gold);
  if (screen.messageFrames > 0) put(screen.message, ice);
  y += statusLineStep / 2;
  put(screen.pathMode ? "PATH: click adds a waypoint, drag moves one, right click removes, "
                        "wheel or + - sets a leg's seconds, W or Escape ends"
                      : "click places, drag moves or selects, right click or Delete removes, "
                        "W path, M mirror, G grid, Space motion, Ctrl+Z Y C V S, F5 play",
      helpColour);
}

void DrawPointer(const EditorScreen& screen) {
  const int x = screen.pointerX, y = screen.pointerY;
  if (screen.drag == EditorDrag::rectangle) {
    const int left = std::min(x, Nearest(screen.dragStartX)),
              top = std::min(y, Nearest(screen.dragStartY));
    Outline(left, top, std::abs(x - Nearest(screen.dragStartX)) + 1,
            std::abs(y - Nearest(screen.dragStartY)) + 1, rectangleColour);
  }
  Line(x - 8, y, x + 8, y, white);
  Line(x, y - 8, x, y + 8, white);
}

void DrawEditor(EditorScreen& screen) {
  ClearScreen(0);
  if (Start3D()) {
    Set3DViewport(playLeft, playClipTop, playWidth, playClipHeight);
    DrawScenery();
    Sprite3DBlendingMode(blendTransparent);
    DrawLevelBricks(screen);
    Set3DViewport(0, 0, screenWidth, screenHeight);
    Stop3D();
  }
  if (StartDrawing()) {
    DrawingMode(1);
    DrawingFont(obj::fontEditor);
    if (screen.edit.grid && !screen.playing) DrawGrid();
    DrawPaths(screen);
    DrawPaletteFrames(screen);
    DrawStatus(screen);
    StopDrawing();
  }
  if (Start3D()) {
    Sprite3DBlendingMode(blendTransparent);
    DrawPalettePictures(screen);
    Stop3D();
  }
  if (StartDrawing()) {
    DrawPointer(screen);
    StopDrawing();
  }
}

}  // namespace

const std::vector<PaletteCell>& PaletteCells() {
  static const std::vector<PaletteCell> cells = [] {
    std::vector<PaletteCell> list;
    int i = 0;
    for (const int kind : kindColumns) {
      list.push_back({paletteLeft + (i % paletteKindColumns) * paletteKindStepX,
                      paletteKindTop + (i / paletteKindColumns) * paletteKindStepY, cellWidth + 2,
                      cellHeight + 4, false, kind});
      ++i;
    }
    i = 0;
    for (const int capsule : capsuleColumns) {
      list.push_back({paletteLeft + (i % paletteCapsuleColumns) * paletteCapsuleStepX,
                      paletteCapsuleTop + (i / paletteCapsuleColumns) * paletteCapsuleStepY,
                      paletteCapsuleStepX - 4, paletteCapsuleStepY - 4, true, capsule});
      ++i;
    }
    return list;
  }();
  return cells;
}

void BrickPlaceAt(const BrickRecord& brick, int frames, float& x, float& y) {
  const std::vector<Waypoint>& path = brick.waypoints;
  x = path.front().x;
  y = path.front().y;
  if (path.size() < 2) return;
  int cycle = 0;
  for (const Waypoint& w : path) cycle += w.seconds * frameRate;
  if (cycle <= 0) return;
  int at = frames % cycle;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const int leg = path[i].seconds * frameRate;
    if (at < leg) {
      const Waypoint& next = path[(i + 1) % path.size()];
      const float t = static_cast<float>(at) / static_cast<float>(leg);
      x = path[i].x + (next.x - path[i].x) * t;
      y = path[i].y + (next.y - path[i].y) * t;
      return;
    }
    at -= leg;
  }
}

std::string EditorStatus(const EditorScreen& screen) {
  const LevelEdit& edit = screen.edit;
  std::string text = "kind " + KindText(screen.kind) + ", capsule " + CapsuleName(screen.capsule) +
                     ", at " + std::to_string(screen.pointerX) + "," +
                     std::to_string(screen.pointerY) + ", " + std::to_string(edit.bricks.size()) +
                     " bricks";
  if (!edit.selected.empty()) text += " (" + std::to_string(edit.selected.size()) + " selected)";
  text += edit.grid ? ", grid on" : ", grid off";
  return text;
}

void OpenEditedLevel(EditorScreen& screen, int levelNumber) {
  screen.levelNumber = levelNumber;
  screen.title.clear();
  std::vector<BrickRecord> bricks;
  std::string bytes, error;
  const std::string folder = PlayerLevelFolder(false);
  std::string from;
  if (!folder.empty() && FileExists(folder + SourceFileName(levelNumber)) &&
      ReadFileBytes(folder + SourceFileName(levelNumber), bytes)) {
    if (ParseLevelSource(bytes, bricks, error)) {
      screen.title = TitleOf(bytes);
      from = "your copy " + folder + SourceFileName(levelNumber);
    }
  }
  if (from.empty() && !folder.empty() && FileExists(folder + LevelFileName(levelNumber)) &&
      ReadFileBytes(folder + LevelFileName(levelNumber), bytes) &&
      DecodeLevel(bytes, bricks, error)) {
    from = "your copy " + folder + LevelFileName(levelNumber);
  }
  if (from.empty() && FileExists(LevelFileName(levelNumber)) &&
      ReadFileBytes(LevelFileName(levelNumber), bytes) && DecodeLevel(bytes, bricks, error)) {
    from = "the shipped level";
  }
  if (from.empty()) {
    bricks.clear();
    from = error.empty() ? "a new, empty level" : "an empty level (" + error + ")";
  }
  if (screen.title.empty())
    screen.title = "Level " + std::to_string(levelNumber) + ", made in the editor";
  StartEdit(screen.edit, bricks);
  Say(screen, "opened " + from);
}

bool SaveEditedLevel(EditorScreen& screen) {
  const std::vector<std::string> refusals = LevelRefusals(screen.edit.bricks);
  if (!refusals.empty()) {
    Say(screen, "not saved: " + refusals.front());
    return false;
  }
  const std::string folder = PlayerLevelFolder(true);
  if (folder.empty()) {
    Say(screen, "not saved: there is no folder for your levels");
    return false;
  }
  const std::string source = folder + SourceFileName(screen.levelNumber);
  const std::string level = folder + LevelFileName(screen.levelNumber);
  if (!WriteFileAtomically(source, WriteLevelSource(screen.edit.bricks, screen.title)) ||
      !WriteFileAtomically(level, EncodeLevel(screen.edit.bricks))) {
    Say(screen, "not saved: " + folder + " could not be written");
    return false;
  }
  screen.edit.unsaved = false;
  Say(screen, "saved " + level);
  return true;
}

void ShowEditor(EditorScreen& screen) {
  LoadFont(obj::fontEditor, statusFontFace, statusFontSize);
  game.levelNumber = screen.levelNumber;
  SetUpScenery();
  screen.drag = EditorDrag::none;
  screen.escapeDown = true;
  ReleaseMouse(false);
  ForgetInput();
}

EditorRequest EditorFrame(EditorScreen& screen) {
  ExamineKeyboard();
  MovePointer(screen);
  const EditorRequest request = HandleKeys(screen);
  if (request == EditorRequest::stay && !screen.askLeave) HandlePointer(screen);
  if (screen.playing) ++screen.playFrame;
  if (screen.messageFrames > 0) --screen.messageFrames;
  DrawEditor(screen);
  PresentFrame();
  return request;
}
