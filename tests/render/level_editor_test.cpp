// SPDX-License-Identifier: GPL-3.0-or-later
// The level editor driven frame by frame with pushed input, on the real packs and level files,
// with the player's data folder in a scratch folder: placing, selecting, moving and removing
// bricks, the palette, paths, undo and redo, the save and its round trip, leaving with unsaved
// changes, and a test play and the return from it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "console/console.h"
#include "core/game_files.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "editor/editor_screen.h"
#include "levels/level_file.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/sdl_events.h"

namespace {

float GridX(int c) { return playLeft + cellWidth * c + cellWidth / 2.0f; }
float GridY(int r) { return playTop + cellHeight * r + cellHeight / 2.0f; }

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool PushWheel(int clicks) {
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.y = clicks;
  event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  return SDL_PushEvent(&event) == 1;
}

class LevelEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() /
            ("kaldo_editor_" + std::to_string(getpid()) + "_" + test->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    if (const char* value = std::getenv("XDG_DATA_HOME")) saved_ = value;
    setenv("XDG_DATA_HOME", root_.c_str(), 1);

    SetMessageBoxesSilent(true);
    StartUp();
    SetFrameLimiterEnabled(false);
    ResetGameForNewGame();
    LoadFont(obj::fontText, "Arial black", 25);
    SetUpConsole();
    LoadAssets();
  }
  void TearDown() override {
    ShutdownMedia();
    if (saved_) {
      setenv("XDG_DATA_HOME", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
    std::filesystem::remove_all(root_);
  }

  std::filesystem::path LevelFolder() const { return root_ / "kaldovirent" / "levels"; }

  void Open(int level) {
    OpenEditedLevel(screen_, level);
    ShowEditor(screen_);
    Frame();
  }
  EditorRequest Frame() { return EditorFrame(screen_); }
  void MoveTo(float x, float y) {
    ASSERT_TRUE(PushMouseMotion(static_cast<int>(x) - screen_.pointerX,
                                static_cast<int>(y) - screen_.pointerY, 0, 0));
    Frame();
    ASSERT_EQ(screen_.pointerX, static_cast<int>(x));
    ASSERT_EQ(screen_.pointerY, static_cast<int>(y));
  }
  void Click(Uint8 button = SDL_BUTTON_LEFT) {
    ASSERT_TRUE(PushMouseButton(button, true));
    Frame();
    ASSERT_TRUE(PushMouseButton(button, false));
    Frame();
  }
  void ClickAt(float x, float y, Uint8 button = SDL_BUTTON_LEFT) {
    MoveTo(x, y);
    Click(button);
  }
  // Press, move in a few steps, let go.
  void Drag(float fromX, float fromY, float toX, float toY) {
    MoveTo(fromX, fromY);
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
    Frame();
    for (int step = 1; step <= 4; ++step) {
      MoveTo(fromX + (toX - fromX) * step / 4, fromY + (toY - fromY) * step / 4);
    }
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
    Frame();
  }
  EditorRequest Tap(SDL_Scancode key) {
    EXPECT_TRUE(PushKey(key, true));
    const EditorRequest down = Frame();
    EXPECT_TRUE(PushKey(key, false));
    const EditorRequest up = Frame();
    return down != EditorRequest::stay ? down : up;
  }
  void Control(SDL_Scancode key) {
    ASSERT_TRUE(PushKey(SDL_SCANCODE_LCTRL, true));
    Tap(key);
    ASSERT_TRUE(PushKey(SDL_SCANCODE_LCTRL, false));
    Frame();
  }
  static const PaletteCell& Cell(bool capsule, int value) {
    for (const PaletteCell& cell : PaletteCells()) {
      if (cell.isCapsule == capsule && cell.value == value) return cell;
    }
    ADD_FAILURE() << "no palette cell for " << value;
    return PaletteCells().front();
  }
  void ChoosePalette(bool capsule, int value) {
    const PaletteCell& cell = Cell(capsule, value);
    ClickAt(cell.x + cell.width / 2.0f, cell.y + cell.height / 2.0f);
  }
  const std::vector<BrickRecord>& Bricks() const { return screen_.edit.bricks; }

  EditorScreen screen_;
  std::filesystem::path root_;
  std::optional<std::string> saved_;
};

TEST_F(LevelEditor, OpensThePlayersCopyElseTheShippedLevelElseAnEmptyOne) {
  std::vector<BrickRecord> shipped;
  std::string error;
  ASSERT_TRUE(DecodeLevel(ReadWhole("level3.dat"), shipped, error)) << error;
  ASSERT_FALSE(shipped.empty());
  Open(3);
  EXPECT_EQ(Bricks(), shipped);
  EXPECT_EQ(screen_.message, "opened the shipped level");
  EXPECT_FALSE(screen_.edit.unsaved);

  // The player's source wins, and its title comes with it.
  std::filesystem::create_directories(LevelFolder());
  const std::vector<BrickRecord> mine = {{obj::brickGreen, 0, {{1, GridX(4), GridY(4)}}}};
  std::ofstream(LevelFolder() / "level3.lvl") << WriteLevelSource(mine, "Mine, all mine");
  Open(3);
  EXPECT_EQ(Bricks(), mine);
  EXPECT_EQ(screen_.title, "Mine, all mine");

  // A level number with no file at all is an empty level.
  Open(77);
  EXPECT_TRUE(Bricks().empty());
  EXPECT_EQ(screen_.message, "opened a new, empty level");
}

TEST_F(LevelEditor, ClicksPlaceSelectMoveAndRemoveWithUndoAndRedo) {
  Open(77);
  // A click in a cell places the palette's brick on the cell's centre.
  ClickAt(GridX(2) + 20, GridY(3) + 6);
  ASSERT_EQ(Bricks().size(), 1u);
  EXPECT_EQ(Bricks()[0], (BrickRecord{obj::brickRed, 0, {{1, GridX(2), GridY(3)}}}));

  // Choosing a kind with a brick selected changes that brick; the next click places that kind.
  ChoosePalette(false, obj::brickBlue);
  EXPECT_EQ(Bricks()[0].kind, obj::brickBlue);
  ClickAt(GridX(6), GridY(3));
  ASSERT_EQ(Bricks().size(), 2u);
  EXPECT_EQ(Bricks()[1].kind, obj::brickBlue);

  // The grid off: a brick goes exactly where the click is.
  Tap(SDL_SCANCODE_G);
  EXPECT_FALSE(screen_.edit.grid);
  ClickAt(500, 401);
  ASSERT_EQ(Bricks().size(), 3u);
  EXPECT_EQ(Bricks()[2].waypoints[0], (Waypoint{1, 500, 401}));
  Tap(SDL_SCANCODE_G);

  // Dragging the first brick two brick steps to the right and one down.
  Drag(GridX(2), GridY(3), GridX(4) + 5, GridY(4) - 3);
  EXPECT_EQ(Bricks()[0].waypoints[0], (Waypoint{1, GridX(4), GridY(4)}));
  EXPECT_EQ(screen_.edit.selected, std::vector<int>{0});

  // A right click removes the brick under the pointer; Delete removes the selection.
  ClickAt(GridX(6), GridY(3), SDL_BUTTON_RIGHT);
  ASSERT_EQ(Bricks().size(), 2u);
  ClickAt(500, 401);  // selects the brick there (a click on a brick never places another)
  ASSERT_EQ(Bricks().size(), 2u);
  Tap(SDL_SCANCODE_DELETE);
  ASSERT_EQ(Bricks().size(), 1u);
  EXPECT_EQ(Bricks()[0].waypoints[0], (Waypoint{1, GridX(4), GridY(4)}));

  // Undo twice brings both back as they were; redo takes the last one away again. The second
  // Ctrl+Z is quick: Ctrl comes up with Z, in the same frame.
  Control(SDL_SCANCODE_Z);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_LCTRL, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_Z, true));
  Frame();
  ASSERT_TRUE(PushKey(SDL_SCANCODE_Z, false));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_LCTRL, false));
  Frame();
  ASSERT_EQ(Bricks().size(), 3u);
  EXPECT_EQ(Bricks()[1], (BrickRecord{obj::brickBlue, 0, {{1, GridX(6), GridY(3)}}}));
  Control(SDL_SCANCODE_Y);
  EXPECT_EQ(Bricks().size(), 2u);
  EXPECT_TRUE(screen_.edit.unsaved);
}

TEST_F(LevelEditor, RectangleCopyPasteMirrorAndCapsuleFromThePalette) {
  Open(77);
  ClickAt(GridX(0), GridY(2));
  ClickAt(GridX(1), GridY(2));
  ClickAt(GridX(5), GridY(12));
  ASSERT_EQ(Bricks().size(), 3u);
  // A drag from empty ground selects every brick it meets.
  Drag(GridX(0) - 20, GridY(0), GridX(2), GridY(4));
  EXPECT_EQ(screen_.edit.selected, (std::vector<int>{0, 1}));
  EXPECT_EQ(Bricks().size(), 3u);  // a drag places nothing

  // The capsule goes to both selected bricks.
  ChoosePalette(true, obj::capsuleLaser);
  EXPECT_EQ(Bricks()[0].capsule, obj::capsuleLaser);
  EXPECT_EQ(Bricks()[1].capsule, obj::capsuleLaser);
  EXPECT_EQ(Bricks()[2].capsule, 0);

  // Copied, pasted at the pointer, and the copy mirrored to the other side.
  Control(SDL_SCANCODE_C);
  MoveTo(GridX(0), GridY(8));
  Control(SDL_SCANCODE_V);
  ASSERT_EQ(Bricks().size(), 5u);
  EXPECT_EQ(screen_.edit.selected, (std::vector<int>{3, 4}));
  Tap(SDL_SCANCODE_M);
  EXPECT_EQ(Bricks()[3],
            (BrickRecord{
                obj::brickRed, obj::capsuleLaser, {{1, 2.0f * playCentreX - GridX(0), GridY(8)}}}));
  EXPECT_EQ(Bricks()[4],
            (BrickRecord{
                obj::brickRed, obj::capsuleLaser, {{1, 2.0f * playCentreX - GridX(1), GridY(8)}}}));
  EXPECT_EQ(Bricks()[0].waypoints[0], (Waypoint{1, GridX(0), GridY(2)}));  // the original stays

  // The capsule chosen stays the palette's: the next brick placed holds it, and one undo takes
  // the whole brick away.
  ClickAt(GridX(5), GridY(20));
  ASSERT_EQ(Bricks().size(), 6u);
  EXPECT_EQ(Bricks()[5].capsule, obj::capsuleLaser);
  Control(SDL_SCANCODE_Z);
  EXPECT_EQ(Bricks().size(), 5u);
}

TEST_F(LevelEditor, PathsByClicksTheWheelAndPlusAndMinus) {
  Open(77);
  ClickAt(GridX(1), GridY(2));
  Tap(SDL_SCANCODE_W);
  ASSERT_TRUE(screen_.pathMode);
  ClickAt(GridX(8), GridY(2));
  ClickAt(GridX(8), GridY(10));
  ASSERT_EQ(Bricks().size(), 1u);  // clicks in path mode place no brick
  ASSERT_EQ(Bricks()[0].waypoints.size(), 3u);

  // The wheel over a waypoint sets the leg that starts there; + and - the same.
  MoveTo(GridX(8), GridY(2));
  ASSERT_TRUE(PushWheel(3));
  Frame();
  EXPECT_EQ(Bricks()[0].waypoints[1].seconds, 4);
  Tap(SDL_SCANCODE_EQUALS);
  EXPECT_EQ(Bricks()[0].waypoints[1].seconds, 5);
  Tap(SDL_SCANCODE_MINUS);
  Tap(SDL_SCANCODE_MINUS);
  EXPECT_EQ(Bricks()[0].waypoints[1].seconds, 3);
  ASSERT_TRUE(PushWheel(-100));
  Frame();
  EXPECT_EQ(Bricks()[0].waypoints[1].seconds, editLegSecondsMin);

  // A waypoint dragged, then removed with a right click.
  Drag(GridX(8), GridY(10), GridX(4), GridY(10));
  EXPECT_EQ(Bricks()[0].waypoints[2], (Waypoint{1, GridX(4), GridY(10)}));
  ClickAt(GridX(4), GridY(10), SDL_BUTTON_RIGHT);
  EXPECT_EQ(Bricks()[0].waypoints.size(), 2u);

  // Space plays the motion: after a second the brick stands on its second waypoint.
  Tap(SDL_SCANCODE_W);
  EXPECT_FALSE(screen_.pathMode);
  Tap(SDL_SCANCODE_SPACE);
  ASSERT_TRUE(screen_.playing);
  float x = 0, y = 0;
  BrickPlaceAt(Bricks()[0], frameRate, x, y);
  EXPECT_EQ(x, GridX(8));
  BrickPlaceAt(Bricks()[0], 25, x, y);  // a third of the way along the first leg
  EXPECT_FLOAT_EQ(x, GridX(1) + (GridX(8) - GridX(1)) * 25 / frameRate);
  BrickPlaceAt(Bricks()[0], 2 * frameRate, x, y);  // back at the start after both legs
  EXPECT_EQ(x, GridX(1));
  Tap(SDL_SCANCODE_SPACE);
  EXPECT_FALSE(screen_.playing);
}

TEST_F(LevelEditor, SaveWritesSourceAndLevelFileThatReadBackBitForBit) {
  const std::string shippedBefore = ReadWhole("level3.dat");
  Open(3);
  ClickAt(GridX(0), GridY(30));
  ChoosePalette(true, obj::capsuleFire);
  Tap(SDL_SCANCODE_W);
  ClickAt(GridX(9), GridY(30));
  Tap(SDL_SCANCODE_W);
  Control(SDL_SCANCODE_S);
  EXPECT_FALSE(screen_.edit.unsaved);

  std::vector<BrickRecord> fromSource, fromFile;
  std::string error;
  const std::string source = ReadWhole(LevelFolder() / "level3.lvl");
  ASSERT_TRUE(ParseLevelSource(source, fromSource, error)) << error;
  ASSERT_TRUE(DecodeLevel(ReadWhole(LevelFolder() / "level3.dat"), fromFile, error)) << error;
  EXPECT_EQ(fromSource, Bricks());
  EXPECT_EQ(fromFile, Bricks());
  EXPECT_EQ(ReadWhole(LevelFolder() / "level3.dat"), EncodeLevel(Bricks()));
  EXPECT_EQ(source.rfind("# Level 3, made in the editor\n# One brick a line.", 0), 0u);
  // Nothing else in the folder (no temporary left behind), and the shipped level untouched.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LevelFolder())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2);
  EXPECT_EQ(ReadWhole("level3.dat"), shippedBefore);

  // Play now reads the player's copy for level 3.
  EXPECT_EQ(PlayableLevelFile("level3.dat"), (LevelFolder() / "level3.dat").string());
  game.levelNumber = 3;
  LoadLevel();
  EXPECT_EQ(game.bricks.Count(), static_cast<int>(Bricks().size()));
}

TEST_F(LevelEditor, ALevelTheLoaderRefusesIsNotSaved) {
  Open(77);
  ClickAt(GridX(3), GridY(3));
  screen_.edit.bricks[0].capsule = 250;  // no capsule starts there: no click can give it
  Control(SDL_SCANCODE_S);
  EXPECT_TRUE(screen_.edit.unsaved);
  EXPECT_EQ(screen_.message.rfind("not saved: brick 0: capsule 250", 0), 0u) << screen_.message;
  EXPECT_FALSE(std::filesystem::exists(LevelFolder() / "level77.dat"));
  EXPECT_FALSE(std::filesystem::exists(LevelFolder() / "level77.lvl"));
  // Nor is it played.
  EXPECT_EQ(Tap(SDL_SCANCODE_F5), EditorRequest::stay);
  EXPECT_EQ(screen_.message.rfind("not played: brick 0: capsule 250", 0), 0u) << screen_.message;
}

TEST_F(LevelEditor, LeavingWithUnsavedChangesAsksFirst) {
  Open(77);
  ClickAt(GridX(3), GridY(3));
  EXPECT_EQ(Tap(SDL_SCANCODE_ESCAPE), EditorRequest::stay);
  EXPECT_TRUE(screen_.askLeave);
  // Any other key stays in the editor.
  EXPECT_EQ(Tap(SDL_SCANCODE_LEFT), EditorRequest::stay);
  EXPECT_FALSE(screen_.askLeave);
  EXPECT_EQ(Tap(SDL_SCANCODE_ESCAPE), EditorRequest::stay);
  EXPECT_EQ(Tap(SDL_SCANCODE_ESCAPE), EditorRequest::leave);

  // Saved, Escape leaves at once.
  Open(77);
  ClickAt(GridX(3), GridY(3));
  Control(SDL_SCANCODE_S);
  EXPECT_EQ(Tap(SDL_SCANCODE_ESCAPE), EditorRequest::leave);
}

TEST_F(LevelEditor, F5PlaysTheEditAndEscapeReturnsToItAsItWas) {
  Open(77);
  ClickAt(GridX(1), GridY(3));
  Tap(SDL_SCANCODE_W);
  ClickAt(GridX(9), GridY(3));
  Tap(SDL_SCANCODE_W);
  ClickAt(GridX(5), GridY(8));
  const std::vector<BrickRecord> before = Bricks();
  ASSERT_EQ(Tap(SDL_SCANCODE_F5), EditorRequest::playLevel);

  // Escape held from the start ends the test play on its first frame.
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  PlayEditedLevel(screen_.levelNumber, Bricks());
  ASSERT_EQ(game.bricks.Count(), 2);
  const Brick& moving = BrickAt(0);
  EXPECT_EQ(moving.waypointCount, 2);
  EXPECT_GT(moving.vx, 0.0f);  // set off towards its second waypoint
  EXPECT_EQ(BrickAt(1).kind, obj::brickRed);

  // Back in the editor the Escape that ended the play does not leave it, nor ask to, though
  // the key held still repeats.
  ShowEditor(screen_);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  EXPECT_EQ(Frame(), EditorRequest::stay);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
  EXPECT_EQ(Frame(), EditorRequest::stay);
  EXPECT_FALSE(screen_.askLeave);
  EXPECT_EQ(Bricks(), before);
  EXPECT_TRUE(screen_.edit.unsaved);
  // Undo still reaches back into the edit.
  Control(SDL_SCANCODE_Z);
  EXPECT_EQ(Bricks().size(), 1u);
}

}  // namespace
