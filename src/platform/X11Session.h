#pragma once
// The X11 connection Qt's xcb platform runs on, and the keyboard lookups
// the hot key needs.
#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

namespace lumarte::platform {

struct X11Session {
  xcb_connection_t* Connection = nullptr;
  xcb_window_t Root = 0;
};

// Empty unless the program runs on Qt's xcb platform.
std::optional<X11Session> CurrentX11Session();

struct X11Key {
  xcb_keycode_t Code = 0;
  bool Shifted = false;  // the character sits on the key's shift level
};

// The key that produces the keysym (first level before the shift level).
std::optional<X11Key> KeyForKeysym(xcb_connection_t* c, uint32_t keysym);
// The key that produces the character in the current keyboard mapping.
std::optional<X11Key> KeyForCharacter(xcb_connection_t* c, char character);
// The modifier bit that Num Lock sets (Mod2 on most keyboards).
uint16_t NumLockMask(xcb_connection_t* c);

}  // namespace lumarte::platform
