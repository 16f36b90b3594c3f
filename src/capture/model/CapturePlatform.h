#pragma once
// What the capturer needs from the desktop: copies of the screen and a
// global hot key. The X11 session provides them; tests provide their own.
#include <functional>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::capture {

class TScreenGrabber {
 public:
  virtual ~TScreenGrabber() = default;
  // Raises ELumarteError with the reason when this session cannot copy the
  // screen (checked before anything is hidden).
  virtual void CheckAvailable() const = 0;
  // The whole virtual screen, every monitor at its place.
  virtual editor::TBitmap GrabDesktop() = 0;
  // The window that has the focus, with its frame.
  virtual editor::TBitmap GrabActiveWindow() = 0;
};

class TGlobalHotKey {
 public:
  virtual ~TGlobalHotKey() = default;
  // Ctrl+Alt+character anywhere on the desktop calls fired; raises
  // ELumarteError when the key cannot be had.
  virtual void Register(char character, std::function<void()> fired) = 0;
  // Safe to call when nothing is registered.
  virtual void Unregister() = 0;
};

}  // namespace lumarte::capture
