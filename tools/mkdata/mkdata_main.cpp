// SPDX-License-Identifier: GPL-3.0-or-later
// mkdata: builds the game's data into its working directory, or helps review it.
//
//   mkdata --game-dir DIR [--font FILE] [--jobs N]
//       draws and synthesises every catalogue entry, writes DIR/packs/*.pak, the pause picture
//       and the desktop icon (DIR/icons/kaldovirent.png), and copies FILE as DIR/DESIB___.otf
//   mkdata --contact-sheet PAK OUT.png [FIRST [COUNT [DETAILPAK]]]
//       the pictures of a pack in a grid, each with its object number
//       (with DETAILPAK, each beside the same entry of DETAILPAK, drawn at twice its size)
//   mkdata --contact-sheets GAMEDIR OUTDIR
//       one sheet for every pack of pictures the game has, OUTDIR/<pack>.png, each picture beside
//       its form drawn at twice the size (packs2x/) when that is built
//   mkdata --sounds-to DIR
//       every sound as a file of its own, to listen to
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>

#include "assets/menu_catalogue.h"
#include "generators.h"
#include "mkdata_build.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: mkdata --game-dir DIR [--font FILE] [--jobs N]\n"
               "       mkdata --contact-sheet PAK OUT.png [FIRST [COUNT [DETAILPAK]]]\n"
               "       mkdata --contact-sheets GAMEDIR OUTDIR\n"
               "       mkdata --sounds-to DIR\n");
  return 2;
}

// One line per problem, each naming the tool, as a build log shows it.
int Fail(const std::string& error) {
  size_t start = 0;
  while (start <= error.size()) {
    const size_t end = std::min(error.find('\n', start), error.size());
    std::fprintf(stderr, "mkdata: %s\n", error.substr(start, end - start).c_str());
    start = end + 1;
  }
  return 1;
}

// Cairo and fontconfig keep their font caches until told otherwise; releasing them at exit keeps
// the leak checker of sanitizer builds quiet about memory that is not ours.
void ReleaseFontCaches() {
  cairo_debug_reset_static_data();
  FcFini();
}

int Run(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string mode = argv[1];
  std::string error;

  if (mode == "--contact-sheet") {
    if (argc < 4) return Usage();
    const int first = argc > 4 ? std::atoi(argv[4]) : 0;
    const int count = argc > 5 ? std::atoi(argv[5]) : -1;
    const std::string detail = argc > 6 ? argv[6] : "";
    return WriteContactSheet(argv[2], argv[3], first, count, error, detail) ? 0 : Fail(error);
  }
  if (mode == "--contact-sheets") {
    if (argc < 4) return Usage();
    return WriteAllContactSheets(argv[2], argv[3], error) ? 0 : Fail(error);
  }
  if (mode == "--sounds-to") {
    return WriteSounds(argv[2], error) ? 0 : Fail(error);
  }
  if (mode != "--game-dir") return Usage();

  const std::string gameDir = argv[2];
  std::string font;
  int jobs = 0;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--font") {
      font = argv[i + 1];
    } else if (option == "--jobs") {
      jobs = std::atoi(argv[i + 1]);
    } else {
      return Usage();
    }
  }
  BuildSummary summary;
  const std::vector<CataloguePack> packs = GamePacks();
  if (!BuildPacks(packs, gameDir, jobs, summary, error)) return Fail(error);
  if (!WritePlainPicture(pausePictureFile, gameDir, error)) return Fail(error);
  if (!WritePlainPicture(desktopIconFile, gameDir, error)) return Fail(error);
  if (!font.empty() && !PlaceFont(font, gameDir, error)) return Fail(error);
  std::printf("mkdata: %d pictures and %d sounds in %.1f s (%.1f s making, %.1f s packing);",
              summary.pictures, summary.sounds, summary.seconds, summary.makeSeconds,
              summary.seconds - summary.makeSeconds);
  for (size_t i = 0; i < summary.packBytes.size(); ++i) {
    std::printf(" %s %.1f MB%s", packs[i].packName.c_str(), summary.packBytes[i] / 1048576.0,
                i + 1 < summary.packBytes.size() ? "," : "\n");
  }
  uint64_t detailBytes = 0;
  for (uint64_t bytes : summary.detailPackBytes) detailBytes += bytes;
  std::printf("mkdata: %d of %d pictures drawn at twice their size for a sharp display (%s, %.1f MB)\n",
              summary.detailedPictures, summary.pictures, detailPackFolder, detailBytes / 1048576.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = Run(argc, argv);
  ReleaseFontCaches();
  return status;
}
