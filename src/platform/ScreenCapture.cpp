#include "platform/ScreenCapture.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <memory>
#include <vector>

#include "imaging/Errors.h"
#include "platform/RasterImage.h"
#include "platform/X11Session.h"

namespace lumarte::platform {

const char* const kNeedsX11Session =
    "Screen capture needs an X11 session. Under Wayland only the windows of X11 (XWayland) "
    "programs can be seen: please log in to an X11 session to capture the screen.";

namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <class T>
Reply<T> Take(T* reply) {
  return Reply<T>(reply, &std::free);
}

X11Session RequireSession() {
  std::optional<X11Session> s = CurrentX11Session();
  if (!s) throw ELumarteError(kNeedsX11Session);
  return *s;
}

// Every screen at its place in the virtual desktop.
QImage VirtualDesktop() {
  QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) throw ELumarteError(kNeedsX11Session);
  const QRect whole = primary->virtualGeometry();
  QImage canvas(whole.size(), QImage::Format_RGB32);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  for (QScreen* screen : primary->virtualSiblings())
    painter.drawPixmap(screen->geometry().topLeft() - whole.topLeft(), screen->grabWindow(0));
  return canvas;
}

xcb_window_t ActiveWindowProperty(const X11Session& s) {
  static constexpr char kName[] = "_NET_ACTIVE_WINDOW";
  auto atom = Take(xcb_intern_atom_reply(
      s.Connection, xcb_intern_atom(s.Connection, 1, sizeof kName - 1, kName), nullptr));
  if (!atom || atom->atom == XCB_ATOM_NONE) return XCB_WINDOW_NONE;
  auto prop = Take(xcb_get_property_reply(
      s.Connection,
      xcb_get_property(s.Connection, 0, s.Root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr));
  if (!prop || xcb_get_property_value_length(prop.get()) < 4) return XCB_WINDOW_NONE;
  return *static_cast<xcb_window_t*>(xcb_get_property_value(prop.get()));
}

// The window manager names the active window; without one, the input focus.
xcb_window_t FocusedWindow(const X11Session& s) {
  xcb_window_t w = ActiveWindowProperty(s);
  if (w != XCB_WINDOW_NONE) return w;
  auto focus = Take(xcb_get_input_focus_reply(s.Connection, xcb_get_input_focus(s.Connection),
                                              nullptr));
  if (!focus || focus->focus == s.Root || focus->focus <= XCB_INPUT_FOCUS_POINTER_ROOT)
    return XCB_WINDOW_NONE;
  return focus->focus;
}

// The window's top-level ancestor (the window manager's frame around it).
xcb_window_t ChildOfRoot(const X11Session& s, xcb_window_t w) {
  while (w != XCB_WINDOW_NONE) {
    auto tree = Take(xcb_query_tree_reply(s.Connection, xcb_query_tree(s.Connection, w), nullptr));
    if (!tree) return XCB_WINDOW_NONE;
    if (tree->parent == s.Root || tree->parent == XCB_WINDOW_NONE) return w;
    w = tree->parent;
  }
  return w;
}

// The window's outer rectangle, border included, on the root window.
QRect OuterRect(const X11Session& s, xcb_window_t w) {
  auto g = Take(xcb_get_geometry_reply(s.Connection, xcb_get_geometry(s.Connection, w), nullptr));
  if (!g) return {};
  return QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
}

class TX11ScreenGrabber : public capture::TScreenGrabber {
 public:
  void CheckAvailable() const override { RequireSession(); }
  editor::TBitmap GrabDesktop() override {
    RequireSession();
    return FromQImage(VirtualDesktop());
  }
  editor::TBitmap GrabActiveWindow() override {
    const X11Session s = RequireSession();
    const QRect window = OuterRect(s, ChildOfRoot(s, FocusedWindow(s)));
    const QRect whole = QGuiApplication::primaryScreen()->virtualGeometry();
    const QRect visible = window & whole;
    if (visible.isEmpty()) throw ELumarteError("There is no active window to capture.");
    return FromQImage(VirtualDesktop().copy(visible.translated(-whole.topLeft())));
  }
};

class TX11HotKey : public capture::TGlobalHotKey, public QAbstractNativeEventFilter {
 public:
  TX11HotKey() { QCoreApplication::instance()->installNativeEventFilter(this); }
  ~TX11HotKey() override {
    Unregister();
    if (QCoreApplication::instance())
      QCoreApplication::instance()->removeNativeEventFilter(this);
  }

  void Register(char character, std::function<void()> fired) override {
    Unregister();
    const X11Session s = RequireSession();
    const std::optional<X11Key> key = KeyForCharacter(s.Connection, character);
    if (!key)
      throw ELumarteError(std::string("No key of this keyboard produces \"") + character + "\".");
    Session = s;
    Code = key->Code;
    const uint16_t base = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    std::vector<uint16_t> wanted{base};
    // Typing the character takes Shift: with and without it, as the user may think of either.
    if (key->Shifted) wanted.push_back(base | XCB_MOD_MASK_SHIFT);
    const uint16_t numLock = NumLockMask(s.Connection);
    for (uint16_t mods : wanted)
      for (uint16_t locks : {uint16_t{0}, uint16_t{XCB_MOD_MASK_LOCK}, numLock,
                             uint16_t(XCB_MOD_MASK_LOCK | numLock)})
        Grab(uint16_t(mods | locks));
    if (Failed) {
      Unregister();
      throw ELumarteError(std::string("The hot key Ctrl+Alt+") + character +
                          " is taken by another program.");
    }
    Fired = std::move(fired);
  }

  void Unregister() override {
    Fired = nullptr;
    for (uint16_t mods : Grabbed) xcb_ungrab_key(Session.Connection, Code, Session.Root, mods);
    if (!Grabbed.empty()) xcb_flush(Session.Connection);
    Grabbed.clear();
    Failed = false;
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (!Fired || type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const uint8_t kind = event->response_type & 0x7f;
    if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE) return false;
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
    const uint16_t need = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    if (key->detail != Code || (key->state & need) != need) return false;
    if (kind == XCB_KEY_PRESS) {
      // Outside the filter: the callback unregisters, which removes grabs.
      QTimer::singleShot(0, [fired = Fired] { fired(); });
    }
    return true;
  }

 private:
  void Grab(uint16_t mods) {
    xcb_void_cookie_t cookie = xcb_grab_key_checked(Session.Connection, 1, Session.Root, mods,
                                                    Code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    if (auto error = Take(xcb_request_check(Session.Connection, cookie)))
      Failed = true;
    else
      Grabbed.push_back(mods);
  }

  X11Session Session;
  xcb_keycode_t Code = 0;
  std::vector<uint16_t> Grabbed;
  bool Failed = false;
  std::function<void()> Fired;
};

class TNoHotKey : public capture::TGlobalHotKey {
 public:
  void Register(char, std::function<void()>) override { throw ELumarteError(kNeedsX11Session); }
  void Unregister() override {}
};

}  // namespace

std::unique_ptr<capture::TScreenGrabber> CreateScreenGrabber() {
  return std::make_unique<TX11ScreenGrabber>();
}

std::unique_ptr<capture::TGlobalHotKey> CreateGlobalHotKey() {
  if (!CurrentX11Session()) return std::make_unique<TNoHotKey>();
  return std::make_unique<TX11HotKey>();
}

}  // namespace lumarte::platform
