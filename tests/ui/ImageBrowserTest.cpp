// The image browser on a folder of pictures and on a web page served by a
// small HTTP server of the test's own on 127.0.0.1.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <filesystem>
#include <map>

#include "EventLoop.h"
#include "WindowTest.h"
#include "browser/model/BrowserTexts.h"
#include "browser/ui/BrowsePicture.h"
#include "browser/ui/ImageBrowserForm.h"
#include "editor/model/DocumentCodecs.h"
#include "support/EffectRun.h"
#include "support/ErrorMessage.h"
#include "support/TempFolder.h"

using namespace lumarte;
using namespace lumarte::browser;
using lumarte::editor::TBitmap;
using lumarte::editor::TColor;
using lumarte::fixtures::Filled;

namespace {

class ScriptedBrowserPrompts : public TBrowserPrompts {
 public:
  std::optional<std::string> Folder, Url;
  std::optional<int> Goto;
  std::optional<std::string> AskFolder(const std::string&) override { return Folder; }
  std::optional<std::string> AskUrl() override { return Url; }
  std::optional<int> AskGotoImage(int, int) override { return Goto; }
};

bool Near(TColor a, TColor b) {
  auto d = [](int x, int y) { return std::abs(x - y) <= 12; };
  return d(editor::RedOf(a), editor::RedOf(b)) && d(editor::GreenOf(a), editor::GreenOf(b)) &&
         d(editor::BlueOf(a), editor::BlueOf(b));
}

constexpr TColor kRed = editor::RGBColor(230, 20, 20), kGreen = editor::RGBColor(20, 200, 40),
                 kBlue = editor::RGBColor(30, 40, 220), kYellow = editor::RGBColor(240, 230, 30),
                 kCyan = editor::RGBColor(20, 220, 220);

class ImageBrowserTest : public WindowTest {
 protected:
  fixtures::TempFolder dir;
  ScriptedBrowserPrompts ask;
  TImageBrowserForm* browser = nullptr;
  std::vector<std::string> statuses;

  void SetUp() override {
    WindowTest::SetUp();
    window->BrowserPrompts = &ask;
    window->LMBrowse1Click();
    browser = window->BrowserForm;
    browser->resize(760, 560);
    browser->StatusShown = [this](const std::string& s) { statuses.push_back(s); };
  }
  void WaitForThumbnails() {
    ASSERT_TRUE(lumarte::testing::ProcessEventsUntil([&] { return browser->PendingThumbnails() == 0; }, 20000));
  }
  // The colour in the middle of cell k of the grid.
  TColor CellColour(int k) {
    const TBrowserGrid& g = browser->Grid();
    TPlace at = CellPlace(g, k % g.Columns, k / g.Columns, 0, 0);
    QRgb p = browser->BrowseImage->Image().pixel(at.X, at.Y);
    return editor::RGBColor(qRed(p), qGreen(p), qBlue(p));
  }
  bool Shown(const std::string& status) const {
    return std::find(statuses.begin(), statuses.end(), status) != statuses.end();
  }
};

TEST_F(ImageBrowserTest, FolderGridInNameOrderSortsAndOpensIntoTheEditor) {
  editor::WriteJpegFile(dir.File("b.jpg"), Filled(160, 120, kGreen), 90, false);
  editor::WritePngFile(dir.File("a.png"), Filled(40, 30, kRed), false, 0);
  editor::WriteBmpFile(dir.File("c.BMP"), Filled(30, 60, kBlue), 24);
  dir.Write("d.jpg", "not a picture");
  std::filesystem::create_directory(dir.File("sub"));
  browser->ShowFolder(dir.Path.string());
  WaitForThumbnails();
  EXPECT_EQ(browser->LocationEdit->text().toStdString(), dir.Path.string());
  EXPECT_EQ(browser->StringGrid1->item(2, 0)->text(), "sub");
  EXPECT_TRUE(Near(CellColour(0), kRed) && Near(CellColour(1), kGreen) && Near(CellColour(2), kBlue));
  EXPECT_EQ(CellColour(3), editor::clWhite);  // the broken file draws nothing

  // The status names the file under the mouse, or the count below the cells.
  const TBrowserGrid& g = browser->Grid();
  browser->BrowseImageMouseMove(1, 1);
  EXPECT_EQ(browser->StatusBar1->text().toStdString(),
            FileStatusText("a.png", std::filesystem::file_size(dir.File("a.png"))));
  browser->BrowseImageMouseMove(1, g.Rows * (g.CellHeight + 5) - 1);
  EXPECT_EQ(browser->StatusBar1->text().toStdString(), "No. of images: 4");

  browser->IBSortClick(TBrowserSort::NameDown);
  WaitForThumbnails();
  EXPECT_TRUE(Near(CellColour(1), kBlue) && Near(CellColour(3), kRed));
  EXPECT_EQ(Message([&] { browser->IBGoTo1Click(); }), kAllImagesVisible);

  browser->BrowseImageDblClick(1 + (g.CellWidth + 5) * 2, 5);  // b.jpg
  EXPECT_EQ(window->Docs.Current().FileName, dir.File("b.jpg"));
  browser->BrowseImageDblClick(1 + (g.CellWidth + 5) * 0, 5);  // d.jpg: not valid
  EXPECT_EQ(prompts.Errors.back(), "Error Occured: Not a valid image!");
  for (int i = 0; i < 9; ++i) window->Docs.NewImage(4, 4);
  EXPECT_EQ(Message([&] { browser->BrowseImageDblClick(5, 5); }), editor::kTooManyImages);

  browser->StringGrid1DblClick(2);
  EXPECT_TRUE(Shown(kChangingDir));
  EXPECT_EQ(browser->Folder(), dir.File("sub"));
  EXPECT_EQ(browser->StatusBar1->text().toStdString(), kNoImageInDirectory);
  browser->StringGrid1DblClick(1);
  EXPECT_EQ(browser->Folder(), dir.Path.string());
}

TEST_F(ImageBrowserTest, GoToScrollsByRowsAndSmallThumbsEmptyTheCacheWhenGrowing) {
  for (int i = 0; i < 60; ++i)
    editor::WriteBmpFile(dir.File("p" + std::to_string(100 + i) + ".bmp"), Filled(8, 8, kBlue), 24);
  browser->ShowFolder(dir.Path.string());
  WaitForThumbnails();
  const TBrowserGrid& g = browser->Grid();
  ASSERT_GT(browser->BrowseScrollBar->maximum(), 0);
  ask.Goto = 30;
  browser->IBGoTo1Click();
  EXPECT_EQ(browser->BrowseScrollBar->value(), GotoPosition(30, 60, 60 / g.Columns));
  EXPECT_EQ(browser->First(), browser->BrowseScrollBar->value() * g.Columns);
  WaitForThumbnails();
  browser->IBThumbSizeClick(50);
  WaitForThumbnails();
  EXPECT_GT(browser->Cache().Size(), 0);
  browser->IBThumbSizeClick(100);
  EXPECT_GT(browser->PendingThumbnails(), 0);  // none comes from the cache of small ones
  WaitForThumbnails();
}

// ---- web mode ----

struct Route {
  int Status = 200;
  std::string Type, Body, Location;
  bool Stall = false;
};

// Answers GET requests from a table of paths, one request per connection.
class LoopbackServer {
 public:
  std::map<std::string, Route> Routes;
  std::vector<std::string> Requests;  // "path|Accept|User-Agent"
  QTcpServer Server;

  LoopbackServer() {
    EXPECT_TRUE(Server.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&Server, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* s = Server.nextPendingConnection()) {
        auto* buffer = new QByteArray;
        QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, buffer] {
          buffer->append(s->readAll());
          if (buffer->contains("\r\n\r\n")) Answer(s, *buffer);
        });
        QObject::connect(s, &QTcpSocket::disconnected, s, [s, buffer] {
          delete buffer;
          s->deleteLater();
        });
      }
    });
  }
  std::string Base() const { return "127.0.0.1:" + std::to_string(Server.serverPort()); }

 private:
  static std::string Header(const QByteArray& request, const char* name) {
    for (const QByteArray& line : request.split('\n'))
      if (line.toLower().startsWith(QByteArray(name).toLower() + ":"))
        return line.mid(static_cast<int>(strlen(name)) + 1).trimmed().toStdString();
    return {};
  }
  void Answer(QTcpSocket* s, QByteArray& request) {
    std::string path = request.split(' ').value(1).toStdString();
    Requests.push_back(path + "|" + Header(request, "Accept") + "|" + Header(request, "User-Agent"));
    request.clear();
    auto it = Routes.find(path);
    Route r = it == Routes.end() ? Route{404, "text/html", "<html>missing</html>", {}} : it->second;
    if (r.Stall) return;
    std::string head = "HTTP/1.1 " + std::to_string(r.Status) + " X\r\nConnection: close\r\n";
    if (!r.Location.empty()) head += "Location: " + r.Location + "\r\n";
    head += "Content-Type: " + r.Type + "\r\nContent-Length: " + std::to_string(r.Body.size()) +
            "\r\n\r\n";
    s->write(head.data(), static_cast<qint64>(head.size()));
    s->write(r.Body.data(), static_cast<qint64>(r.Body.size()));
    s->disconnectFromHost();
  }
};

class WebModeTest : public ImageBrowserTest {
 protected:
  LoopbackServer server;
  void Open(const std::string& path) {
    browser->show();
    ask.Url = "http://" + server.Base() + path;
    browser->IBOpenURL1Click();
  }
  void Serve(const std::string& path, const std::string& type, const std::string& body) {
    server.Routes[path] = Route{200, type, body, {}};
  }
  std::string Picture(const char* name, TColor colour) {
    std::string file = dir.File(name);
    if (std::string(name).ends_with(".png"))
      editor::WritePngFile(file, Filled(64, 48, colour), false, 0);
    else
      editor::WriteJpegFile(file, Filled(64, 48, colour), 90, false);
    return fixtures::TempFolder::Read(file);
  }
};

TEST_F(WebModeTest, FramesImagesAndLinksShownInPageOrderThenRemovedAtExit) {
  Serve("/index.html", "text/html",
        "<frameset><frame src=\"left.html\"><FRAME SRC=right/page.htm><frame src=long.html>");
  Serve("/left.html", "text/html; charset=utf-8",
        "<img src=\"red.jpg\"><IMG SRC=green.png><img src=\"missing.jpg\"><img src=red.jpg>"
        "<img src='notimage.jpg'><a href=/blue.jpg>blue</a>");
  Serve("/right/page.htm", "text/html", "<img alt=x src=../moved.jpg>");
  Serve("/long.html", "text/html",
        "<img src=cyan.png>" + std::string(17 << 20, ' ') + "<img src=late.jpg>");
  Serve("/red.jpg", "image/jpeg", Picture("r.jpg", kRed));
  Serve("/green.png", "image/png", Picture("g.png", kGreen));
  Serve("/blue.jpg", "image/jpeg", Picture("b.jpg", kBlue));
  Serve("/yellow.jpg", "image/jpeg", Picture("y.jpg", kYellow));
  Serve("/cyan.png", "image/png", Picture("c.png", kCyan));
  Serve("/notimage.jpg", "text/plain", "I am text");
  server.Routes["/moved.jpg"] = Route{302, "text/html", "", "/yellow.jpg"};

  Open("/index.html");
  ASSERT_TRUE(lumarte::testing::ProcessEventsUntil([&] { return !browser->Web().Busy(); }, 30000));
  WaitForThumbnails();
  const std::string b = server.Base();
  // Missing, not a picture, moved: the real client's answers in page order.
  ASSERT_EQ(browser->Web().Images().size(), 7u);
  EXPECT_TRUE(browser->WebMode());
  EXPECT_EQ(browser->LocationEdit->text().toStdString(), b + "/long.html");
  const TColor expected[] = {kRed, kGreen, editor::clWhite, editor::clWhite, kYellow, kCyan, kBlue};
  for (int k = 0; k < 7; ++k) EXPECT_TRUE(Near(CellColour(k), expected[k])) << "cell " << k;
  for (const char* s : {kRequestingDocument, kReceivingData, kRequestDone})
    EXPECT_TRUE(Shown(s)) << s;
  EXPECT_TRUE(Shown("Downloading " + b + "/red.jpg"));
  EXPECT_TRUE(Shown("The page is larger than 16 MB; the rest of it was not read."));
  EXPECT_EQ(server.Requests.front(), "/index.html|" + std::string(kAcceptHeader) + "|" + kUserAgent);
  browser->BrowseImageMouseMove(1, 1);
  EXPECT_EQ(browser->StatusBar1->text().toStdString(), b + "/red.jpg");

  std::vector<std::string> files;
  for (const auto& image : browser->Web().Images())
    if (!image.LocalFile.empty()) files.push_back(image.LocalFile);
  ASSERT_EQ(files.size(), 5u);
  for (const auto& f : files) EXPECT_TRUE(std::filesystem::exists(f)) << f;
  editor::ProgramState().TempFiles.DeleteAll();  // what the program does at exit
  for (const auto& f : files) EXPECT_FALSE(std::filesystem::exists(f)) << f;
}

TEST_F(WebModeTest, PlainTextIsNoPageAndAStalledServerIsGivenUp) {
  browser->ShowFolder(dir.Path.string());
  Serve("/readme.txt", "text/plain", "hello");
  Open("/readme.txt");
  ASSERT_TRUE(lumarte::testing::ProcessEventsUntil([&] { return !browser->Web().Busy(); }, 10000));
  EXPECT_TRUE(Shown(kUrlNotOpened));
  EXPECT_FALSE(browser->WebMode());
  EXPECT_EQ(browser->LocationEdit->text().toStdString(), dir.Path.string());

  server.Routes["/slow.html"] = Route{200, "", "", {}, true};
  browser->Http.StallTimeoutMs = 300;
  Open("/slow.html");
  ASSERT_TRUE(lumarte::testing::ProcessEventsUntil([&] { return !browser->Web().Busy(); }, 10000));
  EXPECT_TRUE(statuses.back().starts_with("Transfer aborted: ")) << statuses.back();
}

}  // namespace
