#include <gtest/gtest.h>

#include <filesystem>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/FileCommands.h"
#include "editor/model/ImageFiles.h"
#include "editor/model/MetafileAccess.h"
#include "editor/model/ProgramState.h"
#include "editor/model/RasterConversion.h"
#include "imaging/Errors.h"
#include "imaging/GIFLoader.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/PNGLoader.h"
#include "imaging/RevedBitmap.h"
#include "support/ErrorMessage.h"
#include "support/FakePrompts.h"
#include "support/TempFolder.h"
#include "support/TestCodec.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::fixtures;

namespace {

// Metafiles stand in as test rasters, so the metafile branches can be
// driven without the platform's renderer.
bool MetafileWriteFails = false;
void FakeLoadMetafile(const std::string& name, TBitmap& raster) {
  imaging::TRevedBitmap b;
  imaging::TFileStream s(name, imaging::fmRead);
  b.LoadFromStream(s, "TST");
  AssignTo(b, raster);
}
void FakeSaveMetafile(const std::string& name, const TBitmap& raster) {
  if (MetafileWriteFails) throw EInOutError("disk full");
  WriteTestRaster(name, raster);
}

class Host : public DocumentHost {
 public:
  TFileCommands* Files = nullptr;
  TEditorPrompts* Prompts = nullptr;
  int Fits = 0;
  std::vector<std::string> Recent;
  TSaveChangedAnswer AskSaveChanged() override { return Prompts->AskSaveChanged(); }
  void SaveCurrent() override { Files->LMSave1Click(); }
  void SaveCurrentAs() override { Files->LMSaveas1Click(); }
  void OpenIntoFreeSlot() override { Files->LMOpen1Click(); }
  void AddRecentFile(const std::string& f) override { Recent.push_back(f); }
  void FitWindowToImage() override { ++Fits; }
};

class FileCommandsTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePrompts prompts;
  Host host;
  DocumentList docs{host};
  TFileCommands files{docs, host, prompts};

  void SetUp() override {
    RegisterTestCodec();
    InstallMetafileFunctions({&FakeLoadMetafile, &FakeSaveMetafile});
    MetafileWriteFails = false;
    host.Files = &files;
    host.Prompts = &prompts;
  }
  void TearDown() override { InstallMetafileFunctions({}); }

  std::string Raster(const std::string& name, int w = 4, int h = 3, int seed = 0) {
    std::string path = folder.File(name);
    WriteTestRaster(path, Pattern(w, h, seed));
    return path;
  }
  int OpenCount() const {
    int n = 0;
    for (int k = 0; k < kSlotCount; ++k) n += docs.Slot(k).InUse;
    return n;
  }
  // A fresh document holding a picture of 48 colours (GIF keeps it exact).
  TBM& Document(int w = 21, int h = 13) {
    docs.NewImage(w, h);
    TBitmap& b = *docs.Current().Bitmap;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        b.SetPixel(x, y,
                   RGBColor(static_cast<uint8_t>(x % 4 * 60), static_cast<uint8_t>(y % 4 * 60),
                            static_cast<uint8_t>((x + y) % 3 * 100)));
    docs.Current().Modified = true;
    return docs.Current();
  }
  TBitmap Reread(const std::string& name) { return *ReadImageFile(name).Raster; }
};

}  // namespace

TEST_F(FileCommandsTest, OpenShowsTheRegistryFilterPlusMetafiles) {
  prompts.OpenAnswers.push_back({Raster("a.tst")});
  files.LMOpen1Click();
  // The filter's layout is checked where it is made; here, that the registry's entries reach it.
  EXPECT_NE(prompts.LastOpenFilter.find("Test raster (*.tst)|*.tst|"), std::string::npos);
  ASSERT_TRUE(docs.Current().InUse);
  EXPECT_EQ(docs.Current().FileName, folder.File("a.tst"));
  EXPECT_TRUE(docs.Current().NeedsSaveAs);
  EXPECT_FALSE(docs.Current().Modified);
  EXPECT_EQ(docs.Current().JpegQuality, -1);
  EXPECT_EQ(*docs.Current().Bitmap, Pattern(4, 3));
  EXPECT_EQ(host.Fits, 1);
  files.LMImageInformation1Click();
  EXPECT_EQ(prompts.Texts, (std::vector<std::vector<std::string>>{
                               {"Image Information", "", "FileName: " + folder.File("a.tst"),
                                "Width: 4", "Height: 3"}}));
}

TEST_F(FileCommandsTest, TwelveChosenWithEightOpenOpensTwoThenReportsTheLimit) {
  for (int i = 0; i < 8; ++i) docs.NewImage(2, 2);
  std::vector<std::string> chosen;
  for (int i = 0; i < 12; ++i) chosen.push_back(Raster("f" + std::to_string(i) + ".tst", 3, 3, i));
  prompts.OpenAnswers.push_back(chosen);
  EXPECT_EQ(Message([&] { files.LMOpen1Click(); }), kNotAllOpened);
  EXPECT_EQ(OpenCount(), 10);
  // The last file opened is current, the first one right behind it.
  EXPECT_EQ(docs.Current().FileName, chosen[1]);
  EXPECT_EQ(docs.Slot(1).FileName, chosen[0]);
}

TEST_F(FileCommandsTest, FullListRefusesBeforeTheDialog) {
  for (int i = 0; i < 10; ++i) docs.NewImage(2, 2);
  EXPECT_EQ(Message([&] { files.LMOpen1Click(); }), kTooManyImages);
  EXPECT_TRUE(prompts.Asked.empty());
}

// A file whose load the user cancels is skipped quietly too.
TEST_F(FileCommandsTest, InvalidFilesAreAnnouncedAndSkippedMissingOnesSilently) {
  const std::string broken = folder.Write("broken.tst", "not a raster");
  const std::string cancelled = folder.Write("ask.tst", "ABRT");
  prompts.OpenAnswers.push_back({broken, folder.File("missing.tst"), cancelled, Raster("ok.tst")});
  files.LMOpen1Click();
  EXPECT_EQ(prompts.Errors, (std::vector<std::string>{"Error Occured: Not a valid image!"}));
  EXPECT_EQ(OpenCount(), 1);
  EXPECT_EQ(docs.Current().FileName, folder.File("ok.tst"));
  EXPECT_FALSE(IsValidImage(cancelled, &prompts));
  EXPECT_EQ(prompts.Errors.size(), 1u);
}

TEST_F(FileCommandsTest, LargeImageOpensAtHalfZoom) {
  docs.ZoomFactor = 1.0;
  files.OpenFiles({Raster("wide.tst", 2400, 1200)});
  EXPECT_DOUBLE_EQ(docs.ZoomFactor, 0.5);
  // A second, small image keeps that zoom (the zoom only shrinks on open).
  files.OpenFiles({Raster("small.tst", 10, 10)});
  EXPECT_DOUBLE_EQ(docs.ZoomFactor, 0.5);
}

TEST_F(FileCommandsTest, FailedReadLeavesTheListAsItWas) {
  files.OpenFiles({Raster("a.tst")});
  // GIF names count as valid without being read; the read itself fails.
  const std::string gif = folder.Write("fake.gif", "GIF89a but nothing else");
  EXPECT_NE(Message([&] { files.OpenFiles({gif}); }), "(no exception)");
  EXPECT_EQ(OpenCount(), 1);
  EXPECT_EQ(docs.Current().FileName, folder.File("a.tst"));
  EXPECT_FALSE(docs.Slot(1).InUse);
}

TEST_F(FileCommandsTest, StartupOpensTheFirstTenValidFilesWithoutMessages) {
  std::vector<std::string> names;
  for (int i = 0; i < 12; ++i) names.push_back(Raster("s" + std::to_string(i) + ".tst"));
  names[3] = folder.File("missing.tst");
  files.OpenStartupFiles(names);
  EXPECT_EQ(OpenCount(), 9);  // ten looked at, one missing
  EXPECT_EQ(docs.Current().FileName, names[9]);
  EXPECT_TRUE(prompts.Errors.empty());
}

TEST_F(FileCommandsTest, RecentFileMessages) {
  files.Recent.NoOfRecentFiles = 3;
  const std::string broken = folder.Write("broken.tst", "junk");
  files.Recent.Add(folder.File("gone.tst"));
  files.Recent.Add(broken);
  files.Recent.Add(Raster("fine.tst"));
  EXPECT_EQ(Message([&] { files.N110Click(3); }), "Picture not found.");
  EXPECT_EQ(Message([&] { files.N110Click(2); }), "Picture not found or not valid.");
  EXPECT_EQ(prompts.Errors.size(), 1u);
  files.N110Click(1);
  EXPECT_EQ(docs.Current().FileName, folder.File("fine.tst"));
}

TEST_F(FileCommandsTest, SaveAsUnusableExtensionAsksForTheFormat) {
  docs.NewImage(5, 4);
  docs.Current().Modified = true;
  prompts.SaveNameAnswers.push_back(folder.File("picture.tif"));
  prompts.FormatAnswers.push_back(TSaveFormatChoice::Emf);
  EXPECT_TRUE(files.LMSaveas1Click());
  EXPECT_EQ(prompts.Asked, (std::vector<std::string>{"save", "format"}));
  EXPECT_EQ(prompts.LastSaveFilter,
            "JPEG, JPG,  JP2, PNG, BMP, EMF, WMF,GIF|"
            "*.jpg;*.jpeg;*.png;*.bmp;*.emf;*.wmf;*.jp2;*.gif");
  EXPECT_TRUE(std::filesystem::exists(folder.File("picture.tif.emf")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("picture.tif")));
  EXPECT_EQ(docs.Current().FileName, folder.File("picture.tif.emf"));
  EXPECT_FALSE(docs.Current().NeedsSaveAs);
  // The metafile branch takes the name and leaves Modified alone.
  EXPECT_TRUE(docs.Current().Modified);
}

// "Transparent with current Transparent Color" is the centre of the colour
// set's interval at the time of saving.
TEST_F(FileCommandsTest, PngSaveOffersTheColourSetsInterval) {
  TColorSet& colours = ProgramState().Colours;
  const TColorSet saved = colours;
  colours.TCI = TColorEntry::FromRGB(10, 20, 30);
  docs.NewImage(5, 4);
  prompts.SaveNameAnswers.push_back(folder.File("picture.png"));
  prompts.PngAnswers.push_back(TPngTransparency::CurrentColor);
  EXPECT_TRUE(files.LMSaveas1Click());
  colours = saved;
  EXPECT_EQ(prompts.LastPngQuestion.CurrentColor, RGBColor(10, 20, 30));
}

TEST_F(FileCommandsTest, SaveGoesToSaveAsUntilTheDocumentHasAName) {
  docs.NewImage(5, 4);
  prompts.SaveNameAnswers.push_back(folder.File("first.wmf"));
  EXPECT_TRUE(files.LMSave1Click());
  EXPECT_EQ(prompts.LastSavePreset, "");
  prompts.Asked.clear();
  docs.Current().Bitmap->SetPixel(0, 0, clBlack);
  EXPECT_TRUE(files.LMSave1Click());
  EXPECT_TRUE(prompts.Asked.empty());  // saved under its name without asking
  TBitmap back;
  FakeLoadMetafile(folder.File("first.wmf"), back);
  EXPECT_EQ(back.Pixel(0, 0), clBlack);
}

// A cancelled dialog or a failed write changes nothing.
TEST_F(FileCommandsTest, CancelledOrFailedSaveKeepsTheDocumentsFields) {
  docs.NewImage(5, 4);
  EXPECT_FALSE(files.LMSaveas1Click());
  EXPECT_TRUE(docs.Current().NeedsSaveAs);
  EXPECT_EQ(docs.Current().FileName, "");
  MetafileWriteFails = true;
  prompts.SaveNameAnswers.push_back(folder.File("x.emf"));
  EXPECT_EQ(Message([&] { files.LMSaveas1Click(); }), "disk full");
  EXPECT_TRUE(docs.Current().NeedsSaveAs);
  EXPECT_EQ(docs.Current().FileName, "");
}

TEST_F(FileCommandsTest, UnknownExtensionFailsInSaveDocument) {
  docs.NewImage(2, 2);
  docs.Current().FileName = folder.File("x.tif");
  docs.Current().NeedsSaveAs = false;
  EXPECT_EQ(Message([&] { files.LMSave1Click(); }), "Format not supported!");
  EXPECT_EQ(Message([&] { SaveDocument(docs.Current(), folder.File("x.ico"), prompts); }),
            "Format not supported!");
}

TEST_F(FileCommandsTest, CancelledJpeg2000AndJpegDialogsWriteNothing) {
  docs.NewImage(2, 2);
  prompts.Jpeg2000Answers.push_back(false);
  prompts.JpegAnswers.push_back(std::nullopt);
  EXPECT_FALSE(SaveDocument(docs.Current(), folder.File("x.jpc"), prompts));
  EXPECT_FALSE(SaveDocument(docs.Current(), folder.File("x.jpg"), prompts));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path));
  EXPECT_EQ(docs.Current().FileName, "");
}

TEST_F(FileCommandsTest, ClosingAChangedImageFollowsTheSavePrompt) {
  const std::string named = Raster("named.tst");
  struct {
    TSaveChangedAnswer Answer;
    std::string Target;  // the save dialog's answer
    bool Closed;
    std::vector<std::string> Asked;
  } cases[] = {
      {TSaveChangedAnswer::Save, folder.File("saved.emf"), true, {"changed", "save"}},
      {TSaveChangedAnswer::SaveAs, folder.File("savedas.emf"), true, {"changed", "save"}},
      {TSaveChangedAnswer::DontSave, folder.File("not.emf"), true, {"changed"}},
      {TSaveChangedAnswer::Cancel, folder.File("not.emf"), false, {"changed"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.Answer));
    files.OpenFiles({named});
    docs.Current().Modified = true;
    prompts.Asked.clear();
    prompts.SaveChangedAnswers.push_back(c.Answer);
    prompts.SaveNameAnswers = {c.Target};
    EXPECT_EQ(Message([&] { docs.LMClose1Click(); }),
              c.Closed ? "(no exception)" : "Operation Cancelled.");
    EXPECT_EQ(prompts.Asked, c.Asked);
    EXPECT_EQ(docs.Current().InUse, !c.Closed);
    EXPECT_EQ(std::filesystem::exists(c.Target), c.Closed && c.Answer != TSaveChangedAnswer::DontSave);
    if (!c.Closed) {
      docs.Current().Modified = false;
      docs.LMClose1Click();
    }
  }
  EXPECT_EQ(OpenCount(), 0);
}

TEST_F(FileCommandsTest, NewImageDialog) {
  prompts.NewSizeAnswers.push_back(std::nullopt);
  files.LMNew1Click();
  EXPECT_FALSE(docs.Current().InUse);
  prompts.NewSizeAnswers.push_back(TImageSize{0, 5});
  EXPECT_EQ(Message([&] { files.LMNew1Click(); }), "Width or Height must be greater than 0.");
  prompts.NewSizeAnswers.push_back(TImageSize{7, 5});
  files.LMNew1Click();
  EXPECT_EQ(docs.Current().Bitmap->Width(), 7);
  EXPECT_EQ(docs.Current().Bitmap->Pixel(6, 4), clWhite);
  EXPECT_EQ(docs.Current().JpegQuality, 50);
}

TEST_F(FileCommandsTest, BitmapEachDepthWritesWhatThePreviewShows) {
  TBM& d = Document();
  for (int bits : {24, 8, 4, 1}) {
    std::string name = folder.File("b" + std::to_string(bits) + ".bmp");
    prompts.BitmapDepthAnswers.push_back(bits);
    ASSERT_TRUE(SaveDocument(d, name, prompts));
    EXPECT_EQ(Reread(name), ReducedToDepth(*d.Bitmap, bits)) << bits;
    EXPECT_EQ(d.FileName, name);
    EXPECT_FALSE(d.Modified);
    EXPECT_FALSE(d.NeedsSaveAs);
    d.Modified = true;
  }
  // Cancel in the dialog still writes the raster as it is.
  prompts.BitmapDepthAnswers.push_back(std::nullopt);
  ASSERT_TRUE(SaveDocument(d, folder.File("cancel.bmp"), prompts));
  EXPECT_EQ(Reread(folder.File("cancel.bmp")), *d.Bitmap);
}

TEST_F(FileCommandsTest, PngTransparencyChoices) {
  TBM& d = Document();
  const TColor current = RGBColor(60, 60, 200);  // pixel (1, 1)
  struct {
    TPngTransparency Choice;
    bool Transparent;
    TColor Color;
  } cases[] = {
      {TPngTransparency::NotTransparent, false, clInvalid},
      {TPngTransparency::CurrentColor, true, current},
  };
  TSaveContext context;
  context.CurrentTransparentColor = current;
  for (const auto& c : cases) {
    std::string name = folder.File("p" + std::to_string(int(c.Choice)) + ".png");
    prompts.PngAnswers.push_back(c.Choice);
    d.JpegQuality = 70;
    ASSERT_TRUE(SaveDocument(d, name, prompts, context));
    EXPECT_EQ(d.JpegQuality, -1);
    EXPECT_FALSE(d.Modified);
    TLoadedImage back = ReadImageFile(name);
    EXPECT_EQ(*back.Raster, *d.Bitmap);
    EXPECT_EQ(back.HasTransparency, c.Transparent);
    EXPECT_EQ(static_cast<TColor>(back.TransparentColor), c.Color);
    d.Modified = true;
  }
  EXPECT_EQ(prompts.LastPngQuestion.CurrentColor, current);
  EXPECT_EQ(prompts.LastPngQuestion.DocumentColor, d.Bitmap->TransparentColor());
}

TEST_F(FileCommandsTest, PngOriginalOptionsKeepTheDocumentsTransparency) {
  TBM& d = Document();
  d.HasTransparency = true;
  d.TransparentColor = static_cast<int32_t>(RGBColor(120, 120, 100));  // pixel (2, 2)
  prompts.PngAnswers.push_back(TPngTransparency::Original);
  ASSERT_TRUE(SaveDocument(d, folder.File("o.png"), prompts));
  TLoadedImage back = ReadImageFile(folder.File("o.png"));
  EXPECT_TRUE(back.HasTransparency);
  EXPECT_EQ(back.TransparentColor, d.TransparentColor);
  EXPECT_TRUE(prompts.LastPngQuestion.DocumentTransparent);
}

TEST_F(FileCommandsTest, GifKeepsTheDocumentModifiedAndItsName) {
  TBM& d = Document();
  d.FileName = folder.File("original.png");
  d.NeedsSaveAs = false;
  ASSERT_TRUE(SaveDocument(d, folder.File("x.gif"), prompts));
  EXPECT_TRUE(d.Modified);
  EXPECT_EQ(d.FileName, folder.File("original.png"));
  EXPECT_FALSE(d.NeedsSaveAs);
  TLoadedImage back = ReadImageFile(folder.File("x.gif"));
  EXPECT_EQ(*back.Raster, *d.Bitmap);  // few colours: exact
  EXPECT_FALSE(back.HasTransparency);
  EXPECT_TRUE(prompts.Asked.empty());  // GIF has no options dialog
}

TEST_F(FileCommandsTest, GifOfManyColoursIsReducedNotRefused) {
  TBM& d = Document(64, 64);
  *d.Bitmap = Pattern(64, 64, 5);  // 4096 colours
  ASSERT_TRUE(SaveDocument(d, folder.File("many.gif"), prompts));
  EXPECT_EQ(Reread(folder.File("many.gif")), ReducedToDepth(*d.Bitmap, 8));
}

TEST_F(FileCommandsTest, OpenedGifAndPngBringTheirTransparency) {
  imaging::TRevedBitmap picture;
  AssignFromRaster(picture, *Document().Bitmap);
  const TColor red = docs.Current().Bitmap->Pixel(0, 1);
  ASSERT_TRUE(imaging::SaveGIF(folder.File("t.gif"), picture, false, true, red));
  imaging::TPNGSaveOptions options;
  options.Transparent = true;
  options.TransparentColor = red;
  imaging::SavePNGFile(folder.File("t.png"), picture, options);
  for (const char* name : {"t.gif", "t.png"}) {
    files.OpenFiles({folder.File(name)});
    EXPECT_TRUE(docs.Current().HasTransparency) << name;
    EXPECT_EQ(static_cast<TColor>(docs.Current().TransparentColor), red) << name;
    EXPECT_EQ(docs.Current().JpegQuality, -1) << name;
  }
}

TEST_F(FileCommandsTest, JpegRecordsTheDialogsChoiceAndOpensAtSeventy) {
  TBM& d = Document(40, 30);
  prompts.JpegAnswers.push_back(TJpegSaveChoice{33, false});
  std::string name = folder.File("photo.JpEg");
  ASSERT_TRUE(SaveDocument(d, name, prompts));
  EXPECT_EQ(d.JpegQuality, 33);
  EXPECT_FALSE(d.JpegProgressive);
  EXPECT_FALSE(d.Modified);
  EXPECT_EQ(d.FileName, name);
  TJpegPreview expected = MakeJpegPreview(*d.Bitmap, 33, false);
  EXPECT_EQ(static_cast<int64_t>(std::filesystem::file_size(name)), expected.FileSize);

  files.OpenFiles({name});
  EXPECT_EQ(docs.Current().JpegQuality, 70);
  EXPECT_TRUE(docs.Current().JpegProgressive);
  EXPECT_EQ(*docs.Current().Bitmap, expected.Decoded);
}

TEST_F(FileCommandsTest, JpegPreviewSizeFollowsQualityAndProgressive) {
  TBitmap photo = Pattern(96, 64, 3);
  auto low = MakeJpegPreview(photo, 12, false);
  auto high = MakeJpegPreview(photo, 95, false);
  auto progressive = MakeJpegPreview(photo, 95, true);
  EXPECT_LT(low.FileSize, high.FileSize);
  EXPECT_NE(progressive.FileSize, high.FileSize);
  EXPECT_EQ(low.Decoded.Width(), 96);
  // Quality 0 is passed on and counts as 1.
  EXPECT_EQ(MakeJpegPreview(photo, 0, false).FileSize, MakeJpegPreview(photo, 1, false).FileSize);
}

TEST_F(FileCommandsTest, JpcIsWrittenAsJp2) {
  static bool scanned = imaging::ImageDLLLoader().ScanFolder(LUMARTE_BINARY_DIR);
  if (!scanned || !imaging::ImageDLLLoader().CanSave("JP2"))
    GTEST_SKIP() << "the JPEG 2000 plug-in was not built";
  TBM& d = Document();
  d.FileName = "before";
  imaging::ImageDLLLoader().Options.clear();  // lossless
  ASSERT_TRUE(SaveDocument(d, folder.File("x.jpc"), prompts));
  EXPECT_FALSE(std::filesystem::exists(folder.File("x.jpc")));
  ASSERT_TRUE(std::filesystem::exists(folder.File("x.jp2")));
  EXPECT_EQ(d.FileName, folder.File("x.jp2"));
  EXPECT_TRUE(d.Modified);  // the JPEG 2000 branch leaves these alone
  EXPECT_TRUE(d.NeedsSaveAs);
  TLoadedImage back = ReadImageFile(folder.File("x.jp2"));
  EXPECT_TRUE(back.IsJpeg2000);
  EXPECT_EQ(*back.Raster, *d.Bitmap);
}

TEST_F(FileCommandsTest, FailedSaveKeepsTheOldFile) {
  TBM& d = Document();
  for (const char* name : {"keep.bmp", "keep.png", "keep.jpg"}) {
    std::string path = folder.File(name);
    ASSERT_TRUE(SaveDocument(d, path, prompts));
    auto before = std::filesystem::file_size(path);
    TBitmap kept = *d.Bitmap;
    *d.Bitmap = TBitmap();  // nothing to write: the writer refuses
    d.FileName = "unchanged";
    EXPECT_THROW(SaveDocument(d, path, prompts), std::exception) << name;
    EXPECT_EQ(std::filesystem::file_size(path), before) << name;
    EXPECT_EQ(d.FileName, "unchanged") << name;
    *d.Bitmap = kept;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path),
                          std::filesystem::directory_iterator()),
            3);  // no temporary files left behind
}
