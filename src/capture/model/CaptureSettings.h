#pragma once
// What the capturer's dialog asks for: when to take the picture, of what,
// and where it goes.
#include <string>

namespace lumarte::capture {

enum class TCaptureTrigger { Delay, HotKey };
enum class TCaptureSource { ActiveWindow, Rectangle, Desktop };

struct TCaptureSettings {
  static constexpr int kMinDelay = 1, kMaxDelay = 120;
  static constexpr char kDefaultHotKey = '<';

  TCaptureTrigger Trigger = TCaptureTrigger::Delay;
  int DelaySeconds = 1;
  char HotKey = kDefaultHotKey;
  bool ShowPhoto = false;
  bool AsNew = true;
  TCaptureSource Source = TCaptureSource::Rectangle;
};

// The hot key's character from its one-character field; an empty field
// means the default again.
char HotKeyCharacter(const std::string& field);

}  // namespace lumarte::capture
