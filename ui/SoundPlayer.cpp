#include "ui/SoundPlayer.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <cstdint>

#include "core/FileIO.h"
#include "ui/Codec.h"
#include "ui/SoundOutput.h"

// The folder of the sound module in the installed layout, relative to the program's folder (set
// by the build from the install directories).
#ifndef BRINDLE_INSTALLED_MODULE_DIR
#define BRINDLE_INSTALLED_MODULE_DIR "../lib/brindle"
#endif

namespace brindle::ui {

namespace {

// Radio phrases are a few seconds long; anything this big is no radio phrase.
constexpr std::uintmax_t kMaxWaveBytes = 16u * 1024u * 1024u;

std::uint32_t le32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t le16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}

// The module's entry point, looked up once per process: beside the program (the portable layout
// and the build directory), then in the installed layout's library folder. The library stays
// loaded. Null when neither place has a module with the entry point.
BrindleSoundCreate soundModule() {
  static const BrindleSoundCreate create = [] {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList places = {programDir,
                                programDir + QStringLiteral("/" BRINDLE_INSTALLED_MODULE_DIR)};
    for (const QString& dir : places) {
      QLibrary module(dir + QStringLiteral("/brindle_sound"));
      if (auto f = reinterpret_cast<BrindleSoundCreate>(module.resolve(BRINDLE_SOUND_CREATE)))
        return f;
    }
    return BrindleSoundCreate{};
  }();
  return create;
}

}  // namespace

QString waveProblem(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    return QStringLiteral("это не звук WAV");
  bool haveFormat = false;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::string id = bytes.substr(at, 4);
    const std::uint32_t size = le32(bytes, at + 4);
    const std::size_t body = at + 8;
    if (id == "fmt ") {
      if (size < 16 || body + 16 > bytes.size()) return QStringLiteral("заголовок звука обрезан");
      const std::uint16_t format = le16(bytes, body);
      const std::uint16_t channels = le16(bytes, body + 2);
      const std::uint16_t bits = le16(bytes, body + 14);
      if (format != 1) return QStringLiteral("сжатый звук (формат %1), нужен PCM").arg(format);
      if (channels < 1 || channels > 2) return QStringLiteral("каналов: %1").arg(channels);
      if (bits != 8 && bits != 16) return QStringLiteral("%1 бит на отсчёт").arg(bits);
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return QStringLiteral("нет описания формата перед звуком");
      if (size == 0 || body >= bytes.size()) return QStringLiteral("в файле нет звука");
      return {};
    }
    // Chunks are padded to an even length.
    const std::uintmax_t next = std::uintmax_t{body} + size + (size & 1u);
    if (next > bytes.size()) break;
    at = static_cast<std::size_t>(next);
  }
  return haveFormat ? QStringLiteral("в файле нет звука") : QStringLiteral("нет описания формата");
}

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() { delete output_; }

SoundOutput* SoundPlayer::output() {
  if (!outputTried_) {
    outputTried_ = true;
    if (const BrindleSoundCreate create = soundModule())
      output_ = create(&SoundPlayer::onOutputError, this);
  }
  return output_;
}

bool SoundPlayer::open(const std::string& path) {
  close();
  if (!core::fileExists(path)) {
    error_ = QStringLiteral("файл не найден");
    return false;
  }
  const core::ReadResult r = core::readFile(path, kMaxWaveBytes);
  if (!r.ok) {
    error_ = QStringLiteral("файл не читается: ") + fromUtf8(r.error);
    return false;
  }
  const QString problem = waveProblem(r.data);
  if (!problem.isEmpty()) {
    error_ = problem;
    return false;
  }
  path_ = path;
  open_ = true;
  error_.clear();
  // The output gets the file when it exists; the first play creates it.
  if (output_) output_->setFile(path_.c_str());
  return true;
}

void SoundPlayer::close() {
  if (output_) {
    if (output_->isPlaying()) output_->stop();
    output_->setFile("");
  }
  path_.clear();
  open_ = false;
}

void SoundPlayer::play() {
  if (!open_) return;
  const bool fresh = !outputTried_;
  SoundOutput* out = output();
  if (!out) return;
  if (fresh) out->setFile(path_.c_str());
  out->play();
}

void SoundPlayer::stop() {
  // The output always starts a play from the beginning, so stopping also rewinds.
  if (open_ && output_) output_->stop();
}

bool SoundPlayer::isPlaying() const { return open_ && output_ && output_->isPlaying(); }

void SoundPlayer::onOutputError(void* player) {
  auto* self = static_cast<SoundPlayer*>(player);
  if (!self->open_) return;
  self->close();
  self->error_ = QStringLiteral("звук не воспроизводится");
  Q_EMIT self->failed(self->error_);
}

}  // namespace brindle::ui
