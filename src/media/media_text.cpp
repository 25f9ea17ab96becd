// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts: faces found by name through fontconfig (or a registered font file) and opened with
// SDL_ttf; rendered lines are cached as textures because menus redraw the same text each frame.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "media/media_diagnostics.h"
#include "media/media_internal.h"

using namespace media;

namespace {

// Face names (lower case) of registered font files, and their paths.
std::map<std::string, std::string> registeredFaces;

struct CachedText {
  SDL_Texture* texture = nullptr;
  int width = 0;
  int height = 0;
};
std::map<std::string, CachedText> textCache;
constexpr std::size_t textCacheLimit = 512;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string BaseName(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct FaceMatch {
  std::string file;
  int index = 0;
  bool exactFamily = false;
};

bool MatchFace(const std::string& family, int weight, FaceMatch& out) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  if (weight >= 0) FcPatternAddInteger(pattern, FC_WEIGHT, weight);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file = nullptr;
  bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
  if (ok) {
    out.file = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) out.index = index;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
      if (Lower(reinterpret_cast<const char*>(name)) == Lower(family)) out.exactFamily = true;
    }
  }
  FcPatternDestroy(match);
  return ok;
}

// "Arial black": when no face carries the whole name, a trailing weight word becomes the
// weight of the remaining family, so the closest installed heavy sans serif is chosen.
bool FindFace(const std::string& faceName, FaceMatch& out) {
  if (!FcInit()) return false;
  if (MatchFace(faceName, -1, out) && out.exactFamily) return true;
  static const std::pair<const char*, int> weights[] = {
      {"black", FC_WEIGHT_BLACK}, {"heavy", FC_WEIGHT_HEAVY}, {"bold", FC_WEIGHT_BOLD},
      {"semibold", FC_WEIGHT_DEMIBOLD}, {"medium", FC_WEIGHT_MEDIUM}, {"light", FC_WEIGHT_LIGHT},
      {"thin", FC_WEIGHT_THIN}};
  std::size_t space = faceName.find_last_of(' ');
  if (space != std::string::npos) {
    std::string word = Lower(faceName.substr(space + 1));
    for (const auto& [name, weight] : weights) {
      FaceMatch weighted;
      if (word == name && MatchFace(faceName.substr(0, space), weight, weighted)) {
        out = weighted;
        return true;
      }
    }
  }
  return !out.file.empty();
}

bool ValidUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    auto c = static_cast<unsigned char>(text[i]);
    int follow = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (follow < 0) return false;
    for (int k = 1; k <= follow; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    }
    i += follow + 1;
  }
  return true;
}

}  // namespace

namespace media {

TTF_Font* FontOf(int font) {
  auto found = State().fonts.find(font);
  return found == State().fonts.end() ? nullptr : found->second.font;
}

TTF_Font* ScreenFontOf(int font) {
  MediaState& s = State();
  auto found = s.fonts.find(font);
  if (found == s.fonts.end()) return nullptr;
  FontRecord& record = found->second;
  // Text is as tall as the screen's rows allow: the smaller of the two scales, as the letterbox.
  const int wanted = static_cast<int>(std::lround(record.size * std::min(s.scaleX, s.scaleY)));
  if (wanted <= record.size || record.file.empty()) return record.font;
  if (record.scaled && record.scaledSize == wanted) return record.scaled;
  if (record.scaled) {
    ReleaseTextTextures();
    TTF_CloseFont(record.scaled);
    record.scaled = nullptr;
    record.scaledSize = 0;
  }
  record.scaled = TTF_OpenFontIndexDPI(record.file.c_str(), wanted, record.index, 96, 96);
  if (!record.scaled) {
    ReportFailure("The font at " + std::to_string(wanted) + " points could not be opened from " + record.file,
                  TTF_GetError());
    record.file.clear();  // asked once; the screen draws this font's text stretched from now on
    return record.font;
  }
  record.scaledSize = wanted;
  return record.scaled;
}

std::string TextAsUtf8(const std::string& text) {
  if (ValidUtf8(text)) return text;
  std::string out;
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

SDL_Texture* TextTexture(int font, const std::string& text, int colour, int& width, int& height,
                         bool onScaledScreen) {
  MediaState& s = State();
  TTF_Font* face = onScaledScreen ? ScreenFontOf(font) : FontOf(font);
  if (!face || !s.renderer || text.empty()) return nullptr;
  std::string key = std::to_string(font) + (onScaledScreen ? "s:" : ":") + std::to_string(colour) + ":" + text;
  auto found = textCache.find(key);
  if (found != textCache.end()) {
    width = found->second.width;
    height = found->second.height;
    return found->second.texture;
  }
  if (textCache.size() >= textCacheLimit) ReleaseTextTextures();
  SDL_Color fg{static_cast<Uint8>(Red(colour)), static_cast<Uint8>(Green(colour)),
               static_cast<Uint8>(Blue(colour)), 255};
  SDL_Surface* surface = TTF_RenderUTF8_Blended(face, TextAsUtf8(text).c_str(), fg);
  if (!surface) return nullptr;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(s.renderer, surface);
  CachedText entry{texture, surface->w, surface->h};
  SDL_FreeSurface(surface);
  if (!texture) return nullptr;
  if (onScaledScreen && face != FontOf(font)) {
    // The larger face is hinted on its own grid: its line runs a pixel or so longer or shorter
    // than the face at its size. It is drawn in the box of the face at its size, which layout
    // measured, so right-aligned and centred text stays where it was; the squeeze is a few
    // hundredths and filtered.
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(FontOf(font), TextAsUtf8(text).c_str(), &width, &height) == 0 && width > 0 && height > 0) {
      entry.width = width;
      entry.height = height;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  }
  textCache[key] = entry;
  width = entry.width;
  height = entry.height;
  return texture;
}

void ReleaseTextTextures() {
  FlushQuads();
  for (auto& [key, entry] : textCache) SDL_DestroyTexture(entry.texture);
  textCache.clear();
}

void ShutdownFonts() {
  ReleaseTextTextures();
  MediaState& s = State();
  for (auto& [number, font] : s.fonts) {
    if (font.font) TTF_CloseFont(font.font);
    if (font.scaled) TTF_CloseFont(font.scaled);
  }
  s.fonts.clear();
  registeredFaces.clear();
}

}  // namespace media

bool RegisterFontFile(const std::string& fileName) {
  std::string path = NativePath(fileName);
  if (!FileExists(path) || !FcInit()) return false;
  int count = 0;
  FcPattern* query = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.c_str()), 0, nullptr, &count);
  if (!query) return false;
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(query, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    registeredFaces[Lower(reinterpret_cast<const char*>(family))] = path;
  }
  FcPatternDestroy(query);
  // The game asks for the font file's face by the name the file is known under on Windows.
  if (Lower(BaseName(path)) == Lower(designerBlockFile)) registeredFaces["designer block"] = path;
  FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(path.c_str()));
  return true;
}

bool LoadFont(int font, const std::string& faceName, int size) {
  MediaState& s = State();
  if (font < 0 || size <= 0 || !s.ttfUp) return false;
  std::string file;
  int index = 0;
  auto registered = registeredFaces.find(Lower(faceName));
  if (registered != registeredFaces.end()) {
    file = registered->second;
  } else {
    FaceMatch match;
    if (!FindFace(faceName, match)) {
      ReportFailure("The font \"" + faceName + "\" could not be found", "fontconfig has no match");
      return false;
    }
    file = match.file;
    index = match.index;
  }
  // Sizes are points on a 96 dots-per-inch screen, as the game's fonts were designed.
  TTF_Font* opened = TTF_OpenFontIndexDPI(file.c_str(), size, index, 96, 96);
  if (!opened) {
    ReportFailure("The font \"" + faceName + "\" could not be opened from " + file, TTF_GetError());
    return false;
  }
  FreeFont(font);
  FontRecord& record = s.fonts[font];
  record.font = opened;
  record.file = file;
  record.index = index;
  record.size = size;
  return true;
}

void FreeFont(int font) {
  MediaState& s = State();
  auto found = s.fonts.find(font);
  if (found == s.fonts.end()) return;
  // Cached lines of this font would outlive it.
  ReleaseTextTextures();
  if (found->second.font) TTF_CloseFont(found->second.font);
  if (found->second.scaled) TTF_CloseFont(found->second.scaled);
  s.fonts.erase(found);
  if (s.drawFont == font) s.drawFont = -1;
}

int TextWidth(const std::string& text) {
  TTF_Font* face = FontOf(State().drawFont);
  if (!face || text.empty()) return 0;
  int width = 0;
  int height = 0;
  if (TTF_SizeUTF8(face, TextAsUtf8(text).c_str(), &width, &height) != 0) return 0;
  return width;
}

bool FontHasCharacter(uint32_t codePoint) {
  TTF_Font* face = FontOf(State().drawFont);
  return face && TTF_GlyphIsProvided32(face, codePoint) != 0;
}

int TextHeight(const std::string&) {
  TTF_Font* face = FontOf(State().drawFont);
  return face ? TTF_FontHeight(face) : 0;
}

int ScreenFontSize(int font) {
  MediaState& s = State();
  auto found = s.fonts.find(font);
  if (found == s.fonts.end()) return 0;
  const TTF_Font* face = ScreenFontOf(font);
  return face == found->second.scaled && face ? found->second.scaledSize : found->second.size;
}
