// SPDX-License-Identifier: GPL-3.0-or-later
// Sound through OpenAL Soft: one buffer per sound and a small pool of sources, so that a sound
// played with soundMultiple overlaps its earlier instances. Volume follows a squared curve
// (gain = (volume / 100)²), which sounds even over the 0..100 range; pan places the source on a
// unit circle in front of the listener; frequency becomes the pitch against the native rate.
// A long Ogg track (the music) is not decoded whole: it streams through a few small buffers
// queued on its one source, which a feeder thread of this file's own refills as they play.
#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

#include "media/media.h"
#include "media/media_report.h"
#include "media/media_sound_internal.h"

using namespace media;

namespace {

constexpr std::size_t maxVoices = 8;
// Ogg sounds longer than this many bytes of PCM (about six seconds of 44.1 kHz stereo) stream.
constexpr std::size_t streamAbove = 1u << 20;
// The stream's queue: four buffers of a quarter of a second each, refilled every feedPeriod,
// so the game may stall for most of a second before the music runs dry.
constexpr std::size_t streamBufferCount = 4;
constexpr int streamBuffersPerSecond = 4;
constexpr auto feedPeriod = std::chrono::milliseconds(20);

struct MusicStream {
  OggStream decoder;
  std::array<ALuint, streamBufferCount> buffers{};
  std::vector<uint8_t> chunk;  // one buffer's worth, reused for every refill
  ALenum format = AL_FORMAT_STEREO16;
  bool looping = false;
  bool active = false;  // played and neither stopped nor run to its end
  bool drained = false; // the decoder has given its last piece (a plain play)
};

struct SoundRecord {
  ALuint buffer = 0;
  std::unique_ptr<MusicStream> stream;
  std::vector<ALuint> sources;
  std::size_t nextVoice = 0;
  int volume = 100;
  int pan = 0;
  int frequency = 0;  // 0: the native rate
  int nativeRate = 0;
  std::size_t frames = 0;
};

ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
std::unordered_map<int, SoundRecord> sounds;

// Guards the sounds and their streams between the game's calls and the feeder thread.
std::recursive_mutex soundMutex;
std::thread feeder;
std::mutex feederMutex;
std::condition_variable feederWake;
bool feederStop = false;

// Tones run on the side games' threads; this guards the device against a shut-down meanwhile.
std::mutex toneMutex;
std::atomic<int> activeTones{0};
bool tonesAllowed = false;

SoundRecord* FindSound(int number) {
  auto found = sounds.find(number);
  return found == sounds.end() ? nullptr : &found->second;
}

void ApplySettings(const SoundRecord& sound, ALuint source) {
  const float level = static_cast<float>(sound.volume) / 100.0f;
  alSourcef(source, AL_GAIN, level * level);
  const float x = static_cast<float>(sound.pan) / 100.0f;
  alSource3f(source, AL_POSITION, x, 0.0f, -std::sqrt(std::max(0.0f, 1.0f - x * x)));
  float pitch = 1.0f;
  if (sound.frequency > 0 && sound.nativeRate > 0) {
    pitch = static_cast<float>(sound.frequency) / static_cast<float>(sound.nativeRate);
  }
  alSourcef(source, AL_PITCH, std::clamp(pitch, 0.001f, 255.0f));
}

ALuint NewSource(const SoundRecord& sound) {
  ALuint source = 0;
  alGetError();
  alGenSources(1, &source);
  if (alGetError() != AL_NO_ERROR) return 0;
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
  if (!sound.stream) alSourcei(source, AL_BUFFER, static_cast<ALint>(sound.buffer));
  return source;
}

// Decodes the stream's next piece into one buffer and queues it; false at the end.
bool QueueNextPiece(MusicStream& stream, ALuint source, ALuint buffer) {
  if (stream.drained) return false;
  const std::size_t got = stream.decoder.Read(stream.chunk.data(), stream.chunk.size(), stream.looping);
  if (got == 0) {
    stream.drained = true;
    return false;
  }
  if (got < stream.chunk.size() && !stream.looping) stream.drained = true;
  alBufferData(buffer, stream.format, stream.chunk.data(), static_cast<ALsizei>(got), stream.decoder.Rate());
  alSourceQueueBuffers(source, 1, &buffer);
  return true;
}

// Empties the source's queue; a stopped source hands every buffer back.
void ClearQueue(ALuint source) {
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, 0);
}

// Refills the buffers the source has played, and starts it again if it ran dry while the game
// was busy; once a plain play has played its last piece, it is over.
void FeedStream(MusicStream& stream, ALuint source) {
  if (!stream.active) return;
  ALint processed = 0;
  alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
  for (; processed > 0; --processed) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source, 1, &buffer);
    QueueNextPiece(stream, source, buffer);
  }
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  if (state == AL_PLAYING) return;
  ALint queued = 0;
  alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
  if (queued > 0 && !(stream.drained && state == AL_STOPPED)) {
    alSourcePlay(source);
  } else {
    stream.active = false;
  }
}

void FeedLoop() {
  std::unique_lock<std::mutex> wait(feederMutex);
  while (!feederStop) {
    feederWake.wait_for(wait, feedPeriod);
    if (feederStop) break;
    std::lock_guard<std::recursive_mutex> lock(soundMutex);
    for (auto& [number, sound] : sounds) {
      if (sound.stream && !sound.sources.empty()) FeedStream(*sound.stream, sound.sources.front());
    }
  }
}

// Starts the stream from its beginning on the sound's source.
void StartStream(SoundRecord& sound, ALuint source, bool loop) {
  MusicStream& stream = *sound.stream;
  ClearQueue(source);
  alSourcei(source, AL_LOOPING, AL_FALSE);  // the loop is in the decoding, not the queue
  stream.looping = loop;
  stream.drained = false;
  stream.decoder.Rewind();
  std::size_t queued = 0;
  for (ALuint buffer : stream.buffers) {
    if (QueueNextPiece(stream, source, buffer)) ++queued;
  }
  stream.active = queued > 0;
  ApplySettings(sound, source);
  if (stream.active) alSourcePlay(source);
}

bool SourcePlaying(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state == AL_PLAYING;
}

// OpenAL's words for its latest error on the device (nullptr: opening one).
std::string AlcReason(ALCdevice* on) {
  const ALCenum error = alcGetError(on);
  const ALCchar* words = alcGetString(on, error);
  return words ? words : "ALC error " + std::to_string(error);
}

std::string AlReason(ALenum error) {
  const ALchar* words = alGetString(error);
  return words ? words : "AL error " + std::to_string(error);
}

void ReleaseSound(SoundRecord& sound) {
  for (ALuint source : sound.sources) {
    alSourceStop(source);
    alDeleteSources(1, &source);
  }
  sound.sources.clear();
  if (sound.buffer) alDeleteBuffers(1, &sound.buffer);
  sound.buffer = 0;
  if (sound.stream) {
    alDeleteBuffers(static_cast<ALsizei>(streamBufferCount), sound.stream->buffers.data());
    sound.stream.reset();
  }
}

// A long Ogg track becomes a stream with its buffers made; false (and a report) if refused.
bool CatchStream(int number, const uint8_t* bytes, std::size_t size) {
  auto stream = std::make_unique<MusicStream>();
  std::string reason;
  if (!stream->decoder.Open(bytes, size, reason)) {
    ReportFailure("Sound " + std::to_string(number) + " could not be decoded", reason);
    return false;
  }
  const int channels = stream->decoder.Channels();
  stream->format = channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
  const std::size_t frameBytes = static_cast<std::size_t>(channels) * 2;
  const std::size_t piece = std::max<std::size_t>(1, static_cast<std::size_t>(stream->decoder.Rate()) / streamBuffersPerSecond);
  stream->chunk.resize(piece * frameBytes);
  alGetError();
  alGenBuffers(static_cast<ALsizei>(streamBufferCount), stream->buffers.data());
  const ALenum error = alGetError();
  if (error != AL_NO_ERROR) {
    ReportFailure("Sound " + std::to_string(number) + " has no buffer", AlReason(error));
    return false;
  }
  FreeSound(number);
  SoundRecord& record = sounds[number];
  record.nativeRate = stream->decoder.Rate();
  record.frames = stream->decoder.Frames();
  record.stream = std::move(stream);
  return true;
}

// Whether an Ogg file's PCM would pass streamAbove, read from its headers alone.
bool LongOgg(const uint8_t* bytes, std::size_t size) {
  if (!IsOggData(bytes, size)) return false;
  OggStream probe;
  std::string reason;
  if (!probe.Open(bytes, size, reason)) return false;  // DecodeOgg says why
  return probe.Frames() * static_cast<std::size_t>(probe.Channels()) * 2 > streamAbove;
}

}  // namespace

bool InitSound() {
  if (device) return true;
  device = alcOpenDevice(nullptr);
  if (!device) {
    ReportFailure("The sound device could not be opened", AlcReason(nullptr));
    return false;
  }
  context = alcCreateContext(device, nullptr);
  if (!context || !alcMakeContextCurrent(context)) {
    ReportFailure("The sound device could not be used", AlcReason(device));
    if (context) alcDestroyContext(context);
    alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
    return false;
  }
  {
    std::lock_guard<std::mutex> wait(feederMutex);
    feederStop = false;
  }
  feeder = std::thread(FeedLoop);
  std::lock_guard<std::mutex> lock(toneMutex);
  tonesAllowed = true;
  return true;
}

namespace media {

void ShutdownSound() {
  {
    std::lock_guard<std::mutex> lock(toneMutex);
    tonesAllowed = false;
  }
  // Tones still sounding finish their short wait before the device goes.
  for (int waited = 0; activeTones > 0 && waited < 5000; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (feeder.joinable()) {
    {
      std::lock_guard<std::mutex> wait(feederMutex);
      feederStop = true;
    }
    feederWake.notify_all();
    feeder.join();
  }
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  for (auto& [number, sound] : sounds) ReleaseSound(sound);
  sounds.clear();
  if (context) {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
  }
  if (device) alcCloseDevice(device);
  context = nullptr;
  device = nullptr;
}

std::size_t LoadedSoundCount() {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  return sounds.size();
}


}  // namespace media

bool CatchSound(int sound, const void* data, std::size_t size) {
  if (!device || sound < 0 || !data) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  if (LongOgg(bytes, size)) return CatchStream(sound, bytes, size);
  DecodedSound decoded;
  std::string reason;
  if (!DecodeSound(bytes, size, decoded, reason)) {
    ReportFailure("Sound " + std::to_string(sound) + " could not be decoded", reason);
    return false;
  }
  ALenum format = decoded.channels == 1 ? (decoded.bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16)
                                        : (decoded.bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16);
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) {
    ReportFailure("Sound " + std::to_string(sound) + " has no buffer", AlReason(error));
    return false;
  }
  alBufferData(buffer, format, decoded.samples.data(), static_cast<ALsizei>(decoded.samples.size()),
               decoded.rate);
  error = alGetError();
  if (error != AL_NO_ERROR) {
    ReportFailure("Sound " + std::to_string(sound) + " could not be stored", AlReason(error));
    alDeleteBuffers(1, &buffer);
    return false;
  }
  FreeSound(sound);
  SoundRecord& record = sounds[sound];
  record.buffer = buffer;
  record.nativeRate = decoded.rate;
  record.frames = decoded.frames;
  return true;
}

void PlaySound(int sound, int flags) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  ALuint source = 0;
  if (record->stream) {
    // A stream has one voice: playing it again starts it over.
    if (record->sources.empty()) {
      source = NewSource(*record);
      if (!source) return;
      record->sources.push_back(source);
    }
    StartStream(*record, record->sources.front(), (flags & soundLoop) != 0);
    return;
  }
  if (flags & soundMultiple) {
    for (ALuint candidate : record->sources) {
      if (!SourcePlaying(candidate)) {
        source = candidate;
        break;
      }
    }
    if (!source && record->sources.size() < maxVoices) {
      source = NewSource(*record);
      if (source) record->sources.push_back(source);
    }
    if (!source) {
      // Every voice busy: the oldest started one gives way.
      source = record->sources[record->nextVoice % record->sources.size()];
      record->nextVoice = (record->nextVoice + 1) % record->sources.size();
    }
  } else {
    if (record->sources.empty()) {
      source = NewSource(*record);
      if (!source) return;
      record->sources.push_back(source);
    }
    source = record->sources.front();
  }
  if (!source) return;
  alSourceStop(source);
  alSourceRewind(source);
  alSourcei(source, AL_LOOPING, (flags & soundLoop) ? AL_TRUE : AL_FALSE);
  ApplySettings(*record, source);
  alSourcePlay(source);
}

void StopSound(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  auto stop = [](SoundRecord& record) {
    for (ALuint source : record.sources) alSourceStop(source);
    if (record.stream) record.stream->active = false;
  };
  if (sound == -1) {
    for (auto& [number, record] : sounds) stop(record);
    return;
  }
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  stop(*record);
}

void SoundVolume(int sound, int volume) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  record->volume = std::clamp(volume, 0, 100);
  for (ALuint source : record->sources) ApplySettings(*record, source);
}

void SoundPan(int sound, int pan) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  record->pan = std::clamp(pan, -100, 100);
  for (ALuint source : record->sources) ApplySettings(*record, source);
}

void SoundFrequency(int sound, int hertz) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  record->frequency = hertz > 0 ? hertz : 0;
  for (ALuint source : record->sources) ApplySettings(*record, source);
}

bool SoundPlaying(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return false;
  for (ALuint source : record->sources) {
    if (SourcePlaying(source)) return true;
  }
  return false;
}

void FreeSound(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  ReleaseSound(*record);
  sounds.erase(sound);
}

bool IsSound(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  return FindSound(sound) != nullptr;
}

int GetSoundVolume(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  return record ? record->volume : 0;
}

int GetSoundPan(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  return record ? record->pan : 0;
}

int GetSoundFrequency(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return 0;
  return record->frequency > 0 ? record->frequency : record->nativeRate;
}

int SoundLength(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record || record->nativeRate <= 0) return 0;
  return static_cast<int>(record->frames * 1000 / static_cast<std::size_t>(record->nativeRate));
}

std::size_t SoundBufferedBytes(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return 0;
  std::size_t total = 0;
  auto add = [&total](ALuint buffer) {
    ALint size = 0;
    if (buffer) alGetBufferi(buffer, AL_SIZE, &size);
    total += static_cast<std::size_t>(std::max(0, size));
  };
  add(record->buffer);
  if (record->stream) {
    for (ALuint buffer : record->stream->buffers) add(buffer);
  }
  return total;
}

float SoundGain(int sound) {
  std::lock_guard<std::recursive_mutex> lock(soundMutex);
  SoundRecord* record = FindSound(sound);
  if (!record) return 0.0f;
  if (record->sources.empty()) {
    const float level = static_cast<float>(record->volume) / 100.0f;
    return level * level;
  }
  ALfloat gain = 0.0f;
  alGetSourcef(record->sources.front(), AL_GAIN, &gain);
  return gain;
}

// A square wave with short ramps (no clicks), played on a source of its own. The caller's
// thread waits for the tone's length, as a hardware beep would block it.
void Tone(int hertz, int milliseconds) {
  if (milliseconds <= 0) return;
  ALuint source = 0;
  ALuint buffer = 0;
  {
    std::lock_guard<std::mutex> lock(toneMutex);
    if (tonesAllowed && hertz > 0) {
      constexpr int rate = 22050;
      const int count = std::max(1, rate * milliseconds / 1000);
      const int ramp = std::min(count / 4, rate / 500);
      std::vector<int16_t> samples(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) {
        double phase = std::fmod(static_cast<double>(i) * hertz / rate, 1.0);
        double level = phase < 0.5 ? 0.25 : -0.25;
        if (ramp > 0) level *= std::min({1.0, static_cast<double>(i) / ramp, static_cast<double>(count - 1 - i) / ramp});
        samples[static_cast<std::size_t>(i)] = static_cast<int16_t>(level * 32767);
      }
      alGetError();
      alGenBuffers(1, &buffer);
      alGenSources(1, &source);
      if (alGetError() == AL_NO_ERROR) {
        alBufferData(buffer, AL_FORMAT_MONO16, samples.data(), count * 2, rate);
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        alSourcePlay(source);
        ++activeTones;
      } else {
        if (source) alDeleteSources(1, &source);
        if (buffer) alDeleteBuffers(1, &buffer);
        source = 0;
        buffer = 0;
      }
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  if (!source) return;
  {
    std::lock_guard<std::mutex> lock(toneMutex);
    alSourceStop(source);
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
  }
  --activeTones;
}
