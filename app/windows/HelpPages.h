#pragma once
// Help pages and links: opened in the desktop's handler for the address (the web browser, the
// mail program), never through a shell command line. Nothing is waited for and a failure is
// not reported: a missing page or an address no handler takes simply does nothing.
#include <QString>
#include <QUrl>
#include <string>
#include <vector>

namespace brindle::app {

// Opens a web address, a "mailto:" address or a file URL.
void openUrl(const QString& url);
void openUrl(const QUrl& url);

// Opens programDir/help/<page> ("help.html", "faq.html", "lessons.html", "about.html"); the
// folder and page names are matched without regard to letter case.
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

 private:
  friend void openUrl(const QUrl& url);
  std::vector<QUrl> urls_;
  RecordedUrls* previous_ = nullptr;
};

}  // namespace brindle::app
