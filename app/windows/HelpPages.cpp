#include "app/windows/HelpPages.h"

#include <QDesktopServices>
#include <QFileInfo>

#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "ui/Codec.h"

namespace brindle::app {
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
  const auto path = core::DataLayout(programDir).helpPage(ui::toUtf8(page));
  if (!path || !core::fileExists(*path)) return;
  openUrl(QUrl::fromLocalFile(QFileInfo(ui::fromUtf8(*path)).absoluteFilePath()));
}

}  // namespace brindle::app
