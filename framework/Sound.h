#pragma once
// Short sounds held in memory and played on the default audio output.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Object.h"

namespace fw {

class Sound : public Object {
  FW_CLASS("Sound")
 public:
  // 16-bit samples, channels interleaved. InvalidArgumentException for a sample rate outside
  // 1 to 768000, a channel count outside 1 to 8, or samples that are not whole frames.
  Sound(Integer sampleRate, Integer channels, std::vector<std::int16_t> samples);
  ~Sound() override;
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  // A sound file in a format libsndfile reads (AIFF, WAV, FLAC ...), decoded to 16 bits; nil
  // when the file is missing, is not a regular file (a FIFO or a device could block the read) or
  // is not a sound.
  static Ref<Sound> Open(const std::string& path);

  Integer SampleRate() const { return sampleRate_; }
  Integer Channels() const { return channels_; }
  Integer Frames() const { return Integer(samples_.size()) / channels_; }
  const std::vector<std::int16_t>& Samples() const { return samples_; }

  // Starts the sound on the default audio output and returns at once; the event loop feeds it.
  // Playing a sound that is still playing starts it again from the beginning. With no audio
  // device, or no running application, it does nothing.
  void Play();
  void Stop();
  bool IsPlaying() const;

 private:
  struct Player;
  Integer sampleRate_;
  Integer channels_;
  std::vector<std::int16_t> samples_;
  std::unique_ptr<Player> player_;
};

}  // namespace fw
