// SPDX-License-Identifier: GPL-3.0-or-later
// Sound through OpenAL Soft: one buffer per sound and a small pool of sources, so that a sound
// played with soundMultiple overlaps its earlier instances. Volume follows a squared curve
// (gain = (volume / 100)²), which sounds even over the 0..100 range; pan places the source on a
// unit circle in front of the listener; frequency becomes the pitch against the native rate.
#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
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

struct SoundRecord {
  ALuint buffer = 0;
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
  alSourcei(source, AL_BUFFER, static_cast<ALint>(sound.buffer));
  return source;
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

std::size_t LoadedSoundCount() { return sounds.size(); }

}  // namespace media

bool CatchSound(int sound, const void* data, std::size_t size) {
  if (!device || sound < 0 || !data) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
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
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  ALuint source = 0;
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
  if (sound == -1) {
    for (auto& [number, record] : sounds) {
      for (ALuint source : record.sources) alSourceStop(source);
    }
    return;
  }
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  for (ALuint source : record->sources) alSourceStop(source);
}

void SoundVolume(int sound, int volume) {
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  record->volume = std::clamp(volume, 0, 100);
  for (ALuint source : record->sources) ApplySettings(*record, source);
}

void SoundPan(int sound, int pan) {
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  record->pan = std::clamp(pan, -100, 100);
  for (ALuint source : record->sources) ApplySettings(*record, source);
}

void SoundFrequency(int sound, int hertz) {
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  record->frequency = hertz > 0 ? hertz : 0;
  for (ALuint source : record->sources) ApplySettings(*record, source);
}

bool SoundPlaying(int sound) {
  SoundRecord* record = FindSound(sound);
  if (!record) return false;
  for (ALuint source : record->sources) {
    if (SourcePlaying(source)) return true;
  }
  return false;
}

void FreeSound(int sound) {
  SoundRecord* record = FindSound(sound);
  if (!record) return;
  ReleaseSound(*record);
  sounds.erase(sound);
}

bool IsSound(int sound) { return FindSound(sound) != nullptr; }

int GetSoundVolume(int sound) {
  SoundRecord* record = FindSound(sound);
  return record ? record->volume : 0;
}

int GetSoundPan(int sound) {
  SoundRecord* record = FindSound(sound);
  return record ? record->pan : 0;
}

int GetSoundFrequency(int sound) {
  SoundRecord* record = FindSound(sound);
  if (!record) return 0;
  return record->frequency > 0 ? record->frequency : record->nativeRate;
}

int SoundLength(int sound) {
  SoundRecord* record = FindSound(sound);
  if (!record || record->nativeRate <= 0) return 0;
  return static_cast<int>(record->frames * 1000 / static_cast<std::size_t>(record->nativeRate));
}

float SoundGain(int sound) {
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
