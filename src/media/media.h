// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer: the one seam between the game and the platform (SDL2, SDL2_ttf, fontconfig,
// OpenAL Soft and the picture and sound decoders). Every object is addressed by a number the
// game chooses; an operation on a number that holds no object does nothing and returns 0.
// Nothing above this header sees a platform type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---------------------------------------------------------------- start-up and shut-down
bool InitSprites();      // 2D drawing service (SDL video)
bool InitSprite3D();     // textured-quad service (a renderer with geometry and custom blending)
bool InitKeyboard();
bool InitMouse();
// Game controllers: opens every pad already plugged in; later ones open as they arrive. False,
// with the reason on stderr, when the service does not start (the game goes on without pads).
bool InitGamepad();
bool InitSound();        // OpenAL device and context
void ShutdownMedia();    // frees every object and closes the services (tests call it between runs)

// Makes a font file available under a face name, as the system's font registration would.
// designerBlockFile is registered as "Designer Block".
bool RegisterFontFile(const std::string& fileName);
// The font file of the menu's face, in the game's data. The name the face's file had on the
// first platform, "DESIB___.ttf", with the ending of what it holds: OpenType outlines.
inline constexpr const char* designerBlockFile = "DESIB___.otf";
// Best effort; failure is ignored.
void RaiseProcessPriority();

// ---------------------------------------------------------------- screen and frame
// borderless: full screen on the desktop; otherwise a resizable window of that size.
bool OpenWindow(int window, int x, int y, int width, int height, const std::string& title,
                bool borderless);
bool WindowExists(int window);
// A drawing screen inside the window, stretched (scaled and letterboxed) to the window's size.
// On a window larger than the screen, a sharp display draws at the window's own resolution: the
// back buffer is the screen's size times the letterbox scale, and every drawing call is mapped
// from the screen's coordinates into it, so nothing above the media layer sees the difference.
// Sizes, positions and pixels read back (Point, GrabSprite, screenshots) stay the screen's.
bool OpenWindowedScreen(int window, int x, int y, int width, int height, bool stretch);
void CloseScreen();
// How the next OpenWindowedScreen draws: classic (the screen's size, stretched with bilinear
// filtering), sharp (at the window's scale, except on a software rasteriser, which could not keep
// the frame rate at scale and gets classic), or sharp whatever the renderer.
enum class DisplayChoice { classic, sharp, sharpOnAnyRenderer };
void ChooseDisplay(DisplayChoice choice);
// Whether the screen now open draws at a scale above 1.
bool DrawingSharp();
// Writes the back buffer at its own resolution (a sharp screen's full detail) as SaveSprite
// writes a sprite; at scale 1 the same picture as a grab of the whole screen.
bool SaveFullScreenPicture(const std::string& fileName);
// Whether the screen now open is drawn at a scale of 1.5 or more, where pictures drawn at twice
// their size show more than their own pixels magnified.
bool WantsDetailedPictures();
// True once after the window's size changed and brought the scale up to where pictures take
// their detail: the pictures already loaded can be given it now.
bool DetailNewlyWanted();
void MinimiseWindow();
// The game's window fills the desktop, or is a window of its own that the screen is scaled to
// as it is resized. Alt+Enter switches between the two whenever events are read.
void SetFullScreen(bool fullScreen);
bool FullScreen();
void RestoreWindow();
void SetFrameRate(int framesPerSecond);
void ClearScreen(int colour);
// Until EndScreenChangeLimit, drawing on the screen changes only this part of it (the rest keeps
// the picture it holds); called again meanwhile, it moves the limit to another part. The next
// flip may give the window those parts alone if nothing was drawn on the screen outside them
// since the flip before: for a screen that stands still but for a few parts, on a rasteriser
// that pays for every pixel.
void LimitScreenChanges(int x, int y, int width, int height);
void EndScreenChangeLimit();
// Presents the back buffer, waiting on a high-resolution counter until more than
// 1 / (rate + 1) seconds have passed since the previous flip.
void FlipBuffers();
// False while the game's window does not have the input focus.
bool ScreenActive();
// True once after the window manager asked to close the window.
bool CloseRequested();
bool GrabSprite(int sprite, int x, int y, int width, int height);
// A Windows bitmap, or a PNG when the name ends in ".png".
bool SaveSprite(int sprite, const std::string& fileName);
void Set3DViewport(int x, int y, int width, int height);
// Tests: turn the frame limiter's wait off (the flip still presents).
void SetFrameLimiterEnabled(bool enabled);

// ---------------------------------------------------------------- sprites
enum SpriteFlags { spriteTexture = 4, spriteAlpha = 8 };
// Gives a loaded sprite the same picture drawn at twice its size, for a sharp display: the sprite
// keeps its size, pixels and every use; only what the screen shows of it is finer. False, and the
// sprite left as it was, when the data is not a picture exactly twice the sprite's size.
bool AddSpriteDetail(int sprite, const void* data, std::size_t size);
// Decodes a PNG, JPEG, TIFF or BMP picture held in memory; the decoder is chosen from the data.
bool CatchSprite(int sprite, const void* data, std::size_t size, int flags);
bool CreateSprite(int sprite, int width, int height, int flags);
int SpriteWidth(int sprite);
int SpriteHeight(int sprite);
// The colour key of one sprite, or of every sprite loaded later when sprite is -1.
void TransparentSpriteColor(int sprite, int colour);
void DisplaySprite(int sprite, int x, int y);
void DisplayTransparentSprite(int sprite, int x, int y);
// Only that rectangle of the sprite is displayed from now on; all four -1 restore the whole.
void ClipSprite(int sprite, int x, int y, int width, int height);
// Later sprite display and 2D drawing go into the sprite instead of the back buffer.
void DrawIntoSprite(int sprite);
void DrawIntoScreen();
bool SpriteCollision(int sprite1, int x1, int y1, int sprite2, int x2, int y2);
void FreeSprite(int sprite);
bool IsSprite(int sprite);
// Makes the texture of every sprite that has none yet. A sprite otherwise gets its texture when
// it is first shown, so a level would keep allocating as each monster or capsule first appears.
// Then a sprite only ever drawn that can be read again from where it came (SetSpriteOrigin), or
// is still as CreateSprite made it, lets its pixels go: its texture shows them, and they come
// back when something reads them.
void PrepareSpriteTextures();
// Reads one encoded picture again: the file it came from and where in it. False when it cannot.
using PictureReader = bool (*)(const std::string& file, uint64_t position, std::vector<uint8_t>& encoded);
struct PictureOrigin {
  PictureReader reader = nullptr;
  std::string file;
  uint64_t position = 0;
};
// The sprite's picture just caught (detail 1) or added (AddSpriteDetail, detail 2) can be read
// again from origin. Forgotten when the sprite is drawn into or its pixels are written.
void SetSpriteOrigin(int sprite, const PictureOrigin& origin, int detail);

// ---------------------------------------------------------------- Sprite3D quads
bool Start3D();
void Stop3D();
bool CreateSprite3D(int quad, int sprite);
void ZoomSprite3D(int quad, int width, int height);
void RotateSprite3D(int quad, int angle, int mode);  // mode 0 sets, 1 adds; whole degrees mod 360
int Sprite3DAngle(int quad);
int Sprite3DWidth(int quad);   // the drawn width
int Sprite3DHeight(int quad);
void Sprite3DQuality(int mode);  // 0 nearest pixel, anything else bilinear
// Direct3D factor numbers: 2 one, 5 source alpha, 6 inverse source alpha, 7 destination alpha.
void Sprite3DBlendingMode(int sourceFactor, int destinationFactor);
constexpr int blendOne = 2, blendSourceAlpha = 5, blendInverseSourceAlpha = 6,
              blendDestinationAlpha = 7;
// The pairs the game draws with, named by what they do.
struct BlendPair {
  int sourceFactor;
  int destinationFactor;
};
constexpr BlendPair blendTransparent{blendSourceAlpha, blendInverseSourceAlpha};  // alpha over
constexpr BlendPair blendAdditive{blendSourceAlpha, blendOne};                    // light added
// The picture by its alpha plus the screen by its own: additive where the screen is opaque.
constexpr BlendPair blendAlphaWeightedSum{blendSourceAlpha, blendDestinationAlpha};
// The picture's light added as far as the screen is opaque, whatever the picture's own alpha.
constexpr BlendPair blendAddWhereOpaque{blendDestinationAlpha, blendOne};
inline void Sprite3DBlendingMode(BlendPair pair) {
  Sprite3DBlendingMode(pair.sourceFactor, pair.destinationFactor);
}
// Texture coordinates of corner 0 (top-left), 1 (top-right), 2 (bottom-left), 3 (bottom-right).
void SetSprite3DTexCoords(int quad, int corner, float u, float v);
// Screen offsets of the four corners from the quad's top-left position, as rotation leaves them.
struct QuadCorners { float x[4]; float y[4]; };
QuadCorners Sprite3DCorners(int quad);
void SetSprite3DCorners(int quad, const QuadCorners& corners);
void DisplaySprite3D(int quad, int x, int y, int alpha = 255);
void FreeSprite3D(int quad);
bool IsSprite3D(int quad);

// ---------------------------------------------------------------- text and 2D drawing
bool LoadFont(int font, const std::string& faceName, int size);
void FreeFont(int font);
enum DrawTarget { drawScreen = 0, drawImage = 1, drawSprite = 2 };
bool StartDrawing(int target = drawScreen, int number = 0);
void StopDrawing();
void DrawingFont(int font);
void DrawingMode(int mode);  // 0 opaque text background, 1 transparent, 4 outlined boxes
void FrontColor(int colour);
void BackColor(int colour);
void DrawText(int x, int y, const std::string& text);
void DrawText(int x, int y, const std::string& text, int frontColour, int backColour);
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);
// True when the drawing font has a glyph of its own for the code point (a character it lacks
// would come out as the face's empty box, or nothing).
bool FontHasCharacter(uint32_t codePoint);
void Box(int x, int y, int width, int height, int colour);
void Line(int x1, int y1, int x2, int y2, int colour);
void Plot(int x, int y, int colour);
int Point(int x, int y);  // the colour of one pixel of the drawing target

// ---------------------------------------------------------------- images and pixel buffers
bool CatchImage(int image, const void* data, std::size_t size);
bool LoadImage(int image, const std::string& fileName);
bool SaveImage(int image, const std::string& fileName);  // as SaveSprite
bool CreateImage(int image, int width, int height);
bool ResizeImage(int image, int width, int height);
void DrawImage(int image, int x, int y);  // onto the current drawing target
// Copies the current back buffer (or a sprite) into an image, and an image onto the screen.
bool GrabImageFromScreen(int image, int x, int y, int width, int height);
void DisplayImage(int image, int x, int y);
int ImageWidth(int image);
int ImageHeight(int image);
void FreeImage(int image);
bool IsImage(int image);
// Direct pixel access to the current drawing target; pixels are 32-bit 0x00RRGGBB (a sprite's
// carry its alpha in the top byte). The screen's pixels are a copy written back at StopDrawing;
// text drawn meanwhile writes it back early, so fetch the buffer again after drawing text.
uint32_t* DrawingBuffer();
// The same pixels to read only: nothing is written back at StopDrawing.
const uint32_t* DrawingPixels();
int DrawingBufferPitch();          // bytes per row
int DrawingBufferPixelBytes();     // 4

// ---------------------------------------------------------------- files
// Names with backslashes ("gfx\bonus.png") open with forward slashes.
std::string NativePath(const std::string& fileName);
// A whole regular file, with the reason on stderr when it cannot be read; a folder, a FIFO or a
// device is refused rather than waited on.
bool ReadFileBytes(const std::string& fileName, std::string& bytes);
struct MediaFile;
MediaFile* OpenReadFile(const std::string& fileName);
bool EndOfFile(MediaFile* file);
int32_t ReadInt32(MediaFile* file);    // little-endian; 0 past the end
float ReadFloat32(MediaFile* file);    // little-endian; 0 past the end
bool LastReadComplete(MediaFile* file);  // false once a read ran past the end
void CloseFile(MediaFile* file);
// A regular file (following symbolic links), not a folder or a device.
bool FileExists(const std::string& fileName);
// What came of reading one of the player's files whole.
enum class ReadResult { ok, missing, notRegularFile, tooBig, unreadable };
// The result in a few words for a warning ("larger than the limit").
const char* ReadResultText(ReadResult result);
// Reads a regular file of at most maxBytes whole, quietly: the caller words the warning. A
// folder, a FIFO or a device is refused without waiting on it, and a file that grows while it is
// read is refused at maxBytes + 1 bytes, so a strange file never hangs the game or fills memory.
ReadResult ReadSmallFile(const std::string& fileName, std::string& bytes, std::size_t maxBytes);
// Replaces the file with bytes, or leaves the old one untouched: a temporary file of a unique
// name in the same folder is written, flushed to the disk and renamed over the target, so a
// crash or a full disk never leaves half a file. False (the reason on stderr, the temporary
// removed) when any step fails.
bool WriteFileAtomically(const std::string& fileName, const std::string& bytes);
// False, with the reason on stderr, when the file could not be renamed.
bool RenameFile(const std::string& from, const std::string& to);
bool IsDirectory(const std::string& name);    // follows symbolic links
// Makes the folder and any missing parents (0700); true when it exists afterwards.
bool MakeFolder(const std::string& folder);
// The working directory ending in '/'; "./" when it cannot be told.
std::string CurrentDirectory();
bool ChangeDirectory(const std::string& directory);
// True when both names lead to one file or folder; false when either cannot be looked at.
bool SameFile(const std::string& a, const std::string& b);
// The absolute name without links, "." or ".."; empty when the name does not lead anywhere.
std::string CanonicalPath(const std::string& name);
// Today's local date as YYYY-MM-DD, for the files the game writes.
std::string LocalDate();
// The folder of the running program's executable, ending in '/'; empty when it cannot be told.
std::string ProgramDirectory();
// The player's own folder for the files the game writes: $XDG_DATA_HOME/kaldovirent/, else
// ~/.local/share/kaldovirent/ (made on first use, mode 0700), ending in '/'; empty when there is
// none, and then failure (when given) says why.
std::string PlayerFilesDirectory(std::string* failure = nullptr);
// The player's folder for the options kept between runs: $XDG_CONFIG_HOME/kaldovirent/, else
// ~/.config/kaldovirent/; made, named and failing as PlayerFilesDirectory.
std::string PlayerConfigDirectory(std::string* failure = nullptr);
// True when a file can be made in the folder. It is tried, not read from the mode bits, so the
// answer holds for the superuser too.
bool DirectoryWritable(const std::string& directory);

// ---------------------------------------------------------------- sound
bool CatchSound(int sound, const void* data, std::size_t size);  // WAV or Ogg Vorbis
enum SoundFlags { soundLoop = 1, soundMultiple = 2 };
void PlaySound(int sound, int flags = 0);
void StopSound(int sound);       // -1 stops all
void SoundVolume(int sound, int volume);  // 0..100, clamped
void SoundPan(int sound, int pan);        // -100..100, clamped
void SoundFrequency(int sound, int hertz);
bool SoundPlaying(int sound);
void FreeSound(int sound);
bool IsSound(int sound);
// A blocking tone from the tone generator (the side games' beeps). Safe on any thread.
void Tone(int hertz, int milliseconds);
// The sound's settings as clamped (frequency: the set rate, or the native one when unset), its
// length at the native rate, and the gain its volume gives: (volume / 100)².
int GetSoundVolume(int sound);
int GetSoundPan(int sound);
int GetSoundFrequency(int sound);
int SoundLength(int sound);  // milliseconds
float SoundGain(int sound);
// The bytes of PCM the sound holds in the sound device's buffers: a short sound's whole length,
// a long Ogg track's (the music's) few streaming buffers.
std::size_t SoundBufferedBytes(int sound);

// ---------------------------------------------------------------- input
void KeyboardMode(int mode);
void ExamineKeyboard();
bool KeyboardPushed(int scanCode);    // -1: any key
bool KeyboardReleased(int scanCode);  // true once, on the first snapshot after release; -1: any
// The character typed (a Unicode code point), one per snapshot in typing order; 0 when none.
int KeyboardTypedCharacter();
void ExamineMouse();
int MouseDeltaX();
int MouseDeltaY();
bool MouseButton(int button);  // 1 left, 2 right, 3 middle
// True when the button went down since the snapshot before; a button held from earlier does not
// count (the pause waits for a fresh click).
bool MouseButtonPressed(int button);
// Drops the movement, buttons and keys gathered so far: what the player did while the game
// waited is not passed on.
void ForgetInput();
int MouseX();
int MouseY();
int MouseWheel();
void ReleaseMouse(bool release);

// Game controllers. ExamineKeyboard takes the pads' snapshot with the keyboard's (a pad's buttons
// are keys to the game); every open pad adds to it.
enum GamepadButton { padA, padStart, padBack, padLeft, padRight, padUp, padDown, gamepadButtonCount };
bool GamepadConnected();
// The left stick's sideways tilt, -1 (full left) to 1, and 0 inside the dead zone.
float GamepadStickX();
bool GamepadDown(int button);    // held, or pressed and let go since the snapshot before
bool GamepadPushed(int button);  // went down since the snapshot before
// True in the one snapshot after a pad was pulled out.
bool GamepadRemoved();
// Any button held or the stick out of its dead zone (a person is at the pad).
bool GamepadTouched();

// PC set-1 scan codes of the keys the game names.
enum ScanCode {
  keyEscape = 1, key1 = 2, key2 = 3, key3 = 4, key4 = 5, key5 = 6, key6 = 7, key7 = 8, key8 = 9,
  key9 = 10, key0 = 11, keyMinus = 12, keyEquals = 13, keyBackspace = 14, keyTab = 15,
  keyQ = 16, keyW = 17, keyE = 18, keyR = 19, keyT = 20, keyY = 21, keyU = 22, keyI = 23,
  keyO = 24, keyP = 25, keyLeftBracket = 26, keyRightBracket = 27, keyReturn = 28,
  keyLeftControl = 29, keyA = 30, keyS = 31, keyD = 32, keyF = 33, keyG = 34, keyH = 35,
  keyJ = 36, keyK = 37, keyL = 38, keySemicolon = 39, keyApostrophe = 40, keyGrave = 41,
  keyLeftShift = 42, keyBackslash = 43, keyZ = 44, keyX = 45, keyC = 46, keyV = 47, keyB = 48,
  keyN = 49, keyM = 50, keyComma = 51, keyPeriod = 52, keySlash = 53, keyRightShift = 54,
  keyPadMultiply = 55, keyLeftAlt = 56, keySpace = 57, keyCapsLock = 58, keyF1 = 59, keyF2 = 60,
  keyF3 = 61, keyF4 = 62, keyF5 = 63, keyF6 = 64, keyF7 = 65, keyF8 = 66, keyF9 = 67,
  keyF10 = 68, keyF11 = 87, keyF12 = 88, keyPadEnter = 0x9C, keyRightControl = 0x9D,
  keyRightAlt = 0xB8, keyHome = 0xC7, keyUp = 0xC8, keyPageUp = 0xC9, keyLeft = 0xCB,
  keyRight = 0xCD, keyEnd = 0xCF, keyDown = 0xD0, keyPageDown = 0xD1, keyInsert = 0xD2,
  keyDelete = 0xD3
};

// ---------------------------------------------------------------- recorded games
// A journal of everything the game reads from the outside world (input snapshots, clock
// readings, window focus, close requests, the random seed), written while recording and handed
// back in place of the real values while replaying, so a replay reproduces the game exactly.
enum class JournalMode { off, record, replay };
// 2: the start choice is recorded; 3: the pads' snapshots. Files of version 2 still replay.
constexpr uint32_t journalFormatVersion = 3;
constexpr uint32_t oldestJournalVersion = 2;
// False, with the reason on stderr, when the file cannot be written.
bool StartRecording(const std::string& fileName);
// Reads and checks the whole file first; a missing, cut-short, other-version or malformed file
// is refused with one line naming the file and the fault in error.
bool StartReplay(const std::string& fileName, std::string& error);
// The same for a recording already in memory; fileName only names it in the error.
bool StartReplayFromMemory(const std::string& fileName, const void* data, std::size_t size,
                           std::string& error);
// Writes the end mark and closes the file; false when it could not be written whole.
bool FinishRecording();
bool Recording();
bool Replaying();
// The format version of the file being replayed; journalFormatVersion when not replaying.
uint32_t ReplayFormatVersion();
// Tests: the replay stops where it is; later reads get the real values again.
void StopReplay();
// A choice made on the command line that decides play (the level a game starts at): written
// while recording, and replaced by the recorded one while replaying.
void JournalStartChoice(int& value);
// The same for a choice recordings hold from format version on: replaying an older file reads
// nothing and leaves value as the caller set it (the choice's default).
void JournalStartChoiceSince(uint32_t version, int& value);
// Called once when a replay has handed back its last value; the process then ends with status
// 0. A replay that asks for another kind of value than was recorded ends with status 3.
void SetReplayEndHook(void (*hook)());
// Frames presented since the start, and a procedure called after each one (nullptr for none).
int64_t FramesPresented();
void SetFrameHook(void (*hook)());
// The autopilot's hands: mouse motion and buttons fed in as if the player had made them, and
// the real mouse ignored meanwhile.
void InjectMouseMotion(int dx, int dy);
void InjectMouseButton(int button, bool down);
void SetRealMouseIgnored(bool ignored);
bool RealMouseIgnored();
// True once after a person pressed a key or a mouse button, even while the real mouse is ignored.
bool RealInputSeen();

// ---------------------------------------------------------------- time, chance, system
int64_t ElapsedMilliseconds();
void Delay(int milliseconds);
void RandomSeed(uint32_t seed);
// A seed that differs from run to run (the system's entropy, else the time of day).
uint32_t FreshSeed();
int Random(int maximum);  // uniform 0..maximum inclusive; 0 gives 0
// Random(spread) - Random(spread), drawn in that order: written as one expression the order of
// the two draws would be the compiler's choice, and a recording could play differently.
int RandomDifference(int spread);
constexpr int RGB(int r, int g, int b) { return r + g * 256 + b * 65536; }
constexpr int Red(int colour) { return colour & 255; }
constexpr int Green(int colour) { return (colour >> 8) & 255; }
constexpr int Blue(int colour) { return (colour >> 16) & 255; }
void MessageBox(const std::string& title, const std::string& text);
// Tests: the message boxes asked for since the start, shown or (while silent) only written.
int MessageBoxCount();
void StartThread(void (*procedure)(int), int value);  // detached
// The process's resident memory in kilobytes, as the system counts it; -1 when unknown.
int64_t ResidentKilobytes();
// Kilobytes the process's allocator has handed out and not had back (no driver mappings).
int64_t HeapInUseKilobytes();
// Gives back the memory kept from frame to frame for drawing (the quads' batches, pixels on their
// way to textures); the next frames take what they need again.
void ReleaseScratchMemory();

// Tests: a clock stepped by hand instead of the real one (starting at 0); Delay then moves it
// on instead of sleeping.
void SetManualClock(bool manual);
void AdvanceManualClock(int64_t milliseconds);
// Tests: every read of the manual clock moves it on by this much afterwards (0 by default), so
// time passes inside a frame.
void SetManualClockStepPerRead(int64_t milliseconds);
// Tests: the window gains or loses the input focus, as the window manager reports it (the event
// is queued; the next look at the window sees it).
bool SimulateFocusChange(bool focused);
// Tests: called at the start of every Delay, so a test can act while the game waits; nullptr
// removes it.
void SetDelayHook(void (*hook)());
// Tests: message boxes only write to stderr (no modal box waits for a click).
void SetMessageBoxesSilent(bool silent);
