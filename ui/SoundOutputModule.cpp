// The sound output module: QSoundEffect behind the SoundOutput interface (see SoundOutput.h).
#include <QSoundEffect>
#include <QString>
#include <QUrl>
#include <QtGlobal>

#include "ui/SoundOutput.h"

namespace brindle::ui {
namespace {

class EffectOutput final : public SoundOutput {
 public:
  EffectOutput(ErrorHandler onError, void* context) {
    QObject::connect(&effect_, &QSoundEffect::statusChanged, &effect_, [this, onError, context] {
      if (effect_.status() == QSoundEffect::Error && onError) onError(context);
    });
  }
  ~EffectOutput() override { effect_.disconnect(); }

  void setFile(const char* utf8Path) override {
    const QString path = QString::fromUtf8(utf8Path);
    effect_.setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
  }
  void play() override { effect_.play(); }
  void stop() override { effect_.stop(); }
  bool isPlaying() const override { return effect_.isPlaying(); }

 private:
  QSoundEffect effect_;
};

}  // namespace
}  // namespace brindle::ui

extern "C" Q_DECL_EXPORT brindle::ui::SoundOutput* brindle_sound_create(
    brindle::ui::SoundOutput::ErrorHandler onError, void* context) {
  return new brindle::ui::EffectOutput(onError, context);
}
