#include "ui/SoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>
#include <cstdint>

#include "core/FileIO.h"
#include "ui/Codec.h"

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

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent), effect_(new QSoundEffect(this)) {
  connect(effect_, &QSoundEffect::statusChanged, this, &SoundPlayer::onStatusChanged);
}

SoundPlayer::~SoundPlayer() { effect_->disconnect(this); }

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
  effect_->setSource(QUrl::fromLocalFile(fromUtf8(path)));
  return true;
}

void SoundPlayer::close() {
  if (effect_->isPlaying()) effect_->stop();
  effect_->setSource(QUrl());
  path_.clear();
  open_ = false;
}

void SoundPlayer::play() {
  if (open_) effect_->play();
}

void SoundPlayer::stop() {
  // QSoundEffect always starts a play from the beginning, so stopping also rewinds.
  if (open_) effect_->stop();
}

bool SoundPlayer::isPlaying() const { return open_ && effect_->isPlaying(); }

void SoundPlayer::onStatusChanged() {
  if (!open_ || effect_->status() != QSoundEffect::Error) return;
  close();
  error_ = QStringLiteral("звук не воспроизводится");
  Q_EMIT failed(error_);
}

}  // namespace brindle::ui
