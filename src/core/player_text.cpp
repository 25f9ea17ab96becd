// SPDX-License-Identifier: GPL-3.0-or-later
// Checks on the text of the player's files: UTF-8, lines, whole numbers, names.
#include "core/player_text.h"

#include <charconv>
#include <cstdint>

namespace {

// The code point that starts at text[at] and its length in bytes; length 0 when the bytes there
// are not well-formed UTF-8.
struct Utf8Character {
  uint32_t codePoint = 0;
  std::size_t length = 0;
};

Utf8Character DecodeAt(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  uint32_t codePoint = 0;
  uint32_t smallest = 0;  // below it the form is overlong
  if (lead < 0x80) return {lead, 1};
  if ((lead & 0xE0) == 0xC0) {
    length = 2, codePoint = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, codePoint = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, codePoint = lead & 0x07, smallest = 0x10000;
  } else {
    return {};
  }
  if (text.size() - at < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return {};
    codePoint = codePoint << 6 | (next & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < smallest || surrogate || codePoint > 0x10FFFF) return {};
  return {codePoint, length};
}

bool IsControl(uint32_t codePoint) {
  return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool IsPlainText(const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Character character = DecodeAt(bytes, at);
    if (character.length == 0) return false;
    const uint32_t c = character.codePoint;
    if (IsControl(c) && c != '\t' && c != '\n' && c != '\r') return false;
    at += character.length;
  }
  return true;
}

std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string Trimmed(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsSpace(text[first])) ++first;
  while (last > first && IsSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool ReadWholeNumber(const std::string& text, int smallest, int largest, int& value) {
  // from_chars reports a number past int's range instead of wrapping it.
  int number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error != std::errc() || stop != end) return false;
  if (number < smallest || number > largest) return false;
  value = number;
  return true;
}

bool ValidPlayerName(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character character = DecodeAt(text, at);
    if (character.length == 0 || IsControl(character.codePoint)) return false;
    at += character.length;
  }
  return true;
}

std::string CleanPlayerName(const std::string& text) {
  std::string kept;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character character = DecodeAt(text, at);
    if (character.length == 0) {
      ++at;  // a stray byte goes alone
      continue;
    }
    if (!IsControl(character.codePoint)) kept.append(text, at, character.length);
    at += character.length;
  }
  // Spaces at the ends are dropped, as the settings file's reader drops them around a value.
  kept = Trimmed(kept);
  std::size_t end = 0;
  for (int characters = 0; end < kept.size() && characters < playerNameCharacters; ++characters) {
    end += DecodeAt(kept, end).length;
  }
  return Trimmed(kept.substr(0, end));
}

std::vector<uint32_t> CodePoints(const std::string& text) {
  std::vector<uint32_t> codePoints;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character character = DecodeAt(text, at);
    if (character.length == 0) {
      ++at;
      continue;
    }
    codePoints.push_back(character.codePoint);
    at += character.length;
  }
  return codePoints;
}

std::string Utf8Of(uint32_t codePoint) {
  std::string bytes;
  auto follow = [&bytes, codePoint](int shift) {
    bytes += static_cast<char>(0x80 | ((codePoint >> shift) & 0x3F));
  };
  if (codePoint < 0x80) {
    bytes += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    bytes += static_cast<char>(0xC0 | (codePoint >> 6));
    follow(0);
  } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
    return "";
  } else if (codePoint < 0x10000) {
    bytes += static_cast<char>(0xE0 | (codePoint >> 12));
    follow(6), follow(0);
  } else if (codePoint <= 0x10FFFF) {
    bytes += static_cast<char>(0xF0 | (codePoint >> 18));
    follow(12), follow(6), follow(0);
  }
  return bytes;
}

std::string WithoutLastCharacter(const std::string& text) {
  std::size_t last = 0;
  for (std::size_t at = 0; at < text.size();) {
    last = at;
    const std::size_t length = DecodeAt(text, at).length;
    at += length == 0 ? 1 : length;
  }
  return text.substr(0, last);
}

std::string WithLastLetterPicked(const std::string& name, int steps) {
  const std::vector<uint32_t> points = CodePoints(name);
  const auto count = static_cast<int>(pickedLetters.size());
  const std::size_t at = points.empty() ? std::string_view::npos
                                        : pickedLetters.find(static_cast<char>(points.back()));
  if (points.empty() || points.back() > 0x7F || at == std::string_view::npos) {
    if (static_cast<int>(points.size()) >= playerNameCharacters) return name;
    return name + pickedLetters[0];
  }
  const int next = ((static_cast<int>(at) + steps) % count + count) % count;
  return WithoutLastCharacter(name) + pickedLetters[static_cast<std::size_t>(next)];
}
