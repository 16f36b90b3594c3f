#include <gtest/gtest.h>

#include <filesystem>

#include "browser/model/WebSession.h"
#include "support/TempFolder.h"

using namespace lumarte::browser;

namespace {

// Records the requests; the test plays the server's answers.
class ScriptedHttp : public THttpService {
 public:
  std::vector<std::string> Requests;
  THttpEvents* Events = nullptr;
  void Get(const std::string& url, THttpEvents& events) override {
    Requests.push_back(url);
    Events = &events;
  }
  void Abort() override { Events = nullptr; }
  // One whole response; false when the listener stopped it.
  bool Answer(const std::string& type, const std::string& body, size_t chunk = 4096) {
    THttpEvents* e = Events;
    e->HttpResponse(type);
    for (size_t at = 0; at < body.size(); at += chunk)
      if (!e->HttpData(body.data() + at, std::min(chunk, body.size() - at))) {
        e->HttpDone();
        return false;
      }
    e->HttpDone();
    return true;
  }
};

class RecordingView : public TWebView {
 public:
  std::vector<std::string> Statuses;
  std::vector<int> Ready;
  int Found = 0, Ended = 0;
  void ShowStatus(const std::string& text) override { Statuses.push_back(text); }
  void WebImagesFound() override { ++Found; }
  void WebImageReady(int index) override { Ready.push_back(index); }
  void WebModeEnded() override { ++Ended; }
};

class WebSessionTest : public ::testing::Test {
 protected:
  lumarte::fixtures::TempFolder dir;
  ScriptedHttp http;
  RecordingView view;
  lumarte::editor::TTempFiles temp;
  TWebSession session{http, view, temp};
  int counter = 0;
  void SetUp() override {
    session.NewLocalName = [this](const std::string& part) {
      return dir.File(std::to_string(counter++) + part);
    };
  }
};

TEST_F(WebSessionTest, FramesThenImagesDownloadedInOrderAndSkippedWhenBad) {
  session.Open("h/index.html");
  http.Answer("text/html", "<frameset><frame src=f1.html><frame src=sub/f2.html></frameset>");
  ASSERT_EQ(http.Requests.back(), "h/f1.html");
  http.Answer("text/html", "<img src=a.jpg><img src=\"b.png\"><frame src=f1.html>");
  ASSERT_EQ(http.Requests.back(), "h/sub/f2.html");  // f1 is not followed twice
  http.Answer("text/html", "<img src=../a.jpg><img src=c.jpg><a href=d.jpg>d</a>");
  EXPECT_EQ(view.Found, 1);
  ASSERT_EQ(session.Images().size(), 4u);
  EXPECT_EQ(http.Requests.back(), "h/a.jpg");
  http.Answer("image/jpeg", "JPEGDATA");
  http.Events->HttpFailed({"Not Found", true});  // b.png missing
  http.Answer("text/html", "<html>not a picture</html>");  // c.jpg
  http.Answer("IMAGE/PNG", "PNGDATA", 3);                 // d.jpg
  EXPECT_EQ(http.Requests.size(), 7u);
  EXPECT_EQ(view.Ready, (std::vector<int>{0, 3}));
  EXPECT_TRUE(session.Images()[1].Failed && session.Images()[2].Failed);
  EXPECT_EQ(std::filesystem::file_size(session.Images()[3].LocalFile), 7u);
  EXPECT_NE(std::find(view.Statuses.begin(), view.Statuses.end(), "Downloading h/sub/c.jpg"),
            view.Statuses.end());
  EXPECT_EQ(temp.List().size(), 2u);  // the skipped ones left no file behind
  temp.DeleteAll();
  EXPECT_FALSE(std::filesystem::exists(session.Images()[0].LocalFile));
}

TEST_F(WebSessionTest, AtMostTenFramesAreFollowed) {
  std::string page;
  for (int i = 0; i < 12; ++i) page += "<frame src=f" + std::to_string(i) + ".html>";
  session.Open("h/");
  http.Answer("text/html", page);
  for (int i = 0; i < 10; ++i) http.Answer("text/html", "<img src=p" + std::to_string(i) + ".jpg>");
  EXPECT_EQ(http.Requests.size(), 12u);  // the page, ten frames, the first image
  EXPECT_EQ(session.Images().size(), 10u);
}

TEST_F(WebSessionTest, OverLargeImageIsDroppedAndTheNextOneLoads) {
  session.Open("h/");
  http.Answer("text/html", "<img src=huge.jpg><img src=ok.jpg>");
  std::string mebibyte(1 << 20, 'x');
  http.Events->HttpResponse("image/jpeg");
  int chunks = 0;
  while (http.Events->HttpData(mebibyte.data(), mebibyte.size())) ++chunks;
  EXPECT_EQ(chunks, 64);
  http.Events->HttpDone();
  EXPECT_TRUE(session.Images()[0].Failed);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path));
  EXPECT_EQ(http.Requests.back(), "h/ok.jpg");
}

TEST_F(WebSessionTest, ConnectionFailureStopsAndKeepsWhatArrived) {
  session.Open("h/");
  http.Answer("text/html", "<img src=1.jpg><img src=2.jpg><img src=3.jpg>");
  http.Answer("image/jpeg", "one");
  http.Events->HttpFailed({"Connection refused", false});
  EXPECT_FALSE(session.Busy());
  EXPECT_EQ(http.Requests.size(), 3u);
  EXPECT_EQ(view.Statuses.back(), "Transfer aborted: Connection refused");
  EXPECT_FALSE(session.Images()[0].LocalFile.empty());
}

}  // namespace
