#include <gtest/gtest.h>

#include "browser/model/ProxyRules.h"
#include "browser/model/WebPage.h"

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
      {"h/d/p.htm", "<img src=pic.jpg>", V{"h/d/pic.jpg"}},  // unquoted, right before ">"
      {"h/d/p.htm", "<img alt=x SRC=\"my pic.JPG\" width=3>", V{"h/d/my pic.JPG"}},
      {"h/d/p.htm", "<img src='a b.png'>", V{"h/d/a b.png"}},
      {"h/d/p.htm", "<img lowsrc=low.jpg src=hi.jpg>", V{"h/d/hi.jpg"}},
      {"h/d/p.htm", "<img alt=\"no source\">", V{}},
      {"h/d/p.htm", "<img src=\"open.jpg", V{"h/d/open.jpg"}},
      {"host/dir/", "<img src=pic.jpg>", V{"host/dir/pic.jpg"}},
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

}  // namespace
