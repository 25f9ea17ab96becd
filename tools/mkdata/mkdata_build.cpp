// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdata_build.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "assets/menu_catalogue.h"
#include "assets/credits_catalogue.h"
#include "assets/pack_file.h"
#include "assets/scenery_catalogue.h"
#include "media/media.h"
#include "assets/side_game_catalogue.h"
#include "assets/tetris_catalogue.h"
#include "generators.h"

namespace fs = std::filesystem;

bool MakeFolder(const fs::path& folder, std::string& error) {
  if (folder.empty()) return true;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!ec) return true;
  error = "cannot make the folder " + folder.string() + ": " + ec.message();
  return false;
}

const std::vector<CataloguePack>& AllPacks() {
  static const std::vector<CataloguePack> packs = [] {
    std::vector<CataloguePack> all = MainCatalogue();
    all.push_back(MenuCatalogue());
    all.push_back(CreditsCatalogue());
    for (const CataloguePack& pack : SceneryCatalogue()) all.push_back(pack);
    all.push_back(TetrisCatalogue());
    all.push_back(DuckCatalogue());
    all.push_back(SugarCatalogue());
    return all;
  }();
  return packs;
}

namespace {

cairo_surface_t* DrawPicture(const std::string& fileName) {
  cairo_surface_t* surface = DrawArenaPicture(fileName);
  if (!surface) surface = DrawWeaponPicture(fileName);
  if (!surface) surface = DrawMenuPicture(fileName);
  if (!surface) surface = DrawSceneryPicture(fileName);
  if (!surface) surface = DrawCreditsPicture(fileName);
  if (!surface) surface = DrawTetrisPicture(fileName);
  if (!surface) surface = DrawDuckPicture(fileName);
  if (!surface) surface = DrawSweetsPicture(fileName);
  return surface;
}

// The mean difference of a channel (0 to 255) between a picture and one twice its size brought
// down by the mean of each 2 x 2 square; 255 when the sizes do not fit.
double DetailDifference(cairo_surface_t* normal, cairo_surface_t* large) {
  cairo_surface_flush(normal);
  cairo_surface_flush(large);
  const int w = cairo_image_surface_get_width(normal), h = cairo_image_surface_get_height(normal);
  if (cairo_image_surface_get_width(large) != 2 * w || cairo_image_surface_get_height(large) != 2 * h ||
      w == 0 || h == 0) {
    return 255;
  }
  const uint8_t* a = cairo_image_surface_get_data(normal);
  const uint8_t* b = cairo_image_surface_get_data(large);
  const int strideA = cairo_image_surface_get_stride(normal), strideB = cairo_image_surface_get_stride(large);
  double total = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      for (int c = 0; c < 4; ++c) {
        const uint8_t* q = b + static_cast<size_t>(2 * y) * strideB + 8 * x + c;
        const int mean = (q[0] + q[4] + q[strideB] + q[strideB + 4] + 2) / 4;
        total += std::abs(mean - a[static_cast<size_t>(y) * strideA + 4 * x + c]);
      }
    }
  }
  return total / (4.0 * w * h);
}

}  // namespace

namespace {

// The entry of the packs of a sharp display for a picture already drawn at its size: the picture
// drawn again at twice the size when it brings down to the same picture, else normalBytes (the
// normal picture's entry). False when the larger picture cannot be drawn.
bool MakeDetailEntry(const CatalogueRow& row, cairo_surface_t* normal, const std::vector<uint8_t>& normalBytes,
                     std::vector<uint8_t>& bytes, bool& detailed) {
  bytes.clear();
  detailed = false;
  SetPictureDetail(2);
  cairo_surface_t* large = DrawPicture(row.fileName);
  SetPictureDetail(1);
  const bool ok = large && cairo_surface_status(large) == CAIRO_STATUS_SUCCESS;
  if (ok) {
    // A generator that works on whole pixels of its own size draws a picture that is not the
    // same one at twice the size: the normal picture stands in for it, and the game keeps it.
    detailed = DetailDifference(normal, large) <= detailTolerance;
    bytes = detailed ? EncodePicture(large, row.fileName) : normalBytes;
  }
  if (large) cairo_surface_destroy(large);
  return ok && !bytes.empty();
}

// A sound, or an image of 2D drawing: no larger form.
bool HasNoDetail(const CatalogueRow& row) {
  return row.loader == LoaderKind::sound || row.loader == LoaderKind::image;
}

}  // namespace

bool MakeDetailedAsset(const CatalogueRow& row, std::vector<uint8_t>& bytes, bool& detailed) {
  bytes.clear();
  detailed = false;
  // A one-byte stand-in keeps the order.
  if (HasNoDetail(row)) {
    bytes.push_back(0);
    return true;
  }
  cairo_surface_t* normal = DrawPicture(row.fileName);
  bool ok = normal && cairo_surface_status(normal) == CAIRO_STATUS_SUCCESS;
  if (ok) ok = MakeDetailEntry(row, normal, EncodePicture(normal, row.fileName), bytes, detailed);
  if (normal) cairo_surface_destroy(normal);
  return ok;
}

bool MakeAsset(const CatalogueRow& row, std::vector<uint8_t>& bytes, std::string& error) {
  bytes.clear();
  if (row.loader == LoaderKind::sound) {
    if (MakeSound(row.fileName, bytes) && !bytes.empty()) return true;
    error = "no generator makes the sound \"" + row.fileName + "\"";
    return false;
  }
  cairo_surface_t* surface = DrawPicture(row.fileName);
  if (!surface) {
    error = "no generator draws the picture \"" + row.fileName + "\"";
    return false;
  }
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) bytes = EncodePicture(surface, row.fileName);
  cairo_surface_destroy(surface);
  if (bytes.empty()) {
    error = "the picture \"" + row.fileName + "\" could not be drawn or encoded";
    return false;
  }
  return true;
}

namespace {

struct Job {
  const CatalogueRow* row;
  std::vector<uint8_t> bytes;
  std::string error;
  bool done = false;
  std::vector<uint8_t> detailBytes;  // the entry of the packs of a sharp display
  bool detailed = false;             // drawn at twice the size (else the normal picture)
};

// Makes one row's entries for both sets of packs. A picture is drawn once at its size for both:
// its detail entry is drawn again only at twice the size.
void MakeJob(Job& job) {
  const CatalogueRow& row = *job.row;
  if (HasNoDetail(row)) {
    job.done = MakeAsset(row, job.bytes, job.error) && MakeDetailedAsset(row, job.detailBytes, job.detailed);
    return;
  }
  cairo_surface_t* normal = DrawPicture(row.fileName);
  if (!normal) {
    job.error = "no generator draws the picture \"" + row.fileName + "\"";
    return;
  }
  if (cairo_surface_status(normal) == CAIRO_STATUS_SUCCESS) job.bytes = EncodePicture(normal, row.fileName);
  if (job.bytes.empty()) {
    job.error = "the picture \"" + row.fileName + "\" could not be drawn or encoded";
  } else if (!MakeDetailEntry(row, normal, job.bytes, job.detailBytes, job.detailed)) {
    job.error = "the picture \"" + row.fileName + "\" could not be drawn at twice its size";
  } else {
    job.done = true;
  }
  cairo_surface_destroy(normal);
}

// Makes every job on a pool of threads. Each thread takes the next job not yet taken, so the
// work spreads evenly whatever each job costs; the results stay in their own slots. A failure
// does not stop the others: the report then names every missing file, the same in every run.
void RunJobs(std::vector<Job>& jobs, const std::vector<size_t>& order, int threads) {
  std::atomic<size_t> next{0};
  auto work = [&]() {
    for (;;) {
      const size_t k = next.fetch_add(1);
      if (k >= order.size()) return;
      MakeJob(jobs[order[k]]);
    }
  };
  std::vector<std::thread> pool;
  for (int i = 1; i < threads; ++i) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
}

bool WritePack(const std::string& path, std::vector<Job>::const_iterator begin,
               std::vector<Job>::const_iterator end, bool detailed, uint64_t& size, std::string& error) {
  // Written under another name and renamed when complete, so an interrupted build never
  // leaves a short pack that looks finished.
  const std::string part = path + ".part";
  if (!MakeFolder(fs::path(path).parent_path(), error)) return false;
  if (!CreatePackFile(part)) {
    error = "cannot create " + part + ": " + std::strerror(errno);
    return false;
  }
  for (auto job = begin; job != end; ++job) {
    const std::vector<uint8_t>& bytes = detailed ? job->detailBytes : job->bytes;
    if (!AddMemoryToPack(bytes.data(), bytes.size(), 9)) {
      ClosePackFile();
      error = "cannot write \"" + job->row->fileName + "\" to " + part;
      return false;
    }
  }
  ClosePackFile();
  std::error_code ec;
  fs::rename(part, path, ec);
  if (ec) {
    error = "cannot rename " + part + ": " + ec.message();
    return false;
  }
  size = fs::file_size(path, ec);
  if (ec) {
    error = "cannot read the size of " + path + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

bool BuildPacks(const std::vector<CataloguePack>& packs, const std::string& gameDir, int jobs,
                BuildSummary& summary, std::string& error) {
  const auto start = std::chrono::steady_clock::now();
  summary = BuildSummary();
  std::vector<Job> all;
  for (const CataloguePack& pack : packs) {
    for (const CatalogueRow& row : pack.rows) all.push_back(Job{&row, {}, {}, false});
  }
  // Sounds first: the music is the longest single job, and starting it early keeps the other
  // threads busy with pictures meanwhile.
  std::vector<size_t> order;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].row->loader == LoaderKind::sound) order.push_back(i);
  }
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].row->loader != LoaderKind::sound) order.push_back(i);
  }
  if (jobs <= 0) jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  RunJobs(all, order, jobs);
  summary.makeSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Every failure, in catalogue order.
  for (const Job& job : all) {
    if (!job.done) error += (error.empty() ? "" : "\n") + job.error;
  }
  if (!error.empty()) return false;

  size_t at = 0;
  for (const CataloguePack& pack : packs) {
    const auto begin = all.cbegin() + static_cast<std::ptrdiff_t>(at);
    at += pack.rows.size();
    for (auto job = begin; job != all.cbegin() + static_cast<std::ptrdiff_t>(at); ++job) {
      ++(job->row->loader == LoaderKind::sound ? summary.sounds : summary.pictures);
    }
    for (auto job = begin; job != all.cbegin() + static_cast<std::ptrdiff_t>(at); ++job) {
      summary.detailedPictures += job->detailed;
    }
    uint64_t size = 0;
    const auto end = all.cbegin() + static_cast<std::ptrdiff_t>(at);
    if (!WritePack((fs::path(gameDir) / pack.packName).string(), begin, end, false, size, error)) {
      return false;
    }
    summary.packBytes.push_back(size);
    if (!WritePack((fs::path(gameDir) / DetailPackName(pack.packName)).string(), begin, end, true, size, error)) {
      return false;
    }
    summary.detailPackBytes.push_back(size);
  }
  summary.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return true;
}

std::vector<CataloguePack> GamePacks() { return AllPacks(); }

bool WritePlainPicture(const std::string& fileName, const std::string& gameDir, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!MakeAsset(CatalogueRow{LoaderKind::sprite, 0, NativePath(fileName), -1}, bytes, error)) {
    return false;
  }
  const fs::path path = fs::path(gameDir) / NativePath(fileName);
  if (!MakeFolder(path.parent_path(), error)) return false;
  // Written whole under another name first, as the packs are.
  const fs::path part = path.string() + ".part";
  {
    std::ofstream out(part, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      error = "cannot write " + part.string() + ": " + std::strerror(errno);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(part, path, ec);
  if (ec) {
    error = "cannot rename " + part.string() + ": " + ec.message();
    return false;
  }
  return true;
}

bool PlaceFont(const std::string& fontFile, const std::string& gameDir, std::string& error) {
  if (!MakeFolder(gameDir, error)) return false;
  std::error_code ec;
  fs::copy_file(fontFile, fs::path(gameDir) / designerBlockFile, fs::copy_options::overwrite_existing,
                ec);
  if (ec) {
    error = "cannot copy the font " + fontFile + ": " + ec.message();
    return false;
  }
  return true;
}

bool WriteSounds(const std::string& dir, std::string& error) {
  if (!MakeFolder(dir, error)) return false;
  for (const CataloguePack& pack : GamePacks()) {
    for (const CatalogueRow& row : pack.rows) {
      if (row.loader != LoaderKind::sound) continue;
      std::vector<uint8_t> bytes;
      if (!MakeAsset(row, bytes, error)) return false;
      // Catalogue names may use either slash ("GFX\\Credits\\...").
      std::string name = row.fileName;
      std::replace(name.begin(), name.end(), '\\', '/');
      const fs::path path = fs::path(dir) / fs::path(name).filename();
      std::ofstream out(path, std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!out) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
      }
    }
  }
  return true;
}
