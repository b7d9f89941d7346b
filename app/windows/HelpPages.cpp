#include "app/windows/HelpPages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"

namespace brindle::app {
namespace {

RecordedUrls* recorder = nullptr;

}  // namespace

RecordedUrls::RecordedUrls() : previous_(recorder) { recorder = this; }
RecordedUrls::~RecordedUrls() { recorder = previous_; }

bool openUrl(const QUrl& url) {
  if (recorder) {
    recorder->urls_.push_back(url);
    return recorder->opens_;
  }
  return QDesktopServices::openUrl(url);
}

bool openUrl(const QString& url) { return openUrl(QUrl(url)); }

void openHelpPage(const std::string& programDir, const QString& page) {
  const auto path = core::DataLayout(programDir).helpPage(ui::toUtf8(page));
  if (!path || !core::fileExists(*path)) return;
  const QString file = QFileInfo(ui::fromUtf8(*path)).absoluteFilePath();
  if (!openUrl(QUrl::fromLocalFile(file)))
    ui::showInformation(QApplication::activeWindow(),
                        QStringLiteral("Не удалось открыть справку: нет программы для просмотра "
                                       "страниц. Откройте файл в браузере сами:\n%1")
                            .arg(QDir::toNativeSeparators(file)));
}

}  // namespace brindle::app
