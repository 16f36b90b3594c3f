#include <gtest/gtest.h>

#include <filesystem>

#include "browser/model/ProxyRules.h"
#include "browser/model/WebPage.h"
#include "browser/model/WebSession.h"
#include "support/TempFolder.h"

using namespace lumarte::browser;

namespace {

// Each page goes through the tag scanner, the attribute reader and the URL
// rules into the list of its images.
TEST(WebPage, ImagesOfOnePage) {
  using V = std::vector<std::string>;
  const struct {
    const char *Url, *Text;
    V Images;
  } cases[] = {
      // Tags of one kind in any case; "<image" is not one.
      {"h/d/p.htm", "<IMG SRC=a.jpg><image src=x.jpg><img\nsrc=b.png><img src=c.jpg",
       V{"h/d/a.jpg", "h/d/b.png", "h/d/c.jpg"}},
      // A closing tag never hides the anchors after it.
      {"h/d/p.htm", "<a name=top> <a href=1.jpg>1</a><a href=2.jpg>2</a>",
       V{"h/d/1.jpg", "h/d/2.jpg"}},
      {"h/d/p.htm", "<img alt=x SRC=\"my pic.JPG\" width=3>", V{"h/d/my pic.JPG"}},
      {"h/d/p.htm", "<img src='a b.png'>", V{"h/d/a b.png"}},
      {"h/d/p.htm", "<img lowsrc=low.jpg src=hi.jpg>", V{"h/d/hi.jpg"}},
      {"h/d/p.htm", "<img alt=\"no source\">", V{}},
      {"h/d/p.htm", "<img src=\"open.jpg", V{"h/d/open.jpg"}},
      {"host/dir", "<img src=pic.jpg>", V{"host/dir/pic.jpg"}},
      {"www.host.com", "<img src=pic.jpg>", V{"www.host.com/pic.jpg"}},  // bare host
      {"host/v1.2/", "<img src=pic.jpg>", V{"host/v1.2/pic.jpg"}},
      {"h/d/p.htm", "<img src=HTTP://other/x.jpg>", V{"HTTP://other/x.jpg"}},
      {"h/d/p.htm", "<img src=https://other/x.jpg>", V{"https://other/x.jpg"}},
      {"host:81/d/p.htm", "<img src=/img/a.jpg>", V{"host:81/img/a.jpg"}},
      {"https://h/d/p.htm", "<img src=//cdn/a.jpg>", V{"https://cdn/a.jpg"}},
      {"https://h/d/p.htm", "<img src=a.jpg>", V{"https://h/d/a.jpg"}},
      {"h/d/e/p.htm", "<img src=../../x/./a.jpg>", V{"h/x/a.jpg"}},
      {"h/d/p.htm", "<img src=../../../a.jpg>", V{"h/a.jpg"}}};
  for (const auto& c : cases)
    EXPECT_EQ(CollectWebImages({{c.Url, c.Text}}, 100), c.Images) << c.Url << ": " << c.Text;
  EXPECT_EQ(TypedUrl("  HTTP://Host/x.html "), "Host/x.html");
  EXPECT_EQ(TypedUrl("https://host"), "https://host");
}

TEST(WebPage, ImagesThenLinksWithoutDuplicatesEachAgainstItsDocument) {
  std::vector<TWebDocument> docs{
      {"h/top/index.html",
       "<a href=big.jpg>b</a><img src=a.jpg><img src=\"A.PNG\"><img src=x.gif><a href=p.png>"},
      {"h/other/frame.html", "<img src=/top/a.jpg><img src=c.jpeg><a href=../top/big.jpg>"}};
  EXPECT_EQ(CollectWebImages(docs, 100),
            (std::vector<std::string>{"h/top/a.jpg", "h/top/A.PNG", "h/other/c.jpeg",
                                      "h/top/big.jpg"}));
  EXPECT_EQ(CollectWebImages(docs, 2).size(), 2u);
  EXPECT_EQ(FrameSources("<FRAME src=left.html><frameset><frame SRC=\"/r.htm\">", "h/d/i.htm"),
            (std::vector<std::string>{"h/d/left.html", "h/r.htm"}));
}

TEST(WebPage, LocalNamesAreSafeFileNameParts) {
  const std::pair<std::string, std::string> cases[] = {
      {"h/d/pic.jpg?size=2#x", "pic.jpg"},
      {"h/a\\..\\b.jpg", "b.jpg"},
      {"h/d/..jpg", "image.jpg"},
      {"h/d/a\x01\x1f" "b\x7f.jpg", "ab.jpg"},
      {"h/d/", "image"},
      {"h/" + std::string(300, 'x') + ".jpg", std::string(96, 'x') + ".jpg"},
      {"h/" + std::string(200, '.') + "x.png", "image.x.png"}};
  for (const auto& [url, want] : cases) EXPECT_EQ(LocalNamePart(url), want) << url;
}

TEST(ProxyRules, FromTheEnvironment) {
  const struct {
    std::map<std::string, std::string> Env;
    std::string Scheme, Host;
    int Kind;  // -1 nothing, else TProxyKind
    std::string ProxyHost;
    int Port;
  } cases[] = {
      {{}, "http", "example.org", -1, "", 0},
      {{{"http_proxy", "http://px:3128/"}}, "http", "example.org", 1, "px", 3128},
      {{{"HTTPS_PROXY", "px2"}}, "https", "example.org", 1, "px2", 8080},
      {{{"all_proxy", "socks5h://u:pw@sx:9050"}}, "http", "a.org", 2, "sx", 9050},
      {{{"ALL_PROXY", "socks://sx"}}, "https", "a.org", 2, "sx", 1080},
      {{{"http_proxy", "px:1"}, {"no_proxy", "x.com, .example.org"}}, "http", "www.example.org", 0,
       "", 0},
      {{{"http_proxy", "px:1"}}, "http", "127.0.0.1", 0, "", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Scheme + "://" + c.Host);
    auto p = ProxyFromEnvironment(c.Scheme, c.Host, [&](const char* name) {
      auto it = c.Env.find(name);
      return it == c.Env.end() ? std::string() : it->second;
    });
    ASSERT_EQ(p.has_value(), c.Kind >= 0);
    if (!p) continue;
    EXPECT_EQ(static_cast<int>(p->Kind), c.Kind);
    EXPECT_EQ(p->Host, c.ProxyHost);
    EXPECT_EQ(p->Port, c.Port);
  }
}

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
