// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/level_source.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <sstream>

#include "assets/objects.h"
#include "levels/bricks.h"

namespace {

struct Name {
  int number;
  const char* name;
};

// Every kind that starts a picture family, by its source name; besides these a level may name
// any colour kind by number.
constexpr Name kindNames[] = {
    {obj::brickRed, "red"},           {obj::brickGreen, "green"},   {obj::brickBlue, "blue"},
    {obj::brickYellow, "yellow"},     {obj::brickMagenta, "magenta"}, {obj::brickCyan, "cyan"},
    {obj::brickWhite, "white"},       {obj::brickBlack, "black"},
    {obj::brickUnbreakable, "unbreakable"}, {obj::brick3Hits, "hits3"},
    {obj::brick2Hits, "hits2"},       {obj::brick1Hit, "hits1"},
    {obj::brickTeleport, "teleport"}};

// The capsules a level may name, row for row the capsule families of the catalogue, after none.
constexpr Name capsuleNames[] = {
    {0, "none"},
    {obj::capsuleTriple, "triple"},     {obj::capsuleEnlarge, "enlarge"},
    {obj::capsuleFire, "fire"},         {obj::capsuleLaser, "laser"},
    {obj::capsuleGlue, "glue"},         {obj::capsuleMissile, "missile"},
    {obj::capsuleDoor, "door"},         {obj::capsuleRow, "row"},
    {obj::capsuleBigger, "bigger"},     {obj::capsuleChaingun, "chaingun"},
    {obj::capsuleExtraLife, "life"},    {obj::capsuleMalus, "malus"},
    {obj::letterB, "letter-b"},         {obj::letterO, "letter-o"},
    {obj::letterN, "letter-n"},         {obj::letterU, "letter-u"},
    {obj::letterS, "letter-s"}};

template <std::size_t n>
std::string NameOf(const Name (&table)[n], int number) {
  for (const Name& entry : table) {
    if (entry.number == number) return entry.name;
  }
  return "";
}

bool ParseInt(const std::string& token, int& value) {
  const char* end = token.data() + token.size();
  auto [ptr, ec] = std::from_chars(token.data(), end, value);
  return ec == std::errc() && ptr == end && !token.empty();
}

bool ParseFloat(const std::string& token, float& value) {
  const char* end = token.data() + token.size();
  auto [ptr, ec] = std::from_chars(token.data(), end, value);
  return ec == std::errc() && ptr == end && !token.empty() && std::isfinite(value);
}

// A name from the table, or a picture number for kinds and capsules without a name.
template <std::size_t n>
bool ParseNamed(const Name (&table)[n], const std::string& token, int& value) {
  for (const Name& entry : table) {
    if (token == entry.name) {
      value = entry.number;
      return true;
    }
  }
  return ParseInt(token, value);
}

std::string FloatText(float value) {
  char text[32];
  auto [ptr, ec] = std::to_chars(text, text + sizeof text, value);
  (void)ec;  // 32 characters hold any float
  return std::string(text, ptr);
}

uint32_t ReadWord(const std::string& bytes, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t ReadInt(const std::string& bytes, std::size_t at) {
  return static_cast<int32_t>(ReadWord(bytes, at));
}

float ReadFloat(const std::string& bytes, std::size_t at) {
  const uint32_t word = ReadWord(bytes, at);
  float value;
  std::memcpy(&value, &word, sizeof value);
  return value;
}

void WriteWord(std::string& bytes, uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((word >> (8 * i)) & 255));
}

void WriteFloat(std::string& bytes, float value) {
  uint32_t word;
  std::memcpy(&word, &value, sizeof word);
  WriteWord(bytes, word);
}

constexpr std::size_t headerBytes = 12;
constexpr std::size_t waypointBytes = 12;

// Legs last 1 to 3600 seconds. Shorter would divide by zero or run the brick backwards; an
// hour (270000 frames) is far beyond the shipped legs of 1 to 5 seconds, so a longer one is a
// typing slip, and from 28633116 seconds on its frame count no longer fits in 32 bits.
constexpr int maxLegSeconds = 3600;

std::string WaypointCountFault(long long count) {
  return std::to_string(count) + " waypoints (1 to " + std::to_string(maxWaypoints) + " allowed)";
}

// "(34 to 146, 162, 178, 194, 210 or 226)", from the tables.
std::string BrickKindsText() {
  std::string specials;
  for (const Name& entry : kindNames) {
    if (IsColourKind(entry.number)) continue;
    if (!specials.empty()) specials += ", ";
    specials += std::to_string(entry.number);
  }
  specials.replace(specials.rfind(", "), 2, " or ");
  return "(" + std::to_string(obj::brickRed) + " to " + std::to_string(obj::brickBlack) + ", " +
         specials + ")";
}

// "(0 for none, or 242, 258, ... 498 in steps of 16)": the families are 16 pictures apart.
std::string CapsulesText() {
  constexpr std::size_t count = std::size(capsuleNames);
  return "(0 for none, or " + std::to_string(capsuleNames[1].number) + ", " +
         std::to_string(capsuleNames[2].number) + ", ... " +
         std::to_string(capsuleNames[count - 1].number) + " in steps of " +
         std::to_string(capsuleNames[2].number - capsuleNames[1].number) + ")";
}

}  // namespace

bool operator==(const Waypoint& a, const Waypoint& b) {
  // Compared bit for bit: a round trip must give the same file, and -0 is not 0 there.
  return a.seconds == b.seconds && std::memcmp(&a.x, &b.x, sizeof a.x) == 0 &&
         std::memcmp(&a.y, &b.y, sizeof a.y) == 0;
}

bool operator==(const BrickRecord& a, const BrickRecord& b) {
  return a.kind == b.kind && a.capsule == b.capsule && a.waypoints == b.waypoints;
}

bool IsLevelBrickKind(int kind) { return IsColourKind(kind) || !NameOf(kindNames, kind).empty(); }

bool IsLevelCapsule(int capsule) { return !NameOf(capsuleNames, capsule).empty(); }

std::string BrickFault(const BrickRecord& brick) {
  // Read plainly, a level may name any number and the brick or capsule is drawn from whatever
  // pictures follow it, or from none; refusing it names the fault before anyone plays it.
  if (!IsLevelBrickKind(brick.kind)) {
    return "kind " + std::to_string(brick.kind) + " is not a brick kind " + BrickKindsText();
  }
  if (!IsLevelCapsule(brick.capsule)) {
    return "capsule " + std::to_string(brick.capsule) + " is not a capsule " + CapsulesText();
  }
  const int count = static_cast<int>(brick.waypoints.size());
  if (count < 1 || count > maxWaypoints) return WaypointCountFault(count);
  for (int i = 0; i < count; ++i) {
    const Waypoint& w = brick.waypoints[i];
    if (!std::isfinite(w.x) || !std::isfinite(w.y)) {
      return "waypoint " + std::to_string(i) + ": position is not a finite number";
    }
    // A brick with one waypoint never travels, so its duration is never divided by.
    if (count > 1 && (w.seconds < 1 || w.seconds > maxLegSeconds)) {
      return "waypoint " + std::to_string(i) + ": a leg of " + std::to_string(w.seconds) +
             " seconds (1 to " + std::to_string(maxLegSeconds) + " on a moving brick)";
    }
  }
  return "";
}

bool DecodeLevel(const std::string& bytes, std::vector<BrickRecord>& bricks, std::string& error) {
  bricks.clear();
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::string where = "brick " + std::to_string(bricks.size()) + ": ";
    const std::size_t left = bytes.size() - at;
    if (left < headerBytes) {
      error = where + "record cut short (" + std::to_string(left) + " of " +
              std::to_string(headerBytes) + " header bytes)";
      return false;
    }
    BrickRecord brick;
    brick.kind = ReadInt(bytes, at);
    brick.capsule = ReadInt(bytes, at + 4);
    const int32_t count = ReadInt(bytes, at + 8);
    at += headerBytes;
    if (count < 1 || count > maxWaypoints) {
      error = where + WaypointCountFault(count);
      return false;
    }
    const std::size_t need = waypointBytes * static_cast<std::size_t>(count);
    if (bytes.size() - at < need) {
      error = where + "record cut short (" + std::to_string(count) + " waypoints need " +
              std::to_string(need) + " bytes, " + std::to_string(bytes.size() - at) + " left)";
      return false;
    }
    for (int i = 0; i < count; ++i) {
      brick.waypoints.push_back({ReadInt(bytes, at), ReadFloat(bytes, at + 4), ReadFloat(bytes, at + 8)});
      at += waypointBytes;
    }
    const std::string fault = BrickFault(brick);
    if (!fault.empty()) {
      error = where + fault;
      return false;
    }
    bricks.push_back(std::move(brick));
  }
  return true;
}

std::string EncodeLevel(const std::vector<BrickRecord>& bricks) {
  std::string bytes;
  for (const BrickRecord& brick : bricks) {
    WriteWord(bytes, static_cast<uint32_t>(brick.kind));
    WriteWord(bytes, static_cast<uint32_t>(brick.capsule));
    WriteWord(bytes, static_cast<uint32_t>(brick.waypoints.size()));
    for (const Waypoint& w : brick.waypoints) {
      WriteWord(bytes, static_cast<uint32_t>(w.seconds));
      WriteFloat(bytes, w.x);
      WriteFloat(bytes, w.y);
    }
  }
  return bytes;
}

bool ParseLevelSource(const std::string& text, std::vector<BrickRecord>& bricks,
                      std::string& error) {
  bricks.clear();
  std::istringstream lines(text);
  std::string line;
  for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    const std::size_t comment = line.find('#');
    if (comment != std::string::npos) line.erase(comment);
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    if (tokens.empty()) continue;

    if (tokens.size() < 4) {
      error = where + "a brick needs a kind, a capsule and at least one waypoint (seconds x,y)";
      return false;
    }
    BrickRecord brick;
    if (!ParseNamed(kindNames, tokens[0], brick.kind)) {
      error = where + "unknown brick kind '" + tokens[0] + "'";
      return false;
    }
    if (!ParseNamed(capsuleNames, tokens[1], brick.capsule)) {
      error = where + "unknown capsule '" + tokens[1] + "'";
      return false;
    }
    for (std::size_t t = 2; t < tokens.size(); t += 2) {
      const std::string waypoint = "waypoint " + std::to_string((t - 2) / 2) + ": ";
      Waypoint w;
      if (!ParseInt(tokens[t], w.seconds)) {
        error = where + waypoint + "'" + tokens[t] + "' is not a whole number of seconds";
        return false;
      }
      if (t + 1 == tokens.size()) {
        error = where + waypoint + "seconds without a position x,y";
        return false;
      }
      const std::string& point = tokens[t + 1];
      const std::size_t comma = point.find(',');
      if (comma == std::string::npos || !ParseFloat(point.substr(0, comma), w.x) ||
          !ParseFloat(point.substr(comma + 1), w.y)) {
        error = where + waypoint + "'" + point + "' is not a position x,y";
        return false;
      }
      brick.waypoints.push_back(w);
    }
    const std::string fault = BrickFault(brick);
    if (!fault.empty()) {
      error = where + fault;
      return false;
    }
    bricks.push_back(std::move(brick));
  }
  return true;
}

std::string WriteLevelSource(const std::vector<BrickRecord>& bricks, const std::string& title) {
  std::string text;
  // The title goes on one comment line: a line break in it would start a brick line.
  if (!title.empty()) {
    std::string line = title;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    text += "# " + line + "\n";
  }
  text += levelSourceHeader;
  for (const BrickRecord& brick : bricks) {
    std::string kind = BrickKindName(brick.kind);
    if (kind.empty()) kind = std::to_string(brick.kind);
    std::string capsule = CapsuleName(brick.capsule);
    if (capsule.empty()) capsule = std::to_string(brick.capsule);
    kind.resize(std::max<std::size_t>(kind.size(), 12), ' ');
    capsule.resize(std::max<std::size_t>(capsule.size(), 10), ' ');
    std::string line = kind + " " + capsule;
    for (const Waypoint& w : brick.waypoints) {
      line += "  " + std::to_string(w.seconds) + " " + FloatText(w.x) + "," + FloatText(w.y);
    }
    text += line + "\n";
  }
  return text;
}

std::string BrickKindName(int kind) { return NameOf(kindNames, kind); }
std::string CapsuleName(int capsule) { return NameOf(capsuleNames, capsule); }
