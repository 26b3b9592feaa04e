#include "framework/Sound.h"

#include <sndfile.h>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fw {

namespace {
constexpr Integer kMaxSampleRate = 768000;
constexpr Integer kMaxChannels = 8;
// A sound is held in memory whole: refuse files that would take more than 128 MiB.
constexpr sf_count_t kMaxSamples = sf_count_t(64) * 1024 * 1024;

QtMessageHandler previousHandler = nullptr;

// Without an audio server, Qt's audio back end says so once, as it first connects. For us that
// is the ordinary no-device case, so that one line is dropped; everything else passes on.
void DropNoServerMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("PulseAudioService:"))) return;
  if (previousHandler) {
    previousHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}

QAudioDevice DefaultOutput() {
  static bool connected = false;
  if (connected) return QMediaDevices::defaultAudioOutput();
  connected = true;
  previousHandler = qInstallMessageHandler(DropNoServerMessage);
  QAudioDevice device = QMediaDevices::defaultAudioOutput();
  qInstallMessageHandler(previousHandler);
  return device;
}

}  // namespace

// The sink is a child of the application, so it goes with the application at exit and never
// outlives the audio back end; the QPointer notices that.
struct Sound::Player {
  QBuffer buffer;
  QPointer<QAudioSink> sink;

  void Release() {
    if (sink) {
      sink->stop();
      delete sink.data();
    }
    buffer.close();
  }
  ~Player() { Release(); }
};

Sound::Sound(Integer sampleRate, Integer channels, std::vector<std::int16_t> samples)
    : sampleRate_(sampleRate), channels_(channels), samples_(std::move(samples)) {
  if (sampleRate < 1 || sampleRate > kMaxSampleRate) {
    throw InvalidArgumentException("a sound cannot have the sample rate " +
                                   std::to_string(sampleRate));
  }
  if (channels < 1 || channels > kMaxChannels) {
    throw InvalidArgumentException("a sound cannot have " + std::to_string(channels) +
                                   " channels");
  }
  if (samples_.size() % std::size_t(channels) != 0) {
    throw InvalidArgumentException("the samples are not whole frames of " +
                                   std::to_string(channels) + " channels");
  }
}

Sound::~Sound() = default;

Ref<Sound> Sound::Open(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return nullptr;
  struct Closer {
    SNDFILE* f;
    ~Closer() { sf_close(f); }
  } closer{file};

  if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1 ||
      info.samplerate > kMaxSampleRate || info.frames < 0 ||
      info.frames > kMaxSamples / info.channels) {
    return nullptr;
  }
  // Floating-point files are scaled to the full 16-bit range rather than clipped.
  sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
  std::vector<std::int16_t> samples(std::size_t(info.frames) * std::size_t(info.channels));
  sf_count_t read = sf_readf_short(file, samples.data(), info.frames);
  if (read < 0) return nullptr;
  samples.resize(std::size_t(read) * std::size_t(info.channels));
  return RuntimeNewObject<Sound>(info.samplerate, info.channels, std::move(samples));
}

void Sound::Play() {
  // Qt's audio needs the application's event loop; without one there is nothing to play on.
  if (!QCoreApplication::instance() || samples_.empty()) return;
  // With no audio server there is no default device: return before Qt warns about it.
  const QAudioDevice device = DefaultOutput();
  if (device.isNull()) return;
  QAudioFormat format;
  format.setSampleRate(int(sampleRate_));
  format.setChannelCount(int(channels_));
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) return;

  if (!player_) player_ = std::make_unique<Player>();
  player_->Release();
  player_->buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(samples_.data()),
                                                  qsizetype(samples_.size() * 2)));
  if (!player_->buffer.open(QIODevice::ReadOnly)) return;
  auto* sink = new QAudioSink(device, format, QCoreApplication::instance());
  player_->sink = sink;
  QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
    // Idle: every sample has been handed over. Stopping gives the output stream back.
    if (state == QAudio::IdleState) sink->stop();
  });
  sink->start(&player_->buffer);
}

void Sound::Stop() {
  if (player_) player_->Release();
}

bool Sound::IsPlaying() const {
  return player_ && player_->sink && player_->sink->state() == QAudio::ActiveState;
}

}  // namespace fw
