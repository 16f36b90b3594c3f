#pragma once
#include <string>

#include "imaging/BufStream.h"

namespace lumarte::imaging {

class TTextStream : public TBufferedStream {
 public:
  TTextStream(int readBufferSize, TBaseStream* source, int writeBufferSize)
      : TBufferedStream(readBufferSize, source, writeBufferSize) {}

  int LineCount = 0;

  // Accepts CR LF, LF CR, LF and CR line ends: the first one met decides.
  std::string ReadLine();
  // Fixes the line end instead of learning it from the data; the other
  // line-end character then stays part of the line.
  void SetLineEnd(char end) {
    LineEnd = static_cast<unsigned char>(end);
    Dropped = -2;
  }
  void WriteText(const std::string& text);
  void WriteLine(const std::string& text);

 private:
  int LineEnd = -1;  // the character that ends lines, -1 while unknown
  int Dropped = -1;  // the other one, ignored inside lines (-2: none)
};

}  // namespace lumarte::imaging
