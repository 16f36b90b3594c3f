#pragma once
// The WMF and EMF rows of the third-party corpus index.
#include <cctype>
#include <string>
#include <vector>

#include "support/CorpusManifest.h"

namespace lumarte::testing {

using TMetafileSample = TCorpusEntry;

// The wmf and emf rows whose expectation is one of expects. Without the
// corpus, one row with an empty path, for a test that skips.
inline std::vector<TMetafileSample> MetafileSamples(const std::vector<std::string>& expects) {
  std::vector<TMetafileSample> rows = CorpusEntries("wmf", expects);
  for (auto& e : CorpusEntries("emf", expects)) rows.push_back(e);
  if (rows.empty()) rows.push_back({});
  return rows;
}

// A test name from the path's letters and digits.
template <class Info>
std::string SampleName(const Info& info) {
  std::string name;
  for (char c : info.param.Path) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name.empty() ? "NoCorpus" : name;
}

// Files whose damage lies in data the reader passes over unharmed: the
// corpus lists them as invalid for another decoder's sake.
inline bool DamageIsHarmlessHere(const std::string& path) {
  static const char* const harmless[] = {
      // An object selection that upset another reader; GDI ignores it and so do we.
      "emf/libemf2svg/corrupted/bad_corrupted_2014-12-07-140817.emf",
      // A mangled character inside a text string: shown as a replacement character.
      "emf/libemf2svg/corrupted/bad_corrupted_2016-02-02-210039.emf",
      // A broken EMF+ record inside a comment, which this reader skips.
      "emf/libemf2svg/corrupted/bad_corrupted_2017-02-12-010400.emf",
  };
  for (const char* h : harmless)
    if (path == h) return true;
  return false;
}

}  // namespace lumarte::testing
