#include "browser/model/WebSession.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "browser/model/BrowserTexts.h"
#include "browser/model/TagScanner.h"

namespace lumarte::browser {

namespace {

bool Has(const std::string& contentType, const char* word) {
  return FindNoCase(contentType, word) != std::string_view::npos;
}

}  // namespace

TWebSession::TWebSession(THttpService& http, TWebView& view, editor::TTempFiles& tempFiles)
    : NewLocalName([](const std::string& part) { return editor::TTempFiles::NewName(part); }),
      Http(http),
      View(view),
      TempFiles(tempFiles) {}

TWebSession::~TWebSession() {
  DiscardImageFile();
}

void TWebSession::Open(const std::string& url) {
  Stop();
  Frames.clear();
  FramesSeen.clear();
  FramesFollowed = 0;
  Documents.clear();
  PageBytes = 0;
  WebImages.clear();
  Current = -1;
  Fetch(url);
}

void TWebSession::Stop() {
  Http.Abort();
  DiscardImageFile();
  Phase = TPhase::Idle;
}

void TWebSession::Fetch(const std::string& url) {
  Phase = TPhase::Page;
  PageUrl = url;
  ContentType.clear();
  Text.clear();
  Truncated = false;
  View.ShowStatus(kRequestingDocument);
  Http.Get(url, *this);
}

void TWebSession::HttpResponse(const std::string& contentType) {
  ContentType = contentType;
  View.ShowStatus(kReceivingData);
  if (Phase == TPhase::Image && Has(contentType, "IMAGE")) OpenImageFile();
}

bool TWebSession::HttpData(const char* data, size_t size) {
  if (Phase == TPhase::Page) {
    if (!Has(ContentType, "TEXT")) return true;
    auto room = static_cast<size_t>(kPageLimit - PageBytes);
    if (size > room) {
      Text.append(data, room);
      PageBytes = kPageLimit;
      Truncated = true;
      return false;
    }
    Text.append(data, size);
    PageBytes += static_cast<int64_t>(size);
    return true;
  }
  if (Phase != TPhase::Image || FileHandle < 0) return false;  // not an image: stop
  if (FileBytes + static_cast<int64_t>(size) > kImageLimit) {
    Truncated = true;
    return false;
  }
  for (size_t done = 0; done < size;) {
    ssize_t n = ::write(FileHandle, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      WriteFailed = true;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  FileBytes += static_cast<int64_t>(size);
  return true;
}

void TWebSession::HttpDone() {
  View.ShowStatus(kRequestDone);
  if (Phase == TPhase::Page) {
    PageArrived();
    return;
  }
  if (Phase != TPhase::Image) return;
  const std::string& url = WebImages[static_cast<size_t>(Current)].Url;
  if (!Has(ContentType, "IMAGE"))
    ImageFinished(false, "Not an image: " + url);
  else if (Truncated)
    ImageFinished(false, "Image larger than 64 MB skipped: " + url);
  else if (WriteFailed || FileHandle < 0)
    ImageFinished(false, "Could not write the download of " + url);
  else
    ImageFinished(true, {});
}

void TWebSession::HttpFailed(const THttpFailure& failure) {
  if (!failure.ServerReplied) {
    // No connection (or a stalled one): later requests would fare no
    // better, so the transfer ends here and the grid keeps what it has.
    Stop();
    View.ShowStatus("Transfer aborted: " + failure.Message);
    return;
  }
  if (Phase == TPhase::Image) {
    ImageFinished(false, "Download failed: " + WebImages[static_cast<size_t>(Current)].Url +
                             " (" + failure.Message + ")");
  } else if (Phase == TPhase::Page && !Documents.empty()) {
    ContentType.clear();  // a missing frame adds nothing; the others still count
    PageArrived();
  } else {
    Phase = TPhase::Idle;
    View.ShowStatus(std::string(kUrlNotOpened) + " (" + failure.Message + ")");
  }
}

void TWebSession::PageArrived() {
  bool isFrame = !Documents.empty();
  if (!Has(ContentType, "HTM")) {
    if (!isFrame) {
      Phase = TPhase::Idle;
      View.ShowStatus(kUrlNotOpened);
      View.WebModeEnded();
      return;
    }
  } else {
    if (Truncated) View.ShowStatus("The page is larger than 16 MB; the rest of it was not read.");
    FramesSeen.insert(PageUrl);
    for (auto& frame : FrameSources(Text, PageUrl))
      if (FramesSeen.insert(frame).second) Frames.push_back(frame);
    Documents.push_back({PageUrl, std::move(Text)});
    Text.clear();
  }
  if (!Frames.empty() && FramesFollowed < kMaxFrames && PageBytes < kPageLimit) {
    ++FramesFollowed;
    std::string next = Frames.front();
    Frames.pop_front();
    Fetch(next);
    return;
  }
  PageFinished();
}

void TWebSession::PageFinished() {
  WebImages.clear();
  for (auto& url : CollectWebImages(Documents, kMaxWebImages + 1)) WebImages.push_back({url, {}, false});
  bool tooMany = WebImages.size() > kMaxWebImages;
  if (tooMany) WebImages.resize(kMaxWebImages);
  Documents.clear();
  View.WebImagesFound();
  if (tooMany) View.ShowStatus("Only the first 1000 images of the page are shown.");
  StartNextDownload();
}

void TWebSession::StartNextDownload() {
  Phase = TPhase::Idle;
  for (size_t i = 0; i < WebImages.size(); ++i) {
    if (!WebImages[i].LocalFile.empty() || WebImages[i].Failed) continue;
    Phase = TPhase::Image;
    Current = static_cast<int>(i);
    ContentType.clear();
    Truncated = false;
    WriteFailed = false;
    FileBytes = 0;
    View.ShowStatus("Downloading " + WebImages[i].Url);
    Http.Get(WebImages[i].Url, *this);
    return;
  }
}

void TWebSession::ImageFinished(bool ok, const std::string& problem) {
  TWebImage& image = WebImages[static_cast<size_t>(Current)];
  if (ok) {
    ::close(FileHandle);
    FileHandle = -1;
    image.LocalFile = CurrentFile;
    CurrentFile.clear();
    View.WebImageReady(Current);
  } else {
    DiscardImageFile();
    image.Failed = true;
    View.ShowStatus(problem);
  }
  StartNextDownload();
}

// A new file of its own: O_EXCL never writes through a name someone else
// made meanwhile in the shared temporary folder.
bool TWebSession::OpenImageFile() {
  std::string part = LocalNamePart(WebImages[static_cast<size_t>(Current)].Url);
  for (int attempt = 0; attempt < 100 && FileHandle < 0; ++attempt) {
    try {
      CurrentFile = NewLocalName(part);
    } catch (const std::exception&) {
      break;  // no free name: the download is reported as not written
    }
    FileHandle = ::open(CurrentFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (FileHandle < 0 && errno != EEXIST) break;
  }
  if (FileHandle < 0) {
    CurrentFile.clear();
    return false;
  }
  TempFiles.Add(CurrentFile);
  return true;
}

void TWebSession::DiscardImageFile() {
  if (FileHandle >= 0) ::close(FileHandle);
  FileHandle = -1;
  if (!CurrentFile.empty()) ::unlink(CurrentFile.c_str());
  CurrentFile.clear();
}

}  // namespace lumarte::browser
