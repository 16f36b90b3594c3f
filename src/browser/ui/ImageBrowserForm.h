#pragma once
// "Image Browser": the images of a folder, or of a web page, as a grid of
// thumbnails; a double-click opens one in the editor.
#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/model/BrowserFolder.h"
#include "browser/model/BrowserGrid.h"
#include "browser/model/BrowserPrompts.h"
#include "browser/model/ThumbnailCache.h"
#include "browser/model/Thumbnails.h"
#include "browser/model/WebSession.h"
#include "platform/HttpClient.h"

class QAction;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTableWidget;

namespace lumarte::browser {

class TBrowsePicture;

// The editor services the browser uses.
struct TBrowserEditorLink {
  // Opens a file as a new document through the editor's file opening
  // (which refuses when ten images are open and reports invalid files);
  // true when it was opened.
  std::function<bool(const std::string&)> OpenImage;
  std::function<void()> ShowEditor;
};

class TImageBrowserForm : public QMainWindow, private TWebView {
  Q_OBJECT
 public:
  // Without prompts the window asks with its own dialogs.
  TImageBrowserForm(TBrowserEditorLink editor, TBrowserPrompts* prompts, QWidget* parent);
  ~TImageBrowserForm() override;

  QLineEdit* LocationEdit;
  QLabel* StatusBar1;
  QTableWidget* StringGrid1;
  TBrowsePicture* BrowseImage;
  QScrollBar* BrowseScrollBar;
  platform::THttpClient Http;
  // Every status text as it is shown (a test's record of the transfer).
  std::function<void(const std::string&)> StatusShown;

  const std::string& Folder() const { return FolderName; }
  const std::vector<imaging::TFileRecord>& Files() const { return FileList; }
  bool WebMode() const { return InWebMode; }
  const TWebSession& Web() const { return Session; }
  const TBrowserGrid& Grid() const { return GridNow; }
  int ThumbSize() const { return ThumbWidth; }
  int First() const { return FirstIndex; }
  // Thumbnails asked for and not yet drawn.
  int PendingThumbnails() const { return Pending; }
  const TThumbnailCache& Cache() const { return Thumbs; }

  // Menu commands
  void IBBackToLumarte1Click();
  void IBChangedirectory1Click();
  void IBRefresh1Click();
  void IBOpenURL1Click();
  void IBThumbSizeClick(int size);
  void IBGoTo1Click();
  void IBSortClick(TBrowserSort sort);
  void IBReverseorder1Click();
  // Controls
  void StringGrid1DblClick(int row);
  void StringGrid1MouseMove(int row);
  void BrowseImageMouseMove(int x, int y);
  void BrowseImageDblClick(int x, int y);
  void BrowseScrollBarChange(int position);

  // Shows folder (scanning it) in folder mode.
  void ShowFolder(const std::string& folder);
  void Draw();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void Guard(const std::function<void()>& command);
  void ScanFolder();
  void SetStatus(const std::string& text);
  int Count() const;
  // The file of image i, or empty when it is not there (yet).
  std::string PathOf(int index) const;
  void DrawCell(int index, const editor::TBitmap& picture);
  void ThumbnailArrived(uint64_t generation, int index, const std::string& path,
                        std::shared_ptr<const editor::TBitmap> picture);
  void ShowOffscreen();
  void LeaveWebMode();
  // TWebView
  void ShowStatus(const std::string& text) override;
  void WebImagesFound() override;
  void WebImageReady(int index) override;
  void WebModeEnded() override;

  TBrowserEditorLink Editor;
  std::unique_ptr<TBrowserPrompts> OwnPrompts;
  TBrowserPrompts& Prompts;
  TWebSession Session;
  std::string FolderName;
  std::vector<imaging::TFileRecord> FileList;
  bool InWebMode = false;
  int ThumbWidth = 100, ThumbHeight = 100;
  TBrowserGrid GridNow;
  int FirstIndex = 0;
  bool Drawing = false, Scanning = false;
  TThumbnailCache Thumbs;
  QImage Offscreen;
  std::vector<int> RowPending;  // thumbnails still missing per grid row
  int Pending = 0;
  uint64_t Generation = 0;
  QElapsedTimer SinceShown;
  std::vector<QAction*> SortActions;
  std::vector<QAction*> SizeActions;
  // Last: its threads stop before the members they report to go away.
  std::unique_ptr<TThumbnailWorker> Worker;
};

}  // namespace lumarte::browser
