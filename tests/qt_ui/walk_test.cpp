// The random walk through the Qt main window on a real X server (the private Xvfb walk.sh starts),
// with real input through XTest. The window runs in this program's main thread; the walk drives
// it from a second thread, as a user would from outside, and looks at it between steps. There is
// no window manager: this program does what one does, sending WM_DELETE_WINDOW for the close box
// and Alt+F4 and moving the input focus between programs.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "dialogs.h"
#include "main_window.h"
#include "main_window_form.h"
#include "main_window_walk.h"

// Last: Xlib's macros (Bool, Status, None, KeyPress) would break the Qt and GoogleTest headers.
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace marovel::qt_ui {
namespace {

namespace walk = testing::walk;
using walk::Key;
using namespace forms::main_window;
using namespace std::chrono_literals;

// Counts the marks the walk sets on the window: a mark seen means every event before it was read.
struct MarkWatcher : QAbstractNativeEventFilter {
  explicit MarkWatcher(xcb_atom_t mark) : mark(mark) {}
  bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
        reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == mark) {
      ++seen;
    }
    return false;
  }
  const xcb_atom_t mark;
  std::atomic<int> seen = 0;
};

class QtDriver : public walk::Driver {
 public:
  explicit QtDriver(Display* display) : display_(display), watcher_(XInternAtom(display, "_MAROVEL_WALK_MARK", False)) {
    qApp->installNativeEventFilter(&watcher_);
  }
  // Made and destroyed in the window's thread, outside the walk, when no event loop runs.
  ~QtDriver() override {
    qApp->removeNativeEventFilter(&watcher_);
    if (other_) XDestroyWindow(display_, other_);
  }

  void start() override {
    gui([&] {
      window_.reset();
      window_ = std::make_unique<MainWindow>(dialogs_, QLocale(QLocale::German, QLocale::Germany));
      window_->show();
      window_->activateWindow();
      mainId_ = window_->winId();
    });
    // As a window manager gives a new window the focus; Qt's own request may still be on its way.
    waitFor([&] { return window_->isVisible(); });
    activateMain();
    waitFor([] { return QApplication::focusWidget() != nullptr; });
    settle();
  }
  bool hasEnded(bool waiting) override {
    return waitFor([&] { return !window_->isVisible(); }, waiting ? 20s : 0s);
  }

  // Input and a mark go to the server in order, and its events reach the window in that order;
  // Qt reads them in one pass of its event loop and delivers them in another. Two marks in a row,
  // each waited for, see everything before the first delivered.
  void settle() override {
    for (int round = 0; round < 2; ++round) {
      XSync(display_, False);
      long seen = watcher_.seen;  // any value: each change is an event
      XChangeProperty(display_, mainId_, watcher_.mark, XA_CARDINAL, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&seen), 1);
      XSync(display_, False);
      for (auto waited = 0ms; watcher_.seen == seen && waited < 300ms; waited += 1ms) std::this_thread::sleep_for(1ms);
      for (int pass = 0; pass < 3; ++pass) gui([] {});
    }
  }

  int focused() override {
    return ask([&] {
      QWidget* focus = QApplication::focusWidget();
      if (!focus) return walk::kNone;
      if (focus->window() != window_.get()) return walk::kElsewhere;
      for (const forms::ControlDescription& control : description().controls) {
        if (focus->objectName() == QString::fromUtf8(control.designedName)) return int{control.id};
      }
      return walk::kNone;
    });
  }

  walk::Shown shown() override {
    return ask([&] {
      return walk::Shown{widget<QCheckBox>(RelayCheck)->isChecked(), text(UpdateIntervalField),
                         text(RetryIntervalField), text(EmailField)};
    });
  }

  walk::Found look(bool opening) override {
    walk::Found found;
    auto find = [&] {
      found = {};
      open_ = nullptr;
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top == window_.get()) continue;
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
          found.message = {box->windowTitle().toStdString(), box->text().toStdString()};
        } else if (qobject_cast<QFileDialog*>(top)) {
          found.saveDialog = true;
        } else if (top->objectName() == "Form2") {
          found.diagnostics = true;
        } else {
          continue;
        }
        open_ = top;
      }
      return !found.message.empty() || found.saveDialog || found.diagnostics;
    };
    waitFor(find, opening ? 20s : 0s);
    return found;
  }

  void click(int control) override {
    clickAt(ask([&] {
      QWidget* target = widget(control);
      if (control == SettingsGroup) return target->mapToGlobal(QPoint(2, target->height() / 2));
      return target->mapToGlobal(target->rect().center());
    }));
  }

  // Alt+F4 is the window manager's, which sends what it sends for the close box.
  void press(Key key, char letter, walk::Modifiers modifiers) override {
    if (key == Key::F4 && modifiers.alt) {
      clickCloseBox();
      return;
    }
    static constexpr KeySym kKeys[] = {XK_Tab, XK_Return, XK_Escape, XK_space, XK_Home, XK_End, XK_Delete, XK_F4};
    std::vector<KeySym> held;
    if (modifiers.control) held.push_back(XK_Control_L);
    if (modifiers.alt) held.push_back(XK_Alt_L);
    if (modifiers.shift) held.push_back(XK_Shift_L);
    stroke(key == Key::Letter ? XK_a + (letter - 'A') : kKeys[static_cast<int>(key)], held);
  }

  // Latin-1 keysyms are the characters themselves; one not on its key's first level is shifted.
  void type(const std::string& characters) override {
    for (char c : characters) {
      const KeySym symbol = static_cast<unsigned char>(c);
      const bool shifted = XkbKeycodeToKeysym(display_, XKeysymToKeycode(display_, symbol), 0, 0) != symbol;
      stroke(symbol, shifted ? std::vector<KeySym>{XK_Shift_L} : std::vector<KeySym>{});
    }
  }

  void turnWheel(int control, int notches) override {
    pressButton(ask([&] { return widget(control)->mapToGlobal(QPoint(3, 3)); }), notches > 0 ? 4 : 5);
  }

  // What a window manager sends for the close box.
  bool clickCloseBox() override {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = ask([&] { return open_ ? open_->winId() : mainId_; });
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, event.xclient.window, False, NoEventMask, &event);
    XFlush(display_);
    return true;
  }
  bool hasWindowMenu() override { return false; }  // the window manager's, and there is none

  // Without a window manager a click does not take the focus from another program: as one
  // would, the window gets it back first.
  void visitOtherProgram(int backByClickOn) override {
    if (!other_) {
      other_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 700, 600, 100, 100, 0, 0, 0);
      XMapWindow(display_, other_);
      XSync(display_, False);
    }
    std::this_thread::sleep_for(20ms);  // mapped before it may take the focus
    XSetInputFocus(display_, other_, RevertToParent, CurrentTime);
    XSync(display_, False);
    waitFor([] { return QApplication::activeWindow() == nullptr; });
    activateMain();
    if (backByClickOn != walk::kNone) click(backByClickOn);
  }

  void clickAnswer() override {
    clickAt(ask([&] {
      auto* box = qobject_cast<QMessageBox*>(open_.data());
      QWidget* answer = box ? box->button(QMessageBox::Ok) : open_->findChild<QPushButton*>("Command1");
      return answer->mapToGlobal(answer->rect().center());
    }));
  }

  // As a window manager does, the focus goes back to the main window when a window over it closes.
  bool waitUntilAnswered() override {
    return waitFor([&] { return !open_ || !open_->isVisible(); }) && activateMain();
  }

 private:
  // Runs f in the window's thread and waits for it, or for what it gives.
  static void gui(const std::function<void()>& f) { QMetaObject::invokeMethod(qApp, f, Qt::BlockingQueuedConnection); }
  template <class F>
  static auto ask(F f) -> decltype(f()) {
    decltype(f()) result{};
    gui([&] { result = f(); });
    return result;
  }
  // Asks, in the window's thread, until the condition holds; false when it does not in time.
  static bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds patience = 20s) {
    for (auto waited = 0ms; !ask(condition); waited += 10ms) {
      if (waited >= patience) return false;
      std::this_thread::sleep_for(10ms);
    }
    return true;
  }

  template <class W = QWidget>
  W* widget(int control) const {
    return window_->findChild<W*>(QString::fromUtf8(controlOf(description(), control).designedName));
  }
  std::string text(int control) const { return widget<QLineEdit>(control)->text().toStdString(); }

  bool activateMain() {
    XSetInputFocus(display_, mainId_, RevertToParent, CurrentTime);
    XSync(display_, False);
    return waitFor([&] { return QApplication::activeWindow() == window_.get(); });
  }

  // Two clicks at one place in quick succession would be a double click: the second waits.
  void clickAt(QPoint point) {
    const auto interval = std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    if ((point - lastClick_).manhattanLength() < 8 && std::chrono::steady_clock::now() - lastClickTime_ < interval) {
      std::this_thread::sleep_until(lastClickTime_ + interval);
    }
    lastClick_ = point;
    lastClickTime_ = std::chrono::steady_clock::now();
    pressButton(point, 1);
  }

  void pressButton(QPoint point, unsigned button) {
    XTestFakeMotionEvent(display_, -1, point.x(), point.y(), CurrentTime);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XFlush(display_);
  }

  void stroke(KeySym symbol, const std::vector<KeySym>& held) {
    for (KeySym modifier : held) XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, modifier), True, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display_, symbol);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    for (auto modifier = held.rbegin(); modifier != held.rend(); ++modifier) {
      XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, *modifier), False, CurrentTime);
    }
    XFlush(display_);
  }

  Display* display_;
  MarkWatcher watcher_;
  QtDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
  WId mainId_ = 0;
  QPointer<QWidget> open_;
  Window other_ = 0;
  QPoint lastClick_{-100, -100};
  std::chrono::steady_clock::time_point lastClickTime_;
};

TEST(Walk, RealInputKeepsTheRulesOfTheMainWindow) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "the walk needs a real X server";
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  int event = 0, error = 0, major = 0, minor = 0;
  ASSERT_TRUE(XTestQueryExtension(display, &event, &error, &major, &minor)) << "the X server has no XTest";
  QApplication::setQuitOnLastWindowClosed(false);  // the walk starts the window afresh after it ends
  testing::TempRegistry store;
  ::testing::AssertionResult result = ::testing::AssertionSuccess();
  {
    QtDriver driver(display);
    std::thread walker([&] {
      result = walk::walkMainWindow(driver, store);
      QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
    });
    QApplication::exec();  // every message box's loop too
    walker.join();
  }
  XCloseDisplay(display);
  EXPECT_TRUE(result);
}

}  // namespace
}  // namespace marovel::qt_ui
