// Printing through a real CUPS queue: a private cupsd with a cups-pdf queue,
// reachable only through a socket in the test's own folder.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <fstream>

#include "EventLoop.h"
#include "PrintSupport.h"
#include "editor/model/PrintCommand.h"
#include "platform/Printer.h"
#include "support/QuietDocumentHost.h"
#include "support/ScriptedPrintQuestions.h"
#include "support/TempFolder.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::testing;

namespace {

const char* const kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd";
const char* const kBackend = "/usr/lib/cups/backend/cups-pdf";
const char* const kQueue = "LumarteTestPDF";

void WriteFile(const QString& name, const QString& text) {
  QFile f(name);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text.toUtf8());
}

class TestCupsd {
 public:
  explicit TestCupsd(const QString& root) : Root(root), Socket(root + "/cups.sock") {}
  ~TestCupsd() {
    if (Server.state() == QProcess::NotRunning) return;
    Server.terminate();
    if (!Server.waitForFinished(10000)) Server.kill();
    Server.waitForFinished(5000);
  }
  // Empty when running, else why the server could not be started.
  QString Start() {
    QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/sbin"});
    if (cupsd.isEmpty()) return "cupsd is not installed";
    if (!QFile::exists(kPpd) || !QFile::exists(kBackend)) return "cups-pdf is not installed";
    // The cups-pdf backend runs only when cupsd can start it as root.
    if (geteuid() != 0) return "cupsd with the cups-pdf backend needs root";
    WriteConfiguration();
    Server.setProcessChannelMode(QProcess::MergedChannels);
    Server.start(cupsd, {"-f", "-c", Root + "/cupsd.conf", "-s", Root + "/cups-files.conf"});
    if (!Server.waitForStarted(10000)) return "cupsd could not be run: " + Server.errorString();
    ProcessEventsUntil(
        [&] { return QFile::exists(Socket) || Server.state() == QProcess::NotRunning; }, 15000);
    if (Server.state() != QProcess::Running || !QFile::exists(Socket))
      return "cupsd did not start: " + QString::fromUtf8(Server.readAll());
    return {};
  }
  QString Spool() const { return Root + "/spool"; }

  QString Root, Socket;

 private:
  void WriteConfiguration() {
    for (const char* sub : {"spool", "tmp", "cache", "state", "ppd", "log"})
      QDir(Root).mkpath(sub);
    // Filters run as the unprivileged "lp" user and write into tmp.
    if (chown(Spool().toUtf8(), 0, LpGroup()) == 0) chmod(Spool().toUtf8(), 0710);
    if (chown((Root + "/tmp").toUtf8(), 0, LpGroup()) == 0) chmod((Root + "/tmp").toUtf8(), 01770);
    chmod(Root.toUtf8(), 0755);
    WriteFile(Root + "/cupsd.conf", "Listen " + Socket +
                                        "\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                        // Job files written at once, for SpooledCopies.
                                        "DirtyCleanInterval 0\n"
                                        "<Location />\n  Order allow,deny\n  Allow all\n"
                                        "</Location>\n");
    WriteFile(Root + "/cups-files.conf",
              QString("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                      "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                      "PageLog %1/log/page_log\nPrintcap %1/printcap\nServerBin /usr/lib/cups\n"
                      "DataDir /usr/share/cups\nSystemGroup root\nFileDevice No\n")
                  .arg(Root));
    QFile::copy(kPpd, Root + "/ppd/" + kQueue + ".ppd");
    WriteFile(Root + "/printers.conf",
              QString("<DefaultPrinter %1>\nDeviceURI cups-pdf:/\nState Idle\nAccepting Yes\n"
                      "Shared No\n</DefaultPrinter>\n")
                  .arg(kQueue));
  }
  static gid_t LpGroup() {
    struct passwd* lp = getpwnam("lp");
    return lp ? lp->pw_gid : 0;
  }
  QProcess Server;
};

// Qt's print support talks to CUPS through libcups, which keeps the server
// it first used: point it at ours in this process, and back at the end.
void SetCupsServer(const char* socket) {
  if (socket)
    qputenv("CUPS_SERVER", socket);
  else
    qunsetenv("CUPS_SERVER");
  if (void* cups = dlopen("libcups.so.2", RTLD_NOW))
    if (auto set = reinterpret_cast<void (*)(const char*)>(dlsym(cups, "cupsSetServer")))
      set(socket);
}

struct UsingCupsServer {
  explicit UsingCupsServer(const QString& socket) { SetCupsServer(socket.toUtf8().constData()); }
  ~UsingCupsServer() { SetCupsServer(nullptr); }
};

// Where cups-pdf writes for this user: the "Out" line of its configuration.
QString CupsPdfOutFolder() {
  struct passwd* me = getpwuid(geteuid());
  QString out = "${HOME}/PDF";
  std::ifstream conf("/etc/cups/cups-pdf.conf");
  for (std::string line; std::getline(conf, line);)
    if (line.rfind("Out ", 0) == 0) out = QString::fromStdString(line.substr(4)).trimmed();
  return out.replace("${HOME}", me ? me->pw_dir : "").replace("${USER}", me ? me->pw_name : "");
}

// The "copies" attribute of the first job control file in the spool.
int SpooledCopies(const QString& spool) {
  const QByteArray tag("\x21\x00\x06" "copies\x00\x04", 11);
  for (const QString& name : QDir(spool).entryList({"c*"}, QDir::Files, QDir::Name)) {
    QFile f(spool + "/" + name);
    if (!f.open(QIODevice::ReadOnly)) continue;
    QByteArray job = f.readAll();
    int at = job.indexOf(tag);
    if (at < 0 || at + tag.size() + 4 > job.size()) continue;
    const auto* v = reinterpret_cast<const uint8_t*>(job.constData() + at + tag.size());
    return v[0] << 24 | v[1] << 16 | v[2] << 8 | v[3];
  }
  return -1;
}

TEST(CupsPrint, ThreeImagesThroughTheCupsPdfQueue) {
  fixtures::TempFolder folder;
  TestCupsd cupsd(QString::fromStdString(folder.Path.string()));
  if (QString why = cupsd.Start(); !why.isEmpty()) GTEST_SKIP() << why.toStdString();
  UsingCupsServer server(cupsd.Socket);
  ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kQueue));

  QuietHost host;
  DocumentList docs(host);
  for (TColor c : {0x0000FFu, 0x00FF00u, 0xFF0000u}) {
    docs.NewImage(30, 20);
    docs.Current().Bitmap->BrushColor = c;
    docs.Current().Bitmap->FillRect(0, 0, 30, 20);
  }
  platform::TQtPrinter printer;
  printer.Device().setPrinterName(kQueue);
  const QString title = "lumartecups" + QString::number(QRandomGenerator::global()->generate());
  printer.Device().setDocName(title);
  ScriptedPrintQuestions questions;
  questions.Options->PrintAll = true;
  questions.Options->Copies = 3;
  RunPrintCommand(docs, questions, printer);

  // cups-pdf names its file after the job title.
  QDir out(CupsPdfOutFolder());
  QString pdf;
  struct RemoveAtEnd {
    QString& File;
    ~RemoveAtEnd() {
      if (!File.isEmpty()) QFile::remove(File);
    }
  } removePdf{pdf};
  ProcessEventsUntil(
      [&] {
        QStringList found = out.entryList({title + "*.pdf"}, QDir::Files);
        if (!found.isEmpty()) pdf = out.filePath(found.front());
        return !pdf.isEmpty() && PdfPageCount(pdf) > 0;
      },
      60000);
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue in " << out.path().toStdString();
  ProcessEventsUntil([&] { return SpooledCopies(cupsd.Spool()) != -1; }, 10000);
  EXPECT_EQ(SpooledCopies(cupsd.Spool()), 3);
  // The queue makes the copies itself: the three-page document three times.
  std::vector<QImage> pages = RenderPdfPages(pdf, QString::fromStdString(folder.File("p")), 20);
  ASSERT_EQ(pages.size(), 9u);
  // List order: blue was opened last and is the current image.
  const QRgb expected[] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
  const bool collated = printer.Device().collateCopies();
  for (int k = 0; k < 9; ++k)
    EXPECT_EQ(pages[k].pixel(InkBox(pages[k]).center()), expected[collated ? k % 3 : k / 3])
        << "page " << k + 1;
}

}  // namespace
