// SPDX-License-Identifier: GPL-3.0-or-later
// Level data in its two forms: the binary level file the game reads ("level<n>.dat") and the
// text source people write (levels/*.lvl). Both readers check every brick, so a level that
// loads is one the game can play: a kind and a capsule that have pictures, 1 to 60 waypoints,
// legs of one second to one hour on a brick that moves, no record cut short.
//
// Binary: brick records back to back, no header; all values little-endian 32-bit.
//   int kind, int capsule, int N, then N times { int seconds, float x, float y }
//
// Source: one brick per line; '#' starts a comment; blank lines are ignored.
//   <kind> <capsule> <seconds> <x>,<y> [<seconds> <x>,<y> ...]
// kind and capsule by name (tables below) or by picture number; capsule "none" for none. Each
// waypoint gives the leg's duration in seconds and then the brick's centre; after the last
// waypoint the brick travels back to the first.
//   red     none    1 120,80
//   hits3   laser   2 200,100  3 400,100
#pragma once

#include <string>
#include <vector>

struct Waypoint {
  int seconds;
  float x, y;
};

struct BrickRecord {
  int kind;
  int capsule;
  std::vector<Waypoint> waypoints;
};

bool operator==(const Waypoint& a, const Waypoint& b);
bool operator==(const BrickRecord& a, const BrickRecord& b);

// "" when the brick can be played, else the fault ("75 waypoints (1 to 60 allowed)").
std::string BrickFault(const BrickRecord& brick);

// A kind a level may give a brick: any colour kind, 34 to 146 (only the eight that start a
// family have pictures of their own; the others draw from their neighbours' frames), or one of
// the special kinds 162, 178, 194, 210, 226.
bool IsLevelBrickKind(int kind);
// A capsule a level may give a brick: 0 for none, or the first picture of a capsule family
// (242, 258, ... 498).
bool IsLevelCapsule(int capsule);

// Reads a whole level file. On failure returns false with error = "brick <index>: <fault>"
// (index from 0, in file order).
bool DecodeLevel(const std::string& bytes, std::vector<BrickRecord>& bricks, std::string& error);
std::string EncodeLevel(const std::vector<BrickRecord>& bricks);

// Reads a level source. On failure returns false with error = "line <n>: <fault>".
bool ParseLevelSource(const std::string& text, std::vector<BrickRecord>& bricks,
                      std::string& error);
// The comment lines every level source opens with (after its title line): how to read a brick
// line, and the columns.
constexpr const char* levelSourceHeader =
    "# One brick a line. Each waypoint gives the seconds the brick takes to reach the next\n"
    "# one, then the brick's centre; after the last waypoint it glides back to the first.\n"
    "# kind       capsule    waypoints: seconds x,y ...\n";

// Writes a source that parses back to the same bricks, bit for bit: the title (if any) on the
// first comment line, the header, then one brick a line.
std::string WriteLevelSource(const std::vector<BrickRecord>& bricks, const std::string& title = "");

// Source names of brick kinds and capsules; "" for a number without a name.
std::string BrickKindName(int kind);
std::string CapsuleName(int capsule);
