#pragma once
// The desktop services of the screen capturer: on an X11 session the screen
// copy and the Ctrl+Alt hot key; elsewhere both refuse with a clear message.
#include <memory>

#include "capture/model/CapturePlatform.h"

namespace lumarte::platform {

extern const char* const kNeedsX11Session;

std::unique_ptr<capture::TScreenGrabber> CreateScreenGrabber();
std::unique_ptr<capture::TGlobalHotKey> CreateGlobalHotKey();

}  // namespace lumarte::platform
