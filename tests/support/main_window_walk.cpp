#include "main_window_walk.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>

#include "main_window_form.h"
#include "setting_value.h"

namespace marovel::testing::walk {
namespace {

using namespace forms::main_window;
using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// An interval entry under a German locale and the milliseconds applying it stores (nullopt: the
// value is deleted). Every text the window loads from these values is listed too.
struct IntervalEntry {
  const char* text;
  bool accepted;
  std::optional<std::int32_t> stored;
};

const std::vector<IntervalEntry> kIntervalEntries = {
    {"1", true, 60000},           {"2", true, 120000},        {"240", true, 14400000},
    {"360", true, 21600000},      {"1440", true, 86400000},   {"1,5", true, 120000},
    {"-", true, std::nullopt},    {"0", false, std::nullopt}, {"1441", false, std::nullopt},
    {"abc", false, std::nullopt}, {"", false, std::nullopt},  {"--", false, std::nullopt},
    {" -", false, std::nullopt},
};
const std::vector<std::string> kEmailEntries = {"admin@example.com", "first-last@example.org", ""};

const std::vector<int> kTabOrder = {RelayCheck,     UpdateIntervalField, RetryIntervalField, EndButton,
                                    DiagnoseButton, ApplyButton,         SaveButton,         EmailField};
struct AccessKey {
  char letter;
  int target;
};
const std::vector<AccessKey> kAccessKeys = {
    {'R', RelayCheck}, {'U', UpdateIntervalField}, {'F', RetryIntervalField}, {'N', ApplyButton},
    {'S', SaveButton}, {'D', DiagnoseButton},      {'B', EndButton},          {'X', kNone}};

const IntervalEntry* intervalEntryOf(const std::string& text) {
  for (const IntervalEntry& entry : kIntervalEntries) {
    if (text == entry.text) return &entry;
  }
  return nullptr;
}

bool isRefused(const std::string& text) {
  const IntervalEntry* entry = intervalEntryOf(text);
  return entry && !entry->accepted;
}

bool isField(int id) { return id == UpdateIntervalField || id == RetryIntervalField || id == EmailField; }
bool isButton(int id) { return id == ApplyButton || id == SaveButton || id == DiagnoseButton || id == EndButton; }
bool isFocusable(int id) { return id == RelayCheck || isField(id) || isButton(id); }
std::string nameOf(int id) {
  if (id == kNone || id == kElsewhere) return id == kNone ? "nothing" : "elsewhere";
  return std::string(forms::controlOf(description(), id).designedName);
}

// The four values as the registry holds them.
struct Stored {
  registry::SettingValue relay, success, failure, email;
  bool operator==(const Stored&) const = default;
};

Stored storedIn(const TempRegistry& store) {
  using namespace agent;
  return {store.value(kBriselKey, kRelay), store.value(kForvelKey, kSuccess), store.value(kForvelKey, kFailure),
          store.value(kAgentKey, kEmail)};
}

std::string describe(const registry::SettingValue& value) {
  if (registry::isEmpty(value)) return "(none)";
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return '"' + std::get<std::string>(value) + '"';
}

std::string describe(const Stored& stored) {
  return "relay " + describe(stored.relay) + ", success " + describe(stored.success) + ", failure " +
         describe(stored.failure) + ", e-mail " + describe(stored.email);
}

// After "Über&nehmen" with accepted fields the registry holds what the window shows; an empty
// e-mail field leaves the address as it was.
AssertionResult holdsWhatIsShown(const Stored& before, const Stored& after, const Shown& shown) {
  const IntervalEntry* update = intervalEntryOf(shown.updateText);
  const IntervalEntry* retry = intervalEntryOf(shown.retryText);
  if (!update || !retry || !update->accepted || !retry->accepted) {
    return AssertionFailure() << "applied with fields the walk cannot vouch for: \"" << shown.updateText << "\", \""
                              << shown.retryText << '"';
  }
  auto interval = [](const IntervalEntry& entry) {
    return entry.stored ? registry::SettingValue{*entry.stored} : registry::SettingValue{};
  };
  const Stored expected{registry::SettingValue{shown.relay ? 1 : 0}, interval(*update), interval(*retry),
                        shown.email.empty() ? before.email : registry::SettingValue{shown.email}};
  if (after == expected) return AssertionSuccess();
  return AssertionFailure() << "after \"Über&nehmen\" the registry holds " << describe(after) << "\n  the window shows "
                            << describe(expected);
}

// What one step did, as far as the checks need to know.
struct Step {
  std::string what;
  int target = kNone;       // the control that takes the focus when the step is allowed
  bool presses = false;     // and is pressed by it: clicked, Space, a button's access key
  bool endsAlways = false;  // closing: whatever the fields hold
};

Step clicked(int id) {
  const bool focusable = isFocusable(id);
  return {"click on " + nameOf(id), focusable ? id : kNone, focusable};
}

unsigned long fromEnvironment(const char* name, unsigned long otherwise) {
  const char* given = std::getenv(name);
  return given && *given ? std::strtoul(given, nullptr, 10) : otherwise;
}

class MainWindowWalk {
 public:
  MainWindowWalk(Driver& driver, const TempRegistry& store) : random_(seed_), driver_(driver), store_(store) {}

  AssertionResult run() {
    driver_.start();
    for (step_ = 1; step_ <= steps_; ++step_) {
      log_.emplace_back(std::to_string(step_) + ":");
      AssertionResult result = diagnostics_ ? diagnosticsStep() : mainStep();
      if (!result) return result << '\n' << where();
    }
    return AssertionSuccess();
  }

 private:
  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  template <class T>
  const T& pickOf(const std::vector<T>& items) {
    return items[pick(static_cast<int>(items.size()))];
  }
  bool chance(int percent) { return pick(100) < percent; }
  // Any control of the main window, a click or the wheel may meet each.
  int anyControl() { return pick(NoticeLabel + 1); }
  void note(const std::string& what) { log_.back() += ' ' + what + ';'; }

  std::string where() const {
    std::ostringstream out;
    out << "walk seed " << seed_ << ", step " << step_ << " (replay: MAROVEL_WALK_SEED=" << seed_
        << " MAROVEL_WALK_STEPS=" << step_ << "); the last steps:\n";
    const std::size_t first = log_.size() > 15 ? log_.size() - 15 : 0;
    for (std::size_t i = first; i < log_.size(); ++i) out << "  " << log_[i] << '\n';
    return out.str();
  }

  // A field takes the whole entry; anywhere else a bare letter is typed.
  Step type(int focused) {
    if (!isField(focused)) {
      const char letter = pickOf(std::vector<char>{'N', 'S', 'D', 'B', 'R'});
      driver_.press(Key::Letter, letter);
      return {std::string("bare letter ") + letter};
    }
    const std::string entry = focused == EmailField ? pickOf(kEmailEntries) : pickOf(kIntervalEntries).text;
    driver_.press(Key::Home);
    driver_.press(Key::End, 0, {.shift = true});
    if (entry.empty()) {
      driver_.press(Key::Delete);
    } else {
      driver_.type(entry);
    }
    typed_ = entry;
    return {"type \"" + entry + "\""};
  }

  Step key(int focused) {
    auto next = [&](int by) {
      std::size_t at = 0;
      while (at < kTabOrder.size() && kTabOrder[at] != focused) ++at;
      if (at == kTabOrder.size()) return by > 0 ? kTabOrder.front() : kTabOrder.back();
      return kTabOrder[(at + kTabOrder.size() + by) % kTabOrder.size()];
    };
    struct Press {
      const char* what;
      Key key;
      Modifiers modifiers;
      int by;  // how far along the tab order the focus moves
    };
    static const Press kPresses[] = {{"Tab", Key::Tab, {}, 1},
                                     {"Shift+Tab", Key::Tab, {.shift = true}, -1},
                                     {"Ctrl+Tab", Key::Tab, {.control = true}, 0},
                                     {"Ctrl+Shift+Tab", Key::Tab, {.shift = true, .control = true}, 0},
                                     {"Enter", Key::Enter, {}, 0},
                                     {"Esc", Key::Escape, {}, 0}};
    int which = pick(9);
    if (which == 6 && isField(focused)) which = 5;  // Space would be typed: Esc instead
    if (which < 6) {
      const Press& press = kPresses[which];
      driver_.press(press.key, 0, press.modifiers);
      return {press.what, press.by ? next(press.by) : kNone};
    }
    if (which == 6) {
      driver_.press(Key::Space);
      if (focused == kNone || focused == kElsewhere) return {"Space"};
      // Space presses the button or box that has the focus.
      return {"Space", focused, true};
    }
    if (which == 7) {
      const int id = anyControl();
      driver_.turnWheel(id, chance(50) ? 1 : -1);
      return {"wheel over " + nameOf(id)};
    }
    const AccessKey& access = pickOf(kAccessKeys);
    driver_.press(Key::Letter, access.letter, {.alt = true});
    // A button's access key presses it; a label's only moves the focus to its control.
    return {std::string("Alt+") + access.letter, access.target, isButton(access.target)};
  }

  Step closing() {
    switch (pick(driver_.hasWindowMenu() ? 4 : 2)) {
      case 0:
        if (!driver_.clickCloseBox()) return {"the close box cannot be reached"};
        return {.what = "click on the close box", .endsAlways = true};
      case 1:
        driver_.press(Key::F4, 0, {.alt = true});
        return {.what = "Alt+F4", .endsAlways = true};
      default:
        driver_.press(Key::Space, 0, {.alt = true});
        driver_.settle();
        // The first Esc closes the menu, the second leaves the menu mode.
        driver_.press(Key::Escape);
        driver_.press(Key::Escape);
        return {"the window menu, left with Esc"};
    }
  }

  Step elsewhere() {
    if (chance(50)) {
      driver_.visitOtherProgram(kNone);
      return {"another program active, back as by Alt+Tab"};
    }
    const int id = anyControl();
    driver_.visitOtherProgram(id);
    Step step = clicked(id);
    step.what = "another program active, back by " + step.what;
    return step;
  }

  Step choose(int focused) {
    const int choice = pick(100);
    if (choice < 35) {
      // Apply and the interval fields more often: there the gate and the registry meet.
      const int roll = pick(10);
      const int id = roll < 2    ? ApplyButton
                     : roll == 2 ? UpdateIntervalField
                     : roll == 3 ? RetryIntervalField
                                 : anyControl();
      driver_.click(id);
      return clicked(id);
    }
    if (choice < 60) return type(focused);
    if (choice < 94) return key(focused);
    if (choice < 98) return elsewhere();
    return closing();
  }

  // Answers what the step opened: each message box in one of the ways a user closes it, the
  // save dialog by cancelling it, a menu with Esc.
  AssertionResult answer(bool opening, int& messages, bool& sawSave) {
    Found found = driver_.look(opening);
    for (int answered = 0; !found.message.empty() || found.saveDialog || found.menu; ++answered) {
      if (answered > 4) return AssertionFailure() << "a window stays open";
      if (!found.message.empty()) {
        ++messages;
        const std::vector<std::string> refusal{std::string(kApplicationTitle), std::string(kIntervalRefusal)};
        if (found.message != refusal) return AssertionFailure() << "a message other than the refusal";
        const int how = pick(4);
        const char* const ways[] = {"OK clicked", "Enter", "Space", "Esc"};
        note(ways[how]);
        if (how == 0) driver_.clickAnswer();
        if (how > 0) driver_.press(how == 1 ? Key::Enter : how == 2 ? Key::Space : Key::Escape);
      } else {
        if (found.saveDialog) {
          sawSave = true;
          note("save dialog cancelled");
        }
        driver_.press(Key::Escape);
      }
      if (!found.menu && !driver_.waitUntilAnswered()) return AssertionFailure() << "the window stays after its answer";
      driver_.settle();
      found = driver_.look(false);
    }
    diagnostics_ = found.diagnostics;
    return AssertionSuccess();
  }

  AssertionResult mainStep() {
    const int focusedBefore = driver_.focused();
    const Shown before = driver_.shown();
    const Stored storedBefore = storedIn(store_);
    const bool refused = (focusedBefore == UpdateIntervalField && isRefused(before.updateText)) ||
                         (focusedBefore == RetryIntervalField && isRefused(before.retryText));
    typed_.reset();
    note("[" + nameOf(focusedBefore) + " \"" + before.updateText + "\" \"" + before.retryText + "\"]");
    const Step step = choose(focusedBefore);
    note(step.what);
    driver_.settle();
    // The gate: a refused entry keeps the focus against every step that would move it.
    const bool gated = refused && step.target != kNone && step.target != focusedBefore;
    auto pressed = [&](int control) { return !gated && step.presses && step.target == control; };
    const bool ends = step.endsAlways || pressed(EndButton);
    int messages = 0;
    bool sawSave = false;
    if (!driver_.hasEnded(ends)) {
      const bool opening = step.presses && (step.target == SaveButton || step.target == DiagnoseButton);
      if (AssertionResult answered = answer(opening, messages, sawSave); !answered) return answered;
    }
    if (driver_.hasEnded()) {
      if (!ends) return AssertionFailure() << "the program ended";
      if (messages) return AssertionFailure() << "a refusal, and yet the program ended";
      driver_.start();
      return AssertionSuccess();
    }
    if (ends) return AssertionFailure() << "the program did not end";
    if (gated != (messages == 1)) {
      return AssertionFailure() << (gated ? "a refused entry was left without one message"
                                          : "a message where nothing was refused")
                                << " (" << messages << " messages)";
    }
    if (diagnostics_ != pressed(DiagnoseButton)) {
      return AssertionFailure() << "the diagnostics window " << (diagnostics_ ? "opened" : "did not open");
    }
    if (sawSave != pressed(SaveButton)) {
      return AssertionFailure() << "the save dialog " << (sawSave ? "opened" : "did not open");
    }
    const Shown now = driver_.shown();
    const int focusedNow = driver_.focused();
    const int expectedFocus = diagnostics_ ? kElsewhere : (gated || step.target == kNone) ? focusedBefore : step.target;
    if (focusedNow != expectedFocus) {
      return AssertionFailure() << "the focus is on " << focusedNow << ", not on " << expectedFocus;
    }
    for (const auto& [field, text] :
         {std::pair{UpdateIntervalField, now.updateText}, {RetryIntervalField, now.retryText}}) {
      if (!intervalEntryOf(text)) return AssertionFailure() << "the walk lost track of \"" << text << '"';
      if (field != focusedNow && isRefused(text)) return AssertionFailure() << '"' << text << "\" stands unfocused";
    }
    if (typed_) {
      const std::string& text = focusedNow == EmailField            ? now.email
                                : focusedNow == UpdateIntervalField ? now.updateText
                                                                    : now.retryText;
      if (text != *typed_) {
        return AssertionFailure() << "typed \"" << *typed_ << "\", the field shows \"" << text << '"';
      }
    }
    if (now.relay != (before.relay != pressed(RelayCheck))) {
      return AssertionFailure() << "the relay box is " << (now.relay ? "on" : "off");
    }
    const Stored storedNow = storedIn(store_);
    if (pressed(ApplyButton)) return holdsWhatIsShown(storedBefore, storedNow, now);
    if (storedNow != storedBefore) {
      return AssertionFailure() << "the registry changed without \"Über&nehmen\": " << describe(storedNow);
    }
    return AssertionSuccess();
  }

  // While the diagnostics window is open the main window takes no input and nothing it edits
  // reaches the registry; closed, it gives the focus back to "&Diagnose".
  AssertionResult diagnosticsStep() {
    const Shown before = driver_.shown();
    const Stored storedBefore = storedIn(store_);
    const int way = pick(8);
    bool closes = way >= 4;
    if (way < 2) {
      const int id = anyControl();
      driver_.click(id);
      note("click on the main window's " + nameOf(id));
    } else if (way == 2) {
      const bool control = chance(50);
      driver_.press(Key::Tab, 0, {.control = control});
      note(control ? "Ctrl+Tab" : "Tab");
    } else if (way == 3) {
      driver_.press(chance(50) ? Key::Enter : Key::Escape);
      note("Enter or Esc");
    } else if (way == 4) {
      driver_.clickAnswer();
      note("click on Schließen");
    } else if (way == 5) {
      driver_.press(Key::F4, 0, {.alt = true});
      note("Alt+F4");
    } else {
      closes = driver_.clickCloseBox();
      note("its close box");
    }
    driver_.settle();
    if (driver_.hasEnded()) return AssertionFailure() << "the program ended";
    if (closes && !driver_.waitUntilAnswered()) return AssertionFailure() << "the diagnostics window stays";
    const Found found = driver_.look(false);
    if (!found.message.empty() || found.saveDialog) return AssertionFailure() << "a window opened over it";
    if (closes == found.diagnostics) return AssertionFailure() << "the diagnostics window did not close";
    diagnostics_ = found.diagnostics;
    if (driver_.shown() != before) return AssertionFailure() << "the main window changed";
    if (storedIn(store_) != storedBefore) return AssertionFailure() << "the registry changed";
    const int focused = driver_.focused();
    if (focused != (closes ? int{DiagnoseButton} : kElsewhere)) {
      return AssertionFailure() << "the focus is on " << focused;
    }
    return AssertionSuccess();
  }

  // MAROVEL_WALK_SEED and MAROVEL_WALK_STEPS replay a walk.
  const std::uint32_t seed_ = fromEnvironment("MAROVEL_WALK_SEED", 20261208);
  const int steps_ = static_cast<int>(fromEnvironment("MAROVEL_WALK_STEPS", 300));
  std::mt19937 random_;
  Driver& driver_;
  const TempRegistry& store_;
  int step_ = 0;
  std::vector<std::string> log_;
  bool diagnostics_ = false;
  std::optional<std::string> typed_;
};

}  // namespace

AssertionResult walkMainWindow(Driver& driver, TempRegistry& store) {
  agent::seedInstalledAgent(store);
  return MainWindowWalk(driver, store).run();
}

}  // namespace marovel::testing::walk
