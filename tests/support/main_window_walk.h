// A seeded random walk of real input through a front end's main window, the same for every
// toolkit: clicks on every control, valid and refused entries, every key that can move the focus
// or act, closing, another program taking the activation, the diagnostics window, and every
// message box answered. After each step it checks what the window and the registry say. A front
// end supplies only a Driver: its real input and its way of looking.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_registry.h"

namespace marovel::testing::walk {

inline constexpr int kNone = -1;       // no control of the main window has the focus
inline constexpr int kElsewhere = -2;  // another window of the program has it

enum class Key { Tab, Enter, Escape, Space, Home, End, Delete, F4, Letter };
struct Modifiers {
  bool shift = false, control = false, alt = false;
};

// What the main window shows of the four settings.
struct Shown {
  bool relay = false;
  std::string updateText, retryText, email;
  bool operator==(const Shown&) const = default;
};

// The program's windows besides the main window, as a driver finds them.
struct Found {
  std::vector<std::string> message;  // a message box's caption, then its texts; empty without one
  bool saveDialog = false, menu = false, diagnostics = false;
};

class Driver {
 public:
  virtual ~Driver() = default;
  virtual void start() = 0;  // (again) starts the program with its main window shown
  // Whether the program has ended; `waiting`, it is given a while to end.
  virtual bool hasEnded(bool waiting = false) = 0;
  // Waits until the input given so far was handled.
  virtual void settle() = 0;
  virtual int focused() = 0;  // a main window control, kNone or kElsewhere
  virtual Shown shown() = 0;
  // When `opening`, waits a while for a window to show.
  virtual Found look(bool opening) = 0;

  // Real input. A click on the group box hits it where no control lies; Alt+F4 comes as the
  // window system gives it.
  virtual void click(int control) = 0;
  virtual void press(Key key, char letter = 0, Modifiers modifiers = {}) = 0;
  virtual void type(const std::string& characters) = 0;
  virtual void turnWheel(int control, int notches) = 0;
  // The close box of the window in front: the last window look found, else the main window;
  // false where it cannot be reached.
  virtual bool clickCloseBox() = 0;
  virtual bool hasWindowMenu() = 0;
  // Another program's window takes the activation and gives it back by a click on the control,
  // or as Alt+Tab does for kNone.
  virtual void visitOtherProgram(int backByClickOn) = 0;

  // A click on the answer of the window in front: the message box's OK, the diagnostics window's
  // "Schließen".
  virtual void clickAnswer() = 0;
  // Waits until the box, the save dialog or the diagnostics window is gone; false when it stays.
  virtual bool waitUntilAnswered() = 0;
};

// Seeds the store as an installed agent's and runs the walk from MAROVEL_WALK_SEED for
// MAROVEL_WALK_STEPS steps (20261208 and 300 when not given); a failure names the seed and the
// step, and lists the steps that led there.
::testing::AssertionResult walkMainWindow(Driver& driver, TempRegistry& store);

}  // namespace marovel::testing::walk
