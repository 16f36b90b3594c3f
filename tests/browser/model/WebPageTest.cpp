#include <gtest/gtest.h>

#include "browser/model/ProxyRules.h"
#include "browser/model/TagScanner.h"
#include "browser/model/WebPage.h"

using namespace lumarte::browser;

namespace {

std::vector<std::string> Tags(const std::string& page, const char* tag) {
  std::vector<std::string> found;
  TTagScanner scanner(page, tag);
  for (std::string t; scanner.Next(t);) found.push_back(t);
  return found;
}

TEST(TagScanner, FindsTagsOfOneKindInAnyCase) {
  EXPECT_EQ(Tags("<IMG SRC=a.jpg><image src=x.jpg><img\nsrc=b.png><a href=c>x</a><img src=c.jpg",
                 "img"),
            (std::vector<std::string>{"IMG SRC=a.jpg", "img\nsrc=b.png", "img src=c.jpg"}));
  // A closing tag never hides the anchors after it.
  EXPECT_EQ(Tags("<a name=top> <a href=1.jpg>1</a><a href=2.jpg>2</a>", "a").size(), 3u);
}

struct AttributeCase {
  const char* Tag;
  const char* Value;
};

class AttributeTest : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(AttributeTest, SrcValue) {
  auto tags = Tags(GetParam().Tag, "img");
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(AttributeValue(tags[0], "src"), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Browser, AttributeTest,
    ::testing::Values(AttributeCase{"<img src=pic.jpg>", "pic.jpg"},  // unquoted, right before ">"
                      AttributeCase{"<img alt=x SRC=\"my pic.JPG\" width=3>", "my pic.JPG"},
                      AttributeCase{"<img src='a b.png'>", "a b.png"},
                      AttributeCase{"<img lowsrc=low.jpg src=hi.jpg>", "hi.jpg"},
                      AttributeCase{"<img alt=\"no source\">", ""},
                      AttributeCase{"<img src=\"open.jpg", "open.jpg"}));

struct UrlCase {
  const char* Page;
  const char* Reference;
  const char* Absolute;
};

class AbsoluteUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(AbsoluteUrlTest, AgainstThePage) {
  EXPECT_EQ(AbsoluteUrl(GetParam().Page, GetParam().Reference), GetParam().Absolute);
}

INSTANTIATE_TEST_SUITE_P(
    Browser, AbsoluteUrlTest,
    ::testing::Values(UrlCase{"host/dir/page.html", "pic.jpg", "host/dir/pic.jpg"},
                      UrlCase{"host/dir/", "pic.jpg", "host/dir/pic.jpg"},
                      UrlCase{"host/dir", "pic.jpg", "host/dir/pic.jpg"},
                      UrlCase{"www.host.com", "pic.jpg", "www.host.com/pic.jpg"},  // bare host
                      UrlCase{"host/v1.2/", "pic.jpg", "host/v1.2/pic.jpg"},
                      UrlCase{"host/d/p.htm", "HTTP://other/x.jpg", "HTTP://other/x.jpg"},
                      UrlCase{"host/d/p.htm", "https://other/x.jpg", "https://other/x.jpg"},
                      UrlCase{"host:81/d/p.htm", "/img/a.jpg", "host:81/img/a.jpg"},
                      UrlCase{"https://h/d/p.htm", "//cdn/a.jpg", "https://cdn/a.jpg"},
                      UrlCase{"https://h/d/p.htm", "a.jpg", "https://h/d/a.jpg"},
                      UrlCase{"h/d/e/p.htm", "../../x/./a.jpg", "h/x/a.jpg"},
                      UrlCase{"h/d/p.htm", "../../../a.jpg", "h/a.jpg"}));

TEST(WebPage, TypedUrlLosesItsHttpPrefix) {
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
}

TEST(WebPage, FramesAreAbsolute) {
  EXPECT_EQ(FrameSources("<FRAME src=left.html><frameset><frame SRC=\"/r.htm\">", "h/d/i.htm"),
            (std::vector<std::string>{"h/d/left.html", "h/r.htm"}));
}

struct NameCase {
  std::string Url;
  std::string Name;
};

class LocalNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(LocalNameTest, SafeFileNamePart) {
  std::string name = LocalNamePart(GetParam().Url);
  EXPECT_EQ(name, GetParam().Name);
  EXPECT_LE(name.size(), 100u);
  EXPECT_EQ(name.find('/'), std::string::npos);
  EXPECT_EQ(name.find(".."), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Browser, LocalNameTest,
    ::testing::Values(NameCase{"h/d/pic.jpg?size=2#x", "pic.jpg"},
                      NameCase{"h/a\\..\\b.jpg", "b.jpg"},
                      NameCase{"h/d/..jpg", "image.jpg"},
                      NameCase{"h/d/a\x01\x1f" "b\x7f.jpg", "ab.jpg"},
                      NameCase{"h/d/", "image"},
                      NameCase{"h/" + std::string(300, 'x') + ".jpg",
                               "xxxxx" + std::string(91, 'x') + ".jpg"},
                      NameCase{"h/" + std::string(200, '.') + "x.png", "image.x.png"}));

struct ProxyCase {
  std::map<std::string, std::string> Env;
  std::string Scheme, Host;
  int Kind;  // -1 nothing, else TProxyKind
  std::string ProxyHost;
  int Port;
};

class ProxyTest : public ::testing::TestWithParam<ProxyCase> {};

TEST_P(ProxyTest, FromTheEnvironment) {
  const ProxyCase& c = GetParam();
  auto p = ProxyFromEnvironment(c.Scheme, c.Host, [&](const char* name) {
    auto it = c.Env.find(name);
    return it == c.Env.end() ? std::string() : it->second;
  });
  ASSERT_EQ(p.has_value(), c.Kind >= 0);
  if (!p) return;
  EXPECT_EQ(static_cast<int>(p->Kind), c.Kind);
  EXPECT_EQ(p->Host, c.ProxyHost);
  EXPECT_EQ(p->Port, c.Port);
}

INSTANTIATE_TEST_SUITE_P(
    Browser, ProxyTest,
    ::testing::Values(
        ProxyCase{{}, "http", "example.org", -1, "", 0},
        ProxyCase{{{"http_proxy", "http://px:3128/"}}, "http", "example.org", 1, "px", 3128},
        ProxyCase{{{"HTTPS_PROXY", "px2"}}, "https", "example.org", 1, "px2", 8080},
        ProxyCase{{{"all_proxy", "socks5h://u:pw@sx:9050"}}, "http", "a.org", 2, "sx", 9050},
        ProxyCase{{{"ALL_PROXY", "socks://sx"}}, "https", "a.org", 2, "sx", 1080},
        ProxyCase{{{"http_proxy", "px:1"}, {"no_proxy", "x.com, .example.org"}}, "http",
                  "www.example.org", 0, "", 0},
        ProxyCase{{{"http_proxy", "px:1"}}, "http", "127.0.0.1", 0, "", 0}));

}  // namespace
