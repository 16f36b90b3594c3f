#include "imaging/TextStrm.h"

namespace lumarte::imaging {

std::string TTextStream::ReadLine() {
  if (!CanRead || !HasReadBuffer()) throw EInOutError("Cannot read from stream");
  std::string line;
  bool gotAny = false;  // a character other than a dropped line-end one
  bool saved = ExactCount;
  ExactCount = false;
  for (;;) {
    uint8_t c;
    if (Read(&c, 1) != 1) break;
    if (LineEnd < 0 && (c == '\n' || c == '\r')) {
      LineEnd = c;
      Dropped = c == '\n' ? '\r' : '\n';
    }
    if (c == LineEnd) {
      ExactCount = saved;
      ++LineCount;
      return line;
    }
    if (c == Dropped) continue;
    gotAny = true;
    line += static_cast<char>(c);
  }
  ExactCount = saved;
  if (!gotAny)
    throw EInOutError("Error reading from stream - Read beyond end of stream");
  ++LineCount;
  return line;
}

void TTextStream::WriteText(const std::string& text) { WriteExact(text.data(), text.size()); }

void TTextStream::WriteLine(const std::string& text) {
  WriteText(text);
  WriteExact("\r\n", 2);
  ++LineCount;
}

}  // namespace lumarte::imaging
