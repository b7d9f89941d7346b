// Weapon pictures: every shipped picture decodes, and damaged or unsuitable files count as
// failed loads rather than grey half-pictures.
#include <QtTest>
#include <filesystem>

#include "JpegFixture.h"
#include "core/FileIO.h"
#include "support/TempDir.h"
#include "ui/JpegImage.h"

using namespace brindle;
using namespace brindle::core;

using brindle::test::makeJpeg;
using brindle::ui::decodeJpeg;
using brindle::ui::loadJpegFile;

class TestPictures : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyShippedPictureDecodesAt205By65() {
    const std::filesystem::path guns =
        std::filesystem::path(BRINDLE_DATA_DIR) / "dlls/cvardll/guns";
    int decoded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(guns)) {
      if (entry.path().extension() != ".jpg") continue;
      const auto picture = loadJpegFile(entry.path().string());
      const QByteArray name = QByteArray::fromStdString(entry.path().filename().string());
      QVERIFY2(picture.ok(), (name + ": " + picture.error.toUtf8()).constData());
      QVERIFY2(picture.image.size() == QSize(205, 65), name.constData());
      ++decoded;
    }
    QVERIFY(decoded >= 29);
  }

  void anIntactFileDecodesPixelForPixel() {
    const std::string bytes = makeJpeg(40, 16);
    const auto picture = decodeJpeg(bytes);
    QVERIFY(picture.ok());
    QCOMPARE(picture.image.size(), QSize(40, 16));
    QVERIFY(picture.error.isEmpty());
    // Qt's own decoder agrees with ours.
    const QImage reference = QImage::fromData(QByteArray::fromStdString(bytes), "JPG")
                                 .convertToFormat(QImage::Format_RGB888);
    QCOMPARE(picture.image.convertToFormat(QImage::Format_RGB888), reference);
  }

  void damagedAndUnsuitableFilesFail() {
    const std::string good = makeJpeg(205, 65);
    // Truncated: libjpeg would fill the rest with grey and only warn.
    const auto truncated = decodeJpeg(std::string_view(good).substr(0, good.size() / 2));
    QVERIFY(!truncated.ok());
    QVERIFY(!truncated.error.isEmpty());
    // Damaged entropy data in the middle.
    std::string corrupt = good;
    for (std::size_t i = good.size() / 2; i < good.size() / 2 + 64; ++i) corrupt[i] = '\xFF';
    QVERIFY(!decodeJpeg(corrupt).ok());
    QVERIFY(!decodeJpeg(makeJpeg(32, 32, true)).ok());  // CMYK
    QVERIFY(!decodeJpeg("GIF89a not a jpeg at all").ok());
    QVERIFY(!decodeJpeg("").ok());
    QVERIFY(!decodeJpeg(good.substr(0, 2)).ok());

    // A header that claims a huge picture is refused before any memory is taken for it.
    std::string huge = good;
    const std::size_t frame = huge.find("\xFF\xC0");
    QVERIFY(frame != std::string::npos);
    for (std::size_t i : {frame + 5, frame + 7}) {  // height, then width: 16000
      huge[i] = static_cast<char>(16000 >> 8);
      huge[i + 1] = static_cast<char>(16000 & 0xFF);
    }
    const auto refused = decodeJpeg(huge);
    QVERIFY(!refused.ok());
    QVERIFY(refused.error.contains(QStringLiteral("too large")));
  }

  void missingFilesFail() {
    brindle::test::TempDir dir;
    const auto missing = loadJpegFile(dir.file("nothing.jpg"));
    QVERIFY(!missing.ok());
    QVERIFY(missing.error.contains(QStringLiteral("nothing.jpg")));
    QVERIFY(!loadJpegFile(dir.path()).ok());  // a folder
  }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
