#pragma once
// A small player for short .wav sounds: open a file, play it, stop it. Stopping rewinds, so the
// next play starts from the beginning. Without a sound device the player stays silent and
// reports nothing, and so it does when its sound output module cannot be loaded (the module, and
// with it Qt Multimedia, is loaded when a sound is first played); a missing file, or one that is no
// PCM wave sound, is refused when opened and the reason is kept for the caller to show. Decoding
// errors that only the sound back end finds arrive later through failed().
#include <QObject>
#include <QString>
#include <string>

namespace brindle::ui {

class SoundOutput;

// Why `bytes` cannot be played as a wave sound (RIFF/WAVE with an uncompressed PCM "fmt " chunk
// of 1 or 2 channels, 8 or 16 bits, and a "data" chunk), or empty when it can.
QString waveProblem(const std::string& bytes);

class SoundPlayer : public QObject {
  Q_OBJECT

 public:
  explicit SoundPlayer(QObject* parent = nullptr);
  ~SoundPlayer() override;

  // `path` is UTF-8. On failure the player is closed and error() tells why.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return open_; }
  const std::string& path() const { return path_; }
  QString error() const { return error_; }

  void play();
  // Stops and rewinds to the start.
  void stop();
  bool isPlaying() const;

 Q_SIGNALS:
  // The back end could not load the file it was given; the player has closed it.
  void failed(const QString& error);

 private:
  static void onOutputError(void* player);
  // Loads the output on first use; null when the module is missing.
  SoundOutput* output();

  SoundOutput* output_ = nullptr;
  bool outputTried_ = false;
  std::string path_;
  QString error_;
  bool open_ = false;
};

}  // namespace brindle::ui
