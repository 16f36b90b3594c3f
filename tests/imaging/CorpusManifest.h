#pragma once
// Rows of the third-party corpus index (MANIFEST.tsv), for tests that run a
// decoder over a format's folder.
#include <ostream>
#include <string>
#include <vector>

namespace lumarte::testing {

struct TCorpusEntry {
  std::string Path;    // relative to the corpus folder
  std::string Format;  // bmp, png, wmf, ...
  std::string Expect;  // valid, invalid, damaged, questionable, unsupported, ...
  std::string Probe;   // header facts, e.g. "INFO 127x64 8bpp RGB"
  std::string Note;
  // The cross-check column: whether ImageMagick 6 (with OpenJPEG 2.5.0)
  // decoded the file.
  bool ImageMagickDecodes = false;
  std::string FullPath() const;
  // The first "WxH" of the probe (the first image's size); false when none.
  bool ProbeSize(int& width, int& height) const;
};

// Test output names the file, not the bytes of the record.
inline void PrintTo(const TCorpusEntry& e, std::ostream* os) {
  *os << e.Path;
}

// Entries of one format whose expectation is one of expects; empty when the
// corpus is not there.
std::vector<TCorpusEntry> CorpusEntries(const std::string& format,
                                        const std::vector<std::string>& expects);

// A test name made of the path's letters and digits (without the format folder).
std::string CorpusTestName(const TCorpusEntry& entry);

}  // namespace lumarte::testing
