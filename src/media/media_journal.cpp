// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a recorded game: every value the game reads from the outside world (keyboard,
// mouse and pad snapshots, clock readings, window focus, close requests, the random seed, the
// start choices made on the command line) is written in reading order, and a replay hands the
// same values back in the same order. Play depends on nothing else, so a replay reproduces the
// game frame for frame.
//
// File layout: "KALDOREC", a 32-bit format version, then one event per read (a tag byte and
// its values as LEB128 varints, signed ones zigzagged), and a trailer: 'E', the frame count as
// a 64-bit little-endian number, and "KALDOEND". A file without its trailer was cut short.
// Version 2 files still replay: they hold no pad snapshots and none of the start choices added
// since, and the replay reads none from them (the caller's defaults stand).
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "media/media_internal.h"

using namespace media;

namespace {

constexpr char headerMagic[8] = {'K', 'A', 'L', 'D', 'O', 'R', 'E', 'C'};
constexpr char trailerMagic[8] = {'K', 'A', 'L', 'D', 'O', 'E', 'N', 'D'};
constexpr std::size_t headerSize = 12;        // magic and version
constexpr std::size_t trailerSize = 1 + 8 + 8;  // 'E', frame count, magic

// One tag for each kind of read; the replay checks that the game asks for the same kind.
constexpr uint8_t tagClock = 'C';
constexpr uint8_t tagKeyboard = 'K';
constexpr uint8_t tagMouse = 'M';
constexpr uint8_t tagActive = 'A';
constexpr uint8_t tagClose = 'Q';
constexpr uint8_t tagSeed = 'S';
constexpr uint8_t tagRealInput = 'I';
constexpr uint8_t tagStartChoice = 'L';
constexpr uint8_t tagGamepad = 'G';
constexpr uint32_t gamepadSinceVersion = 3;  // the first format with pad snapshots
constexpr uint8_t tagEnd = 'E';

struct Journal {
  JournalMode mode = JournalMode::off;
  std::string fileName;
  std::FILE* out = nullptr;
  std::vector<uint8_t> bytes;  // the replayed file, or the recording's buffer
  std::size_t position = 0;
  std::size_t end = 0;         // where the replay's trailer starts
  uint32_t version = journalFormatVersion;  // the replayed file's format
  int64_t lastClock = 0;
  std::thread::id owner;       // only the game's own thread reads through the journal
  void (*endHook)() = nullptr;
};
Journal journal;

int64_t framesPresented = 0;
void (*frameHook)() = nullptr;

// ---------------------------------------------------------------- writing
void PutByte(uint8_t b) { journal.bytes.push_back(b); }

void PutVarint(uint64_t v) {
  while (v >= 0x80) {
    PutByte(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  PutByte(static_cast<uint8_t>(v));
}

void PutSigned(int64_t v) { PutVarint((static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63)); }

// The buffer goes to the file in large pieces; a recording of an hour is a few megabytes.
void FlushRecording() {
  if (!journal.out || journal.bytes.empty()) return;
  std::fwrite(journal.bytes.data(), 1, journal.bytes.size(), journal.out);
  journal.bytes.clear();
}

// ---------------------------------------------------------------- reading
bool GetByte(const std::vector<uint8_t>& bytes, std::size_t& at, std::size_t end, uint8_t& b) {
  if (at >= end) return false;
  b = bytes[at++];
  return true;
}

bool GetVarint(const std::vector<uint8_t>& bytes, std::size_t& at, std::size_t end, uint64_t& v) {
  v = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    uint8_t b;
    if (!GetByte(bytes, at, end, b)) return false;
    v |= static_cast<uint64_t>(b & 0x7F) << shift;
    if (!(b & 0x80)) return true;
  }
  return false;  // more than ten bytes: no number of ours
}

bool GetSigned(const std::vector<uint8_t>& bytes, std::size_t& at, std::size_t end, int64_t& v) {
  uint64_t u;
  if (!GetVarint(bytes, at, end, u)) return false;
  v = static_cast<int64_t>(u >> 1) ^ -static_cast<int64_t>(u & 1);
  return true;
}

// The number of values after each tag, with the key sets counted apart.
bool SkipEvent(const std::vector<uint8_t>& bytes, std::size_t& at, std::size_t end, uint32_t version) {
  uint8_t tag;
  if (!GetByte(bytes, at, end, tag)) return false;
  uint64_t v;
  auto values = [&](int count) {
    for (int i = 0; i < count; ++i) {
      if (!GetVarint(bytes, at, end, v)) return false;
    }
    return true;
  };
  auto keySet = [&]() {
    uint64_t count;
    if (!GetVarint(bytes, at, end, count) || count > 256) return false;
    for (uint64_t i = 0; i < count; ++i) {
      if (!GetVarint(bytes, at, end, v) || v > 255) return false;
    }
    return true;
  };
  switch (tag) {
    case tagClock:
    case tagActive:
    case tagClose:
    case tagSeed:
    case tagRealInput:
    case tagStartChoice:
      return values(1);
    case tagKeyboard:
      return keySet() && keySet() && values(1);
    case tagMouse:
      return values(6);
    case tagGamepad:
      return version >= gamepadSinceVersion && values(4);
    default:
      return false;
  }
}

[[noreturn]] void Diverged(const char* what) {
  std::fprintf(stderr, "%s: the replay no longer matches the game at byte %zu (%s)\n",
               journal.fileName.c_str(), journal.position, what);
  std::fflush(nullptr);
  std::_Exit(3);
}

bool OnGameThread() { return std::this_thread::get_id() == journal.owner; }

// The next replayed event must carry this tag; a used-up journal ends the replayed game.
void ExpectTag(uint8_t tag) {
  if (journal.position >= journal.end) {
    void (*hook)() = journal.endHook;
    journal.mode = JournalMode::off;
    if (hook) hook();
    std::fflush(nullptr);
    std::_Exit(0);
  }
  if (journal.bytes[journal.position] != tag) Diverged("another kind of read");
  ++journal.position;
}

int64_t NextSigned() {
  int64_t v;
  if (!GetSigned(journal.bytes, journal.position, journal.end, v)) Diverged("a value cut short");
  return v;
}

void JournalKeySet(std::array<bool, 256>& keys) {
  if (journal.mode == JournalMode::record) {
    int count = 0;
    for (bool k : keys) count += k;
    PutVarint(static_cast<uint64_t>(count));
    for (int k = 0; k < 256; ++k) {
      if (keys[k]) PutVarint(static_cast<uint64_t>(k));
    }
    return;
  }
  keys.fill(false);
  uint64_t count;
  if (!GetVarint(journal.bytes, journal.position, journal.end, count)) Diverged("a key set cut short");
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t k;
    if (!GetVarint(journal.bytes, journal.position, journal.end, k) || k > 255) Diverged("a bad key");
    keys[k] = true;
  }
}

bool Active() { return journal.mode != JournalMode::off && OnGameThread(); }

// A replayed file older than version holds no reads of that kind.
bool ReplayOlderThan(uint32_t version) {
  return journal.mode == JournalMode::replay && journal.version < version;
}

}  // namespace

namespace media {

JournalMode CurrentJournalMode() { return journal.mode; }

void JournalValue(uint8_t tag, int64_t& value) {
  if (!Active()) return;
  if (journal.mode == JournalMode::record) {
    PutByte(tag);
    PutSigned(value);
  } else {
    ExpectTag(tag);
    value = NextSigned();
  }
}

void JournalClock(int64_t& now) {
  if (!Active()) return;
  // Clock readings go as differences from the last one: one byte each, mostly.
  int64_t delta = now - journal.lastClock;
  JournalValue(tagClock, delta);
  now = journal.lastClock + delta;
  journal.lastClock = now;
}

void JournalFlag(uint8_t tag, bool& flag) {
  int64_t v = flag;
  JournalValue(tag, v);
  flag = v != 0;
}

void JournalActive(bool& active) { JournalFlag(tagActive, active); }
void JournalClose(bool& requested) { JournalFlag(tagClose, requested); }
void JournalRealInput(bool& seen) { JournalFlag(tagRealInput, seen); }

void JournalSeed(uint32_t& seed) {
  int64_t v = seed;
  JournalValue(tagSeed, v);
  seed = static_cast<uint32_t>(v);
}

void JournalKeyboard(std::array<bool, 256>& pushed, std::array<bool, 256>& released, int& typed) {
  if (!Active()) return;
  if (journal.mode == JournalMode::record) {
    PutByte(tagKeyboard);
  } else {
    ExpectTag(tagKeyboard);
  }
  JournalKeySet(pushed);
  JournalKeySet(released);
  if (journal.mode == JournalMode::record) {
    PutSigned(typed);
  } else {
    typed = static_cast<int>(NextSigned());
  }
}

void JournalMouse(int& dx, int& dy, int& wheel, int& x, int& y, std::array<bool, 4>& buttons) {
  if (!Active()) return;
  int* values[] = {&dx, &dy, &wheel, &x, &y};
  if (journal.mode == JournalMode::record) {
    PutByte(tagMouse);
    for (int* v : values) PutSigned(*v);
    PutSigned(buttons[1] | buttons[2] << 1 | buttons[3] << 2);
    return;
  }
  ExpectTag(tagMouse);
  for (int* v : values) *v = static_cast<int>(NextSigned());
  const int64_t bits = NextSigned();
  for (int b = 1; b < 4; ++b) buttons[b] = (bits >> (b - 1)) & 1;
}

void JournalGamepad(int& stick, int& downBits, int& pushedBits, bool& connected, bool& removed) {
  if (!Active()) return;
  if (ReplayOlderThan(gamepadSinceVersion)) {
    stick = downBits = pushedBits = 0;
    connected = removed = false;
    return;
  }
  if (journal.mode == JournalMode::record) {
    PutByte(tagGamepad);
    PutSigned(stick);
    PutSigned(downBits);
    PutSigned(pushedBits);
    PutSigned(connected | removed << 1);
    return;
  }
  ExpectTag(tagGamepad);
  stick = static_cast<int>(NextSigned());
  downBits = static_cast<int>(NextSigned());
  pushedBits = static_cast<int>(NextSigned());
  const int64_t flags = NextSigned();
  connected = (flags & 1) != 0;
  removed = (flags & 2) != 0;
}

void CountPresentedFrame() {
  ++framesPresented;
  if (journal.mode == JournalMode::record && journal.bytes.size() >= (1u << 20)) FlushRecording();
  if (frameHook) frameHook();
}

}  // namespace media

void JournalStartChoice(int& value) {
  int64_t v = value;
  JournalValue(tagStartChoice, v);
  value = static_cast<int>(v);
}

void JournalStartChoiceSince(uint32_t version, int& value) {
  if (Active() && ReplayOlderThan(version)) return;
  JournalStartChoice(value);
}

bool StartRecording(const std::string& fileName) {
  std::FILE* out = std::fopen(fileName.c_str(), "wb");
  if (!out) {
    std::fprintf(stderr, "%s: cannot write the recording: %s\n", fileName.c_str(), std::strerror(errno));
    return false;
  }
  journal = Journal{};
  journal.mode = JournalMode::record;
  journal.fileName = fileName;
  journal.out = out;
  journal.owner = std::this_thread::get_id();
  journal.bytes.assign(headerMagic, headerMagic + 8);
  for (int i = 0; i < 4; ++i) PutByte(static_cast<uint8_t>(journalFormatVersion >> (8 * i)));
  return true;
}

bool StartReplay(const std::string& fileName, std::string& error) {
  std::string text;
  if (!ReadFileBytes(fileName, text)) {
    error = fileName + ": cannot read the recording";
    return false;
  }
  return StartReplayFromMemory(fileName, text.data(), text.size(), error);
}

bool StartReplayFromMemory(const std::string& fileName, const void* data, std::size_t size,
                           std::string& error) {
  const auto* first = static_cast<const uint8_t*>(data);
  std::vector<uint8_t> bytes(first, first + size);
  if (bytes.size() < headerSize || std::memcmp(bytes.data(), headerMagic, 8) != 0) {
    error = fileName + ": not a recorded game";
    return false;
  }
  uint32_t version = 0;
  for (int i = 0; i < 4; ++i) version |= static_cast<uint32_t>(bytes[8 + i]) << (8 * i);
  if (version < oldestJournalVersion || version > journalFormatVersion) {
    error = fileName + ": recording format " + std::to_string(version) + ", this game reads " +
            std::to_string(journalFormatVersion);
    return false;
  }
  if (bytes.size() < headerSize + trailerSize ||
      std::memcmp(bytes.data() + bytes.size() - 8, trailerMagic, 8) != 0 ||
      bytes[bytes.size() - trailerSize] != tagEnd) {
    error = fileName + ": the recording is cut short (no end mark)";
    return false;
  }
  const std::size_t end = bytes.size() - trailerSize;
  for (std::size_t at = headerSize; at < end;) {
    const std::size_t start = at;
    if (!SkipEvent(bytes, at, end, version)) {
      error = fileName + ": malformed event at byte " + std::to_string(start);
      return false;
    }
  }
  journal = Journal{};
  journal.mode = JournalMode::replay;
  journal.fileName = fileName;
  journal.bytes = std::move(bytes);
  journal.position = headerSize;
  journal.end = end;
  journal.version = version;
  journal.owner = std::this_thread::get_id();
  return true;
}

bool FinishRecording() {
  if (journal.mode != JournalMode::record) return true;
  PutByte(tagEnd);
  const auto frames = static_cast<uint64_t>(framesPresented);
  for (int i = 0; i < 8; ++i) PutByte(static_cast<uint8_t>(frames >> (8 * i)));
  journal.bytes.insert(journal.bytes.end(), trailerMagic, trailerMagic + 8);
  FlushRecording();
  const bool ok = std::ferror(journal.out) == 0;
  const bool closed = std::fclose(journal.out) == 0;
  if (!ok || !closed) std::fprintf(stderr, "%s: the recording could not be written whole\n", journal.fileName.c_str());
  journal.out = nullptr;
  journal.mode = JournalMode::off;
  return ok && closed;
}

bool Recording() { return journal.mode == JournalMode::record; }
bool Replaying() { return journal.mode == JournalMode::replay; }
uint32_t ReplayFormatVersion() { return Replaying() ? journal.version : journalFormatVersion; }

void StopReplay() {
  if (journal.mode != JournalMode::replay) return;
  journal.mode = JournalMode::off;
  journal.bytes.clear();
  journal.position = journal.end = 0;
}
void SetReplayEndHook(void (*hook)()) { journal.endHook = hook; }

int64_t FramesPresented() { return framesPresented; }
void SetFrameHook(void (*hook)()) { frameHook = hook; }
