// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shut-down of the services, the clock, the random generator and the few system
// services (message box, threads, priority).
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>
#include <thread>

#include <malloc.h>
#include <unistd.h>

#include "media/media_internal.h"

namespace media {

MediaState& State() {
  static MediaState state;
  return state;
}

void ReportSdlFailure(const std::string& attempt) { ReportFailure(attempt, SDL_GetError()); }

}  // namespace media

using namespace media;

namespace {

std::atomic<bool> manualClock{false};
std::atomic<int64_t> manualNow{0};
std::atomic<int64_t> manualStepPerRead{0};
bool messageBoxesSilent = false;
int messageBoxCount = 0;
std::atomic<void (*)()> delayHook{nullptr};

// PCG32 (XSH RR): small, fast, and good enough for a game's dice.
struct RandomGenerator {
  uint64_t state = 0x853C49E6748FEA9BULL;
  uint64_t increment = 0xDA3E39CB94B95BDBULL;
};
RandomGenerator generator;

uint32_t NextRandom() {
  uint64_t old = generator.state;
  generator.state = old * 6364136223846793005ULL + generator.increment;
  auto shifted = static_cast<uint32_t>(((old >> 18) ^ old) >> 27);
  auto rotation = static_cast<uint32_t>(old >> 59);
  return (shifted >> rotation) | (shifted << ((32 - rotation) & 31));
}

bool StartVideo() {
  MediaState& s = State();
  if (s.videoUp) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    ReportSdlFailure("The video service did not start");
    return false;
  }
  s.videoUp = true;
  return true;
}

}  // namespace

bool InitSprites() {
  MediaState& s = State();
  if (!StartVideo()) return false;
  if (!s.ttfUp) {
    if (TTF_Init() != 0) {
      ReportFailure("The text service did not start", TTF_GetError());
      return false;
    }
    s.ttfUp = true;
  }
  return true;
}

// A renderer belongs to a window, so what it can do is checked when the screen opens
// (OpenWindowedScreen); here, that there is a render driver to try at all.
bool InitSprite3D() {
  MediaState& s = State();
  if (!s.videoUp) return false;
  std::vector<int> drivers;
  std::string reason;
  if (!RenderDriverCandidates(drivers, reason)) {
    ReportFailure("The textured-quad service did not start", reason);
    return false;
  }
  s.sprite3DUp = true;
  return true;
}

bool InitKeyboard() {
  MediaState& s = State();
  if (!StartVideo()) return false;
  s.keyboardUp = true;
  SDL_StartTextInput();
  return true;
}

bool InitMouse() {
  MediaState& s = State();
  if (!StartVideo()) return false;
  s.mouseUp = true;
  return true;
}

void ShutdownMedia() {
  MediaState& s = State();
  ShutdownSound();
  CloseScreen();
  ShutdownSprites();
  ShutdownImages();
  ShutdownFonts();
  ResetInput();
  ShutdownGamepad();
  if (s.window) SDL_DestroyWindow(s.window);
  s.window = nullptr;
  s.windowNumber = -1;
  if (s.ttfUp) TTF_Quit();
  if (s.videoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  SDL_Quit();
  // Keep the switches that tests set; everything else starts from scratch.
  bool limiter = s.limiterEnabled;
  bool unwatched = s.windowUnwatched;
  s = MediaState{};
  s.limiterEnabled = limiter;
  s.windowUnwatched = unwatched;
}

void RaiseProcessPriority() { SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH); }

// ---------------------------------------------------------------- time
int64_t ElapsedMilliseconds() {
  static const auto start = std::chrono::steady_clock::now();
  int64_t now = manualClock ? manualNow.fetch_add(manualStepPerRead)
                            : std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - start)
                                  .count();
  JournalClock(now);
  return now;
}

// With the manual clock a delay moves the clock on instead of sleeping, so waits in the game
// (the inactive-screen loop) cost a test nothing.
void Delay(int milliseconds) {
  if (auto hook = delayHook.load()) hook();
  if (milliseconds <= 0) return;
  if (manualClock) {
    manualNow += milliseconds;
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetDelayHook(void (*hook)()) { delayHook = hook; }

void SetManualClock(bool manual) {
  if (manual && !manualClock) manualNow = 0;
  manualClock = manual;
}

void AdvanceManualClock(int64_t milliseconds) { manualNow += milliseconds; }

void SetManualClockStepPerRead(int64_t milliseconds) { manualStepPerRead = milliseconds; }

// ---------------------------------------------------------------- chance
void RandomSeed(uint32_t seed) {
  JournalSeed(seed);
  generator.state = 0;
  generator.increment = (static_cast<uint64_t>(seed) << 1) | 1u;
  NextRandom();
  generator.state += 0x853C49E6748FEA9BULL + seed;
  NextRandom();
}

uint32_t FreshSeed() {
  try {
    std::random_device device;
    return device();
  } catch (const std::exception&) {
    return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
  }
}

int Random(int maximum) {
  if (maximum <= 0) return 0;
  const uint32_t range = static_cast<uint32_t>(maximum) + 1u;
  // Rejecting the short top of the 32-bit range keeps every value equally likely.
  const uint32_t threshold = (0u - range) % range;
  for (;;) {
    uint32_t r = NextRandom();
    if (r >= threshold) return static_cast<int>(r % range);
  }
}

int RandomDifference(int spread) {
  const int first = Random(spread);
  const int second = Random(spread);
  return first - second;
}

// ---------------------------------------------------------------- system services
void SetMessageBoxesSilent(bool silent) { messageBoxesSilent = silent; }

namespace {

// Nobody can click a box: tests, headless drivers, no display at all.
bool NoOneWatching() {
  if (messageBoxesSilent) return true;
  const char* driver = State().videoUp ? SDL_GetCurrentVideoDriver() : std::getenv("SDL_VIDEODRIVER");
  if (driver && (SDL_strcasecmp(driver, "offscreen") == 0 || SDL_strcasecmp(driver, "dummy") == 0)) {
    return true;
  }
  return !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

void MessageBox(const std::string& title, const std::string& text) {
  ++messageBoxCount;
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  if (NoOneWatching()) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), text.c_str(), State().window);
}

int MessageBoxCount() { return messageBoxCount; }

void StartThread(void (*procedure)(int), int value) {
  if (!procedure) return;
  std::thread(procedure, value).detach();
}

int64_t ResidentKilobytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return -1;
  long long pages = 0, resident = 0;
  const bool read = std::fscanf(statm, "%lld %lld", &pages, &resident) == 2;
  std::fclose(statm);
  const long pageSize = sysconf(_SC_PAGESIZE);
  return read && pageSize > 0 ? resident * (pageSize / 1024) : -1;
}

int64_t HeapInUseKilobytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<int64_t>((info.uordblks + info.hblkhd) / 1024);
}
