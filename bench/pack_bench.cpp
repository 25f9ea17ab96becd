// SPDX-License-Identifier: GPL-3.0-or-later
// The pack codec against zlib (compress2 at level 9, uncompress) on the same inputs: a text
// corpus from the system, a picture as an uncompressed BMP and PCM sound as WAV.
// Throughput is in bytes of original data per second; the counters give the compressed size,
// the ratio to the original and the ratio to zlib's size.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "../tests/unit/pack_media.h"
#include "assets/pack_codec.h"

namespace {

enum Corpus { text, picture, sound };

const std::vector<uint8_t>& Input(int corpus) {
  static const std::vector<uint8_t> inputs[3] = {
      [] {
        std::vector<uint8_t> t = packmedia::ReadTextCorpus(1 << 20);
        return t.empty() ? packmedia::MakePicture(16, 16, 1) : t;
      }(),
      packmedia::MakePicture(640, 480, 7),
      [] {
        std::vector<uint8_t> s;
        for (uint32_t seed : {3u, 4u, 5u}) {
          std::vector<uint8_t> one = packmedia::MakeSound(seed);
          s.insert(s.end(), one.begin(), one.end());
        }
        return s;
      }(),
  };
  return inputs[corpus];
}

const char* Name(int corpus) {
  static const char* names[3] = {"text", "picture.bmp", "sound.wav"};
  return names[corpus];
}

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data) {
  uLongf size = compressBound(data.size());
  std::vector<uint8_t> out(size);
  compress2(out.data(), &size, data.data(), data.size(), 9);
  out.resize(size);
  return out;
}

void Report(benchmark::State& state, int corpus, std::size_t compressed, std::size_t zlib) {
  const std::vector<uint8_t>& data = Input(corpus);
  state.SetLabel(Name(corpus));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
  state.counters["original"] = double(data.size());
  state.counters["compressed"] = double(compressed);
  state.counters["ratio"] = double(compressed) / double(data.size());
  state.counters["vs_zlib"] = double(compressed) / double(zlib);
}

void BM_PackCompress(benchmark::State& state) {
  const std::vector<uint8_t>& data = Input(int(state.range(0)));
  std::size_t size = 0;
  for (auto _ : state) {
    std::vector<uint8_t> stream = Compress(data.data(), data.size(), 9);
    size = stream.size();
    benchmark::DoNotOptimize(stream.data());
  }
  Report(state, int(state.range(0)), size, ZlibCompress(data).size());
}

void BM_ZlibCompress(benchmark::State& state) {
  const std::vector<uint8_t>& data = Input(int(state.range(0)));
  std::size_t size = 0;
  for (auto _ : state) {
    std::vector<uint8_t> stream = ZlibCompress(data);
    size = stream.size();
    benchmark::DoNotOptimize(stream.data());
  }
  Report(state, int(state.range(0)), size, size);
}

void BM_PackDecompress(benchmark::State& state) {
  const std::vector<uint8_t>& data = Input(int(state.range(0)));
  std::vector<uint8_t> stream = Compress(data.data(), data.size(), 9);
  std::vector<uint8_t> out(data.size());
  for (auto _ : state) {
    std::size_t written = Decompress(stream.data(), stream.size(), out.data(), out.size());
    if (written != data.size()) state.SkipWithError("round trip failed");
    benchmark::DoNotOptimize(out.data());
  }
  if (std::memcmp(out.data(), data.data(), data.size()) != 0) {
    state.SkipWithError("contents differ");
  }
  Report(state, int(state.range(0)), stream.size(), ZlibCompress(data).size());
}

void BM_ZlibUncompress(benchmark::State& state) {
  const std::vector<uint8_t>& data = Input(int(state.range(0)));
  std::vector<uint8_t> stream = ZlibCompress(data);
  std::vector<uint8_t> out(data.size());
  for (auto _ : state) {
    uLongf size = out.size();
    if (uncompress(out.data(), &size, stream.data(), stream.size()) != Z_OK) {
      state.SkipWithError("zlib failed");
    }
    benchmark::DoNotOptimize(out.data());
  }
  Report(state, int(state.range(0)), stream.size(), stream.size());
}

BENCHMARK(BM_PackCompress)->DenseRange(text, sound)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress)->DenseRange(text, sound)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackDecompress)->DenseRange(text, sound)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibUncompress)->DenseRange(text, sound)->Unit(benchmark::kMicrosecond);

}  // namespace
