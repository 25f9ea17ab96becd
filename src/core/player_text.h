// SPDX-License-Identifier: GPL-3.0-or-later
// The text of the player's files: well-formed UTF-8 lines of settings and scores, whole numbers
// read strictly, and the name a player gives the team (at most twelve characters, without
// control characters), which the settings and the high-score table both keep.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int playerNameCharacters = 12;  // characters (code points), not bytes

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF) whose only control characters are tabs and line ends: text a person could have
// written, not a binary file.
bool IsPlainText(const std::string& bytes);
// The lines of a text, split at '\n', each without its '\r' before it; a last line without its
// '\n' counts too.
std::vector<std::string> TextLines(const std::string& text);
// The text without spaces and tabs at either end.
std::string Trimmed(const std::string& text);
// The decimal whole number the text is, within [smallest, largest]; false for anything else
// (signs other than a leading '-', spaces, digits past the range however many).
bool ReadWholeNumber(const std::string& text, int smallest, int largest, int& value);

// True when the text is well-formed UTF-8 without any control character (C0, DEL, C1; a tab is
// one).
bool ValidPlayerName(const std::string& text);
// Any text made a name: what is not well-formed UTF-8, every control character and the spaces
// at either end are dropped, then the name is cut after its twelfth character.
std::string CleanPlayerName(const std::string& text);

// The code points of well-formed UTF-8 text; a byte that starts no character is skipped.
std::vector<uint32_t> CodePoints(const std::string& text);
// A code point as UTF-8 (nothing for a surrogate or past U+10FFFF).
std::string Utf8Of(uint32_t codePoint);
// The text without its last character, whole however many bytes it takes.
std::string WithoutLastCharacter(const std::string& text);

// The letters a gamepad picks a name from, in the order Up steps through them.
inline constexpr std::string_view pickedLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -.";
// The name with its last character stepped `steps` places along pickedLetters, round at either
// end. A name that is empty or ends in a character the pad cannot pick (a typed 'é') keeps it and
// gets the first letter after it instead, while it has room.
std::string WithLastLetterPicked(const std::string& name, int steps);
