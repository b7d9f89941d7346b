#pragma once
// The sound output behind ui::SoundPlayer. It lives in a module of its own (brindle_sound, built
// from SoundOutputModule.cpp), the only part of the program that links Qt Multimedia: the
// multimedia libraries and the sound system's are many, and loading them only when a sound is
// first played keeps them out of every start. This header is all both sides share, so the
// interface is header-only and the module needs no symbol of the program.

namespace brindle::ui {

class SoundOutput {
 public:
  // Called from the event loop when the back end cannot play the file it was given.
  using ErrorHandler = void (*)(void* context);

  virtual ~SoundOutput() = default;
  // `utf8Path` names a local file; an empty one releases the current file.
  virtual void setFile(const char* utf8Path) = 0;
  virtual void play() = 0;
  virtual void stop() = 0;
  virtual bool isPlaying() const = 0;
};

}  // namespace brindle::ui

// The module's one entry point: a new output that calls `onError(context)` on errors. The caller
// owns it and deletes it through the virtual destructor.
extern "C" {
using BrindleSoundCreate = brindle::ui::SoundOutput* (*)(brindle::ui::SoundOutput::ErrorHandler,
                                                         void* context);
}
#define BRINDLE_SOUND_CREATE "brindle_sound_create"
