// The wave player under the key page's sound preview: the shipped radio phrases open, missing
// and damaged files are refused with a reason, and playing without a sound device is harmless
// (the first play loads the sound module and with it Qt Multimedia).
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>

#include "support/TempDir.h"
#include "ui/SoundPlayer.h"

using namespace brindle;
using brindle::test::TempDir;
using brindle::ui::SoundPlayer;
using brindle::ui::waveProblem;

namespace {

std::string le32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i)
    s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string le16(std::uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

// A wave file of `samples` 16-bit mono samples; `format` 1 is PCM.
std::string wave(std::uint32_t samples, std::uint16_t format = 1, std::uint16_t bits = 16) {
  std::string fmt = le16(format) + le16(1) + le32(11025) + le32(11025u * bits / 8) +
                    le16(static_cast<std::uint16_t>(bits / 8)) + le16(bits);
  std::string data(samples * bits / 8, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 37) & 0x7F);
  std::string body = "WAVE";
  body += "fmt " + le32(static_cast<std::uint32_t>(fmt.size())) + fmt;
  body += "data" + le32(static_cast<std::uint32_t>(data.size())) + data;
  return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

// Whether Qt Multimedia is mapped into this process (Linux only; elsewhere always true).
bool multimediaLoaded() {
#ifdef Q_OS_LINUX
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
#else
  return true;
#endif
}

std::string radioDir() { return std::string(BRINDLE_SOURCE_DIR) + "/examples/cstrike/sound/radio"; }

}  // namespace

class TestSoundPlayer : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyShippedRadioPhraseIsAPlayableWave() {
    int count = 0;
    for (const auto& e : std::filesystem::directory_iterator(radioDir())) {
      SoundPlayer player;
      const QByteArray name = QByteArray::fromStdString(e.path().filename().string());
      QVERIFY2(player.open(e.path().string()), (name + ": " + player.error().toUtf8()).constData());
      ++count;
    }
    QCOMPARE(count, 21);
  }

  void playAndStopWithoutASoundDeviceAreHarmless() {
    SoundPlayer player;
    QSignalSpy failed(&player, &SoundPlayer::failed);
    QVERIFY(player.open(radioDir() + "/com_go.wav"));
    QVERIFY(player.isOpen());
#ifdef Q_OS_LINUX
    // Qt Multimedia comes with the sound module on the first play, not with the program.
    QVERIFY(!multimediaLoaded());
#endif
    player.play();
    QVERIFY(multimediaLoaded());
    QCoreApplication::processEvents();
    player.stop();
    QVERIFY(!player.isPlaying());
    player.play();
    player.stop();
    QCoreApplication::processEvents();
    QCOMPARE(failed.count(), 0);
    QVERIFY(player.isOpen());
    player.close();
    QVERIFY(!player.isOpen());
    player.play();  // closed: nothing happens
    QVERIFY(!player.isPlaying());
  }

  void missingAndDamagedFilesAreRefusedWithAReason() {
    TempDir dir;
    SoundPlayer player;
    QVERIFY(!player.open(dir.file("none.wav")));
    QCOMPARE(player.error(), QStringLiteral("файл не найден"));
    QVERIFY(!player.isOpen());

    QVERIFY(!player.open(dir.write("text.wav", "just some text, no sound")));
    QCOMPARE(player.error(), QStringLiteral("это не звук WAV"));

    // A good file opened before a bad one does not stay open.
    QVERIFY(player.open(dir.write("good.wav", wave(400))));
    QVERIFY(!player.open(dir.write("adpcm.wav", wave(400, 2))));
    QVERIFY(!player.isOpen());
    QVERIFY(player.error().contains(QStringLiteral("формат 2")));

    // A directory in the file's place cannot be read.
    std::filesystem::create_directory(dir.file("folder.wav"));
    QVERIFY(!player.open(dir.file("folder.wav")));
    QVERIFY(!player.error().isEmpty());
  }

  void waveHeadersAreChecked() {
    QVERIFY(waveProblem(wave(10)).isEmpty());
    QVERIFY(waveProblem(wave(10, 1, 8)).isEmpty());
    QVERIFY(!waveProblem(wave(10, 1, 24)).isEmpty());
    QVERIFY(!waveProblem(wave(0)).isEmpty());  // no samples
    const std::string good = wave(100);
    QVERIFY(!waveProblem(good.substr(0, 30)).isEmpty());  // cut inside "fmt "
    QVERIFY(!waveProblem(good.substr(0, 40)).isEmpty());  // cut before "data"
    QVERIFY(!waveProblem("").isEmpty());
    // "data" before "fmt ".
    std::string swapped = "RIFF" + le32(100) + "WAVE" + "data" + le32(2) + "ab";
    QVERIFY(!waveProblem(swapped).isEmpty());
    // A chunk size pointing far beyond the end neither reads outside nor passes.
    std::string huge = "RIFF" + le32(100) + "WAVE" + "LIST" + le32(0xFFFFFFF0u) + "xx";
    QVERIFY(!waveProblem(huge).isEmpty());
  }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_sound_player.moc"
