#pragma once
// Help pages and links: opened in the desktop's handler for the address (the web browser, the
// mail program), never through a shell command line. Nothing is waited for and a failure is
// not reported: a missing page or an address no handler takes simply does nothing.
#include <QString>
#include <QUrl>
#include <string>
#include <vector>

namespace brindle::app {

// Opens a web address, a "mailto:" address or a file URL; false when no handler took it.
bool openUrl(const QString& url);
bool openUrl(const QUrl& url);

// Opens programDir/help/<page> ("help.html", "faq.html", "lessons.html", "about.html"); the
// folder and page names are matched without regard to letter case. When no program opens it
// (no web browser), a message gives the page's path, so it can be opened by hand.
void openHelpPage(const std::string& programDir, const QString& page);

// While an object of this class exists, addresses are recorded instead of opened, so tests see
// them without starting a browser.
class RecordedUrls {
 public:
  RecordedUrls();
  ~RecordedUrls();
  RecordedUrls(const RecordedUrls&) = delete;
  RecordedUrls& operator=(const RecordedUrls&) = delete;

  const std::vector<QUrl>& urls() const { return urls_; }
  // Whether a recorded address counts as opened (false: as on a desktop with no browser).
  void setOpens(bool opens) { opens_ = opens; }

 private:
  friend bool openUrl(const QUrl& url);
  std::vector<QUrl> urls_;
  bool opens_ = true;
  RecordedUrls* previous_ = nullptr;
};

}  // namespace brindle::app
