#include "platform/X11Session.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace lumarte::platform {

namespace {

constexpr uint32_t kNumLockKeysym = 0xff7f;

struct FreeReply {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

// Keysyms of every key code, keysymsPerCode entries a key, from minCode on.
struct KeyboardMap {
  xcb_keycode_t MinCode = 0;
  int PerCode = 0;
  std::vector<xcb_keysym_t> Syms;

  xcb_keysym_t At(int code, int column) const {
    const size_t i = static_cast<size_t>(code - MinCode) * PerCode + column;
    return code >= MinCode && column < PerCode && i < Syms.size() ? Syms[i] : 0;
  }
};

KeyboardMap ReadKeyboardMap(xcb_connection_t* c) {
  KeyboardMap map;
  const xcb_setup_t* setup = xcb_get_setup(c);
  map.MinCode = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
      c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr));
  if (!reply) return map;
  map.PerCode = reply->keysyms_per_keycode;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
  map.Syms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
  return map;
}

}  // namespace

std::optional<X11Session> CurrentX11Session() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return std::nullopt;
  xcb_connection_t* c = x11->connection();
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!screen) return std::nullopt;
  return X11Session{c, screen->root};
}

std::optional<X11Key> KeyForCharacter(xcb_connection_t* c, char character) {
  // Latin-1 characters are their own keysyms.
  return KeyForKeysym(c, static_cast<unsigned char>(character));
}

std::optional<X11Key> KeyForKeysym(xcb_connection_t* c, uint32_t sym) {
  const KeyboardMap map = ReadKeyboardMap(c);
  const int last = map.MinCode + (map.PerCode ? static_cast<int>(map.Syms.size()) / map.PerCode : 0);
  for (int column = 0; column < 2; ++column)
    for (int code = map.MinCode; code < last; ++code)
      if (map.At(code, column) == sym)
        return X11Key{static_cast<xcb_keycode_t>(code), column == 1};
  return std::nullopt;
}

uint16_t NumLockMask(xcb_connection_t* c) {
  const KeyboardMap map = ReadKeyboardMap(c);
  Reply<xcb_get_modifier_mapping_reply_t> reply(
      xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
  if (!reply) return XCB_MOD_MASK_2;
  const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
  const int perModifier = reply->keycodes_per_modifier;
  for (int modifier = 0; modifier < 8; ++modifier)
    for (int k = 0; k < perModifier; ++k)
      if (codes[modifier * perModifier + k] &&
          map.At(codes[modifier * perModifier + k], 0) == kNumLockKeysym)
        return static_cast<uint16_t>(1u << modifier);
  return XCB_MOD_MASK_2;
}

}  // namespace lumarte::platform
