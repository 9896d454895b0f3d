// A seeded random walk of real input through a front end's main window, the same for every
// toolkit: clicks on every control, valid and refused entries, every key that can move the focus
// or act, closing, another program taking the activation, the diagnostics window, and every
// message box answered. After each step it checks what the window and the registry say. A front
// end supplies only a Driver: its real input and its way of looking.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "setting_value.h"
#include "temp_registry.h"

namespace marovel::testing::walk {

inline constexpr int kNone = -1;       // no control of the main window has the focus
inline constexpr int kElsewhere = -2;  // another window of the program has it

enum class Key { Tab, Enter, Escape, Space, Home, End, Delete, Up, F4, Letter };
struct Modifiers {
  bool shift = false, control = false, alt = false;
};

// What the main window shows of the four settings.
struct Shown {
  bool relay = false;
  std::string updateText, retryText, email;
  bool operator==(const Shown&) const = default;
};

// The four values as the registry holds them.
struct Stored {
  registry::SettingValue relay, success, failure, email;
  bool operator==(const Stored&) const = default;
};
Stored storedIn(const TempRegistry& store);

// The program's windows besides the main window, as a driver finds them.
struct Found {
  bool messageBox = false;
  std::vector<std::string> messageTexts;  // the box's caption first
  bool saveDialog = false, menu = false, diagnostics = false;
};

class Driver {
 public:
  virtual ~Driver() = default;
  virtual void start() = 0;  // (again) starts the program with its main window shown
  virtual bool isRunning() = 0;
  // Waits a while for the program to end; whether it did.
  virtual bool waitForEnd() = 0;
  // Waits until the input given so far was handled.
  virtual void settle() = 0;
  virtual int focused() = 0;  // a main window control, kNone or kElsewhere
  virtual Shown shown() = 0;
  virtual Stored stored() = 0;
  // When `opening`, waits a while for a window to show.
  virtual Found look(bool opening) = 0;

  // Real input. A click on the group box hits it where no control lies.
  virtual void click(int control) = 0;
  virtual void press(Key key, char letter = 0, Modifiers modifiers = {}) = 0;
  virtual void type(const std::string& characters) = 0;
  virtual void turnWheel(int control, int notches) = 0;
  // The close box, and Alt+F4 as the window system gives it; false where it cannot be reached.
  virtual bool clickCloseBox() = 0;
  virtual void pressAltF4() = 0;
  virtual bool hasWindowMenu() = 0;
  // Another program's window takes the activation; comeBack gives it back as Alt+Tab does.
  virtual void activateOtherProgram() = 0;
  virtual void comeBack() = 0;

  // Answers: the message box by a click on OK; the diagnostics window's own controls.
  virtual void clickMessageOk() = 0;
  virtual void clickDiagnosticsClose() = 0;
  virtual bool clickDiagnosticsCloseBox() = 0;
  virtual void pressDiagnosticsAltF4() = 0;
  // Waits until the box, the save dialog or the diagnostics window is gone; false when it stays.
  virtual bool waitUntilAnswered() = 0;
};

// The walk's seed and length: MAROVEL_WALK_SEED and MAROVEL_WALK_STEPS, or the defaults given.
struct Plan {
  std::uint32_t seed;
  int steps;
};
Plan planFromEnvironment(std::uint32_t seed, int steps);

// Runs the walk; a failure names the seed and the step, and lists the steps that led there.
::testing::AssertionResult walkMainWindow(Plan plan, Driver& driver);

}  // namespace marovel::testing::walk
