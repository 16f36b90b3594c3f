// The browser window's controls, menus and window events.
#include "browser/ui/ImageBrowserForm.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "browser/ui/BrowsePicture.h"
#include "browser/ui/QtBrowserPrompts.h"
#include "editor/model/ProgramState.h"
#include "ui/ErrorHandler.h"
#include "ui/Named.h"

namespace lumarte::browser {

namespace {

QWidget* TopPanel(QLineEdit*& location, QLabel*& status) {
  auto* panel = ui::Named(new QWidget, "Panel1");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(4, 4, 4, 0);
  column->setSpacing(2);
  auto* row = new QHBoxLayout;
  row->addWidget(ui::Named(new QLabel("Location:"), "Label1"));
  location = ui::Named(new QLineEdit, "LocationEdit");
  location->setReadOnly(true);
  row->addWidget(location, 1);
  column->addLayout(row);
  status = ui::Named(new QLabel, "StatusBar1");
  status->setFrameShape(QFrame::StyledPanel);
  status->setFrameShadow(QFrame::Sunken);
  status->setTextFormat(Qt::PlainText);
  status->setMinimumWidth(1);
  status->setFixedHeight(status->fontMetrics().height() + 6);
  column->addWidget(status);
  return panel;
}

QTableWidget* FolderList() {
  auto* grid = ui::Named(new QTableWidget(1, 1), "StringGrid1");
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->setColumnWidth(0, 77);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setMouseTracking(true);
  grid->setFixedWidth(77 + 2 * grid->frameWidth() + 20);
  auto* header = new QTableWidgetItem("Directories");
  header->setFlags(Qt::ItemIsEnabled);
  QFont bold = header->font();
  bold.setBold(true);
  header->setFont(bold);
  header->setBackground(grid->palette().button());
  grid->setItem(0, 0, header);
  return grid;
}

}  // namespace

TImageBrowserForm::TImageBrowserForm(TBrowserEditorLink editor, TBrowserPrompts* prompts,
                                     QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      Editor(std::move(editor)),
      OwnPrompts(prompts ? nullptr : std::make_unique<TQtBrowserPrompts>(this)),
      Prompts(prompts ? *prompts : *OwnPrompts),
      Session(Http, *this, editor::ProgramState().TempFiles) {
  setObjectName("ImageBrowserForm");
  setWindowTitle("Image Browser");
  setMinimumSize(400, 400);
  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addWidget(TopPanel(LocationEdit, StatusBar1));
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  StringGrid1 = FolderList();
  row->addWidget(StringGrid1);
  BrowseImage = ui::Named(new TBrowsePicture, "BrowseImage");
  row->addWidget(BrowseImage, 1);
  BrowseScrollBar = ui::Named(new QScrollBar(Qt::Vertical), "BrowseScrollBar");
  BrowseScrollBar->setRange(0, 0);
  row->addWidget(BrowseScrollBar);
  column->addLayout(row, 1);
  setCentralWidget(central);
  resize(760, 560);
  BuildMenus();

  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this,
          [this](int r, int) { Guard([=, this] { StringGrid1DblClick(r); }); });
  connect(StringGrid1, &QTableWidget::cellEntered, this,
          [this](int r, int) { Guard([=, this] { StringGrid1MouseMove(r); }); });
  connect(BrowseScrollBar, &QScrollBar::valueChanged, this,
          [this](int p) { Guard([=, this] { BrowseScrollBarChange(p); }); });
  BrowseImage->MouseMoved = [this](int x, int y) { Guard([=, this] { BrowseImageMouseMove(x, y); }); };
  BrowseImage->DoubleClicked = [this](int x, int y) {
    Guard([=, this] { BrowseImageDblClick(x, y); });
  };
  BrowseImage->Wheeled = [this](int steps) {
    BrowseScrollBar->setValue(BrowseScrollBar->value() + steps);
  };
  BrowseImage->Resized = [this] { Guard([this] { Draw(); }); };

  Worker = std::make_unique<TThumbnailWorker>(
      ThumbnailThreads(), [this](uint64_t generation, const TThumbnailJob& job,
                                 std::shared_ptr<const editor::TBitmap> picture) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, job, picture] {
              Guard([&] { ThumbnailArrived(generation, job.Index, job.Path, picture); });
            },
            Qt::QueuedConnection);
      });
}

TImageBrowserForm::~TImageBrowserForm() {
  Worker.reset();
  Session.Stop();
}

void TImageBrowserForm::Guard(const std::function<void()>& command) {
  ui::RunGuarded(command);
}

void TImageBrowserForm::BuildMenus() {
  auto item = [this](QMenu* menu, const char* name, const char* caption, std::function<void()> run) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, run] { Guard(run); });
    return a;
  };
  QMenu* window = menuBar()->addMenu("Window");
  window->setObjectName("IBWindow1");
  item(window, "IBBackToLumarte1", "Back To Lumarte", [this] { IBBackToLumarte1Click(); })
      ->setShortcut(QKeySequence(Qt::Key_F11));
  item(window, "IBClose1", "Close", [this] { close(); });
  QMenu* local = menuBar()->addMenu("Local");
  local->setObjectName("IBLocal1");
  item(local, "IBChangedirectory1", "Change directory", [this] { IBChangedirectory1Click(); });
  item(local, "IBRefresh1", "Refresh", [this] { IBRefresh1Click(); });
  QMenu* web = menuBar()->addMenu("Web");
  web->setObjectName("IBWeb1");
  item(web, "IBOpenURL1", "Open URL", [this] { IBOpenURL1Click(); });

  QMenu* thumbs = menuBar()->addMenu("Thumbs");
  thumbs->setObjectName("IBThumbs1");
  auto* sizes = new QActionGroup(this);
  struct TSizeItem {
    const char* Name;
    const char* Caption;
    int Size;
  };
  for (const TSizeItem& s : {TSizeItem{"IBSize501", "Size = 50 pixel", 50},
                             TSizeItem{"IBSize701", "Size = 70 pxiel", 70},
                             TSizeItem{"IBSize1001", "Size = 100 pixel (default)", 100},
                             TSizeItem{"IBSize1201", "Size = 120 pixel", 120}}) {
    QAction* a = item(thumbs, s.Name, s.Caption, [this, size = s.Size] { IBThumbSizeClick(size); });
    a->setCheckable(true);
    a->setChecked(s.Size == ThumbWidth);
    a->setData(s.Size);
    sizes->addAction(a);
    SizeActions.push_back(a);
  }
  thumbs->addSeparator();
  item(thumbs, "IBGoTo1", "Go To", [this] { IBGoTo1Click(); });

  QMenu* sort = menuBar()->addMenu("Sort");
  sort->setObjectName("IBSort1");
  struct TSortItem {
    const char* Name;
    const char* Caption;
    TBrowserSort Sort;
  };
  for (const TSortItem& s :
       {TSortItem{"IBNameAZ1", "by Name (from A to Z)", TBrowserSort::NameUp},
        TSortItem{"IBNameZA1", "by Name (from Z  to A)", TBrowserSort::NameDown},
        TSortItem{"IBDateOldNew1", "by Date (from old to new)", TBrowserSort::DateUp},
        TSortItem{"IBDateNewOld1", "by Date (from new to old)", TBrowserSort::DateDown},
        TSortItem{"IBSizeSmallLarge1", "by Size (from small to large)", TBrowserSort::SizeUp},
        TSortItem{"IBSizeLargeSmall1", "by Size (from large to small)", TBrowserSort::SizeDown}})
    SortActions.push_back(item(sort, s.Name, s.Caption, [this, k = s.Sort] { IBSortClick(k); }));
  sort->addSeparator();
  SortActions.push_back(
      item(sort, "IBReverseorder1", "reverse order", [this] { IBReverseorder1Click(); }));
}

void TImageBrowserForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FolderName.empty()) {
    std::error_code ec;
    ShowFolder(std::filesystem::current_path(ec).string());
  } else {
    Draw();
  }
}

void TImageBrowserForm::closeEvent(QCloseEvent* event) {
  Generation = Worker->Cancel();
  Pending = 0;
  Thumbs.Clear();
  Session.Stop();
  event->accept();
}

}  // namespace lumarte::browser
