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
  void WriteText(const std::string& text);
  void WriteLine(const std::string& text);

 private:
  int LineEnd = -1;  // the character that ends lines, -1 while unknown
  int Dropped = -1;  // the other one, ignored inside lines
};

}  // namespace lumarte::imaging
