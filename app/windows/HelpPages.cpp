#include "app/windows/HelpPages.h"

#include <QDesktopServices>
#include <QFileInfo>

#include "app/logic/FileIO.h"
#include "app/logic/Paths.h"
#include "ui/Codec.h"

namespace brindle {
namespace {

RecordedUrls* recorder = nullptr;

}  // namespace

RecordedUrls::RecordedUrls() : previous_(recorder) { recorder = this; }
RecordedUrls::~RecordedUrls() { recorder = previous_; }

void openUrl(const QUrl& url) {
  if (recorder) {
    recorder->urls_.push_back(url);
    return;
  }
  QDesktopServices::openUrl(url);
}

void openUrl(const QString& url) { openUrl(QUrl(url)); }

void openHelpPage(const std::string& programDir, const QString& page) {
  const std::string path = resolveDataPath(programDir, "help/" + ui::toUtf8(page));
  if (!fileExists(path)) return;
  openUrl(QUrl::fromLocalFile(QFileInfo(ui::fromUtf8(path)).absoluteFilePath()));
}

}  // namespace brindle
