#pragma once
// Web mode: fetching a page (and up to 10 of its frames), collecting its
// images and downloading them one after another into temporary files.
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "browser/model/HttpService.h"
#include "browser/model/WebPage.h"
#include "editor/model/TempFiles.h"

namespace lumarte::browser {

inline constexpr int kMaxFrames = 10;
inline constexpr size_t kMaxWebImages = 1000;
inline constexpr int64_t kPageLimit = int64_t{16} << 20;
inline constexpr int64_t kImageLimit = int64_t{64} << 20;

struct TWebImage {
  std::string Url;
  std::string LocalFile;  // empty until downloaded
  bool Failed = false;    // not an image, missing, or too large: skipped
};

// What the session tells its window.
class TWebView {
 public:
  virtual ~TWebView() = default;
  virtual void ShowStatus(const std::string& text) = 0;
  // The image list is complete: web mode starts with an empty cache.
  virtual void WebImagesFound() = 0;
  // Image index has been downloaded.
  virtual void WebImageReady(int index) = 0;
  // The page was neither HTML nor an image: back to the folder.
  virtual void WebModeEnded() = 0;
};

class TWebSession : public THttpEvents {
 public:
  TWebSession(THttpService& http, TWebView& view, editor::TTempFiles& tempFiles);
  ~TWebSession() override;

  // The name of a download's file for a safe name part; by default a new
  // temporary file name (random number, then the part).
  std::function<std::string(const std::string&)> NewLocalName;

  // "Open URL" with the text as typed (no "http://"): stops any transfer
  // and fetches the page.
  void Open(const std::string& url);
  // Stops the running transfer; what was downloaded stays.
  void Stop();

  const std::string& Url() const { return PageUrl; }
  const std::vector<TWebImage>& Images() const { return WebImages; }
  bool Busy() const { return Phase != TPhase::Idle; }

  // THttpEvents
  void HttpResponse(const std::string& contentType) override;
  bool HttpData(const char* data, size_t size) override;
  void HttpDone() override;
  void HttpFailed(const THttpFailure& failure) override;

 private:
  enum class TPhase { Idle, Page, Image };
  void Fetch(const std::string& url);
  void PageArrived();
  void PageFinished();
  void StartNextDownload();
  void ImageFinished(bool ok, const std::string& problem);
  bool OpenImageFile();
  void DiscardImageFile();

  THttpService& Http;
  TWebView& View;
  editor::TTempFiles& TempFiles;
  TPhase Phase = TPhase::Idle;
  std::string PageUrl;      // the URL being fetched (the page, then a frame)
  std::string ContentType;  // of the running response
  bool Truncated = false;   // the running body went past its limit
  std::string Text;         // of the running document
  int64_t PageBytes = 0;    // of all documents of the page
  std::vector<TWebDocument> Documents;
  std::deque<std::string> Frames;
  std::set<std::string> FramesSeen;
  int FramesFollowed = 0;
  std::vector<TWebImage> WebImages;
  int Current = -1;
  std::string CurrentFile;
  int FileHandle = -1;
  int64_t FileBytes = 0;
  bool WriteFailed = false;
};

}  // namespace lumarte::browser
