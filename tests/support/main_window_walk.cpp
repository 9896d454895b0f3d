#include "main_window_walk.h"

#include <cstdlib>
#include <sstream>

#include "main_window_form.h"

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
    {"1", true, 60000},         {"2", true, 120000},           {"240", true, 14400000},
    {"360", true, 21600000},    {"1440", true, 86400000},      {"1,5", true, 120000},
    {"-", true, std::nullopt},  {"0", false, std::nullopt},    {"1441", false, std::nullopt},
    {"abc", false, std::nullopt}, {"", false, std::nullopt},   {"--", false, std::nullopt},
    {" -", false, std::nullopt},
};
const std::vector<std::string> kEmailEntries = {"admin@example.com", "first-last@example.org", ""};

const std::vector<int> kTabOrder = {RelayCheck,     UpdateIntervalField, RetryIntervalField, EndButton,
                                    DiagnoseButton, ApplyButton,         SaveButton,         EmailField};
struct AccessKey {
  char letter;
  int target;
};
const std::vector<AccessKey> kAccessKeys = {{'R', RelayCheck}, {'U', UpdateIntervalField}, {'F', RetryIntervalField},
                                            {'N', ApplyButton}, {'S', SaveButton},         {'D', DiagnoseButton},
                                            {'B', EndButton},  {'X', kNone}};
const std::vector<int> kClickable = {SettingsGroup, RelayLabel, RelayCheck, UpdateIntervalLabel, UpdateIntervalField,
                                     UpdateMinutesLabel, RetryIntervalLabel, RetryIntervalField, RetryMinutesLabel,
                                     EmailLabel, EmailField, ApplyButton, SaveButton, DiagnoseButton, EndButton,
                                     NoticeLabel};

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
bool isFocusable(int id) {
  return id == RelayCheck || isField(id) || id == ApplyButton || id == SaveButton || id == DiagnoseButton ||
         id == EndButton;
}
std::string nameOf(int id) {
  if (id == kNone || id == kElsewhere) return id == kNone ? "nothing" : "elsewhere";
  return std::string(forms::controlOf(description(), id).designedName);
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
  return AssertionFailure() << "after \"Über&nehmen\" the registry holds " << describe(after)
                            << "\n  the window shows " << describe(expected);
}

// What one step did, as far as the checks need to know.
struct Step {
  std::string what;
  int target = kNone;       // the control that takes the focus when the step is allowed
  bool applies = false;     // "Über&nehmen", when allowed
  bool toggles = false;     // the relay box, when allowed
  bool ends = false;        // "&Beenden", when allowed
  bool endsAlways = false;  // closing: whatever the fields hold
  bool opensSave = false, opensDiagnostics = false;
};

Step stepOnto(std::string what, int target) {
  Step step{std::move(what), target};
  step.applies = target == ApplyButton;
  step.ends = target == EndButton;
  step.opensSave = target == SaveButton;
  step.opensDiagnostics = target == DiagnoseButton;
  return step;
}

class MainWindowWalk {
 public:
  MainWindowWalk(Plan plan, Driver& driver) : plan_(plan), random_(plan.seed), driver_(driver) {}

  AssertionResult run() {
    driver_.start();
    for (step_ = 1; step_ <= plan_.steps; ++step_) {
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
  void note(const std::string& what) {
    log_.back() += ' ' + what + ';';
  }

  std::string where() const {
    std::ostringstream out;
    out << "walk seed " << plan_.seed << ", step " << step_ << " (replay: MAROVEL_WALK_SEED=" << plan_.seed
        << " MAROVEL_WALK_STEPS=" << step_ << "); the last steps:\n";
    const std::size_t first = log_.size() > 15 ? log_.size() - 15 : 0;
    for (std::size_t i = first; i < log_.size(); ++i) out << "  " << log_[i] << '\n';
    return out.str();
  }

  Step click(int id) {
    driver_.click(id);
    if (!isFocusable(id)) return {"click on " + nameOf(id)};
    Step step = stepOnto("click on " + nameOf(id), id);
    step.toggles = id == RelayCheck;
    return step;
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
    switch (pick(9)) {
      case 0:
        driver_.press(Key::Tab);
        return {"Tab", next(1)};
      case 1:
        driver_.press(Key::Tab, 0, {.shift = true});
        return {"Shift+Tab", next(-1)};
      case 2:
        driver_.press(Key::Tab, 0, {.control = true});
        return {"Ctrl+Tab"};
      case 3:
        driver_.press(Key::Tab, 0, {.shift = true, .control = true});
        return {"Ctrl+Shift+Tab"};
      case 4:
        driver_.press(Key::Enter);
        return {"Enter"};
      case 5:
        driver_.press(Key::Escape);
        return {"Esc"};
      case 6: {
        if (isField(focused)) {  // it would be typed
          driver_.press(Key::Escape);
          return {"Esc"};
        }
        driver_.press(Key::Space);
        if (focused == kNone || focused == kElsewhere) return {"Space"};
        // Space presses the button or box that has the focus.
        Step step = stepOnto("Space", focused);
        step.toggles = focused == RelayCheck;
        return step;
      }
      case 7: {
        const int id = pickOf(kClickable);
        driver_.turnWheel(id, chance(50) ? 1 : -1);
        return {"wheel over " + nameOf(id)};
      }
      default: {
        const AccessKey& access = pickOf(kAccessKeys);
        driver_.press(Key::Letter, access.letter, {.alt = true});
        return stepOnto(std::string("Alt+") + access.letter, access.target);
      }
    }
  }

  Step closing() {
    switch (pick(driver_.hasWindowMenu() ? 4 : 2)) {
      case 0:
        if (!driver_.clickCloseBox()) return {"the close box cannot be reached"};
        return {"click on the close box", kNone, false, false, false, true};
      case 1:
        driver_.pressAltF4();
        return {"Alt+F4", kNone, false, false, false, true};
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
    driver_.activateOtherProgram();
    if (chance(50)) {
      driver_.comeBack();
      return {"another program active, back as by Alt+Tab"};
    }
    Step step = click(pickOf(kClickable));
    step.what = "another program active, back by " + step.what;
    return step;
  }

  Step choose(int focused) {
    const int choice = pick(100);
    if (choice < 35) {
      // Apply and the interval fields more often: there the gate and the registry meet.
      const int roll = pick(10);
      return click(roll < 2 ? ApplyButton : roll == 2 ? UpdateIntervalField : roll == 3 ? RetryIntervalField
                                                                                 : pickOf(kClickable));
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
    for (int answered = 0; found.messageBox || found.saveDialog || found.menu; ++answered) {
      if (answered > 4) return AssertionFailure() << "a window stays open";
      if (found.messageBox) {
        ++messages;
        const std::vector<std::string> refusal{std::string(kApplicationTitle), std::string(kIntervalRefusal)};
        if (found.messageTexts != refusal) return AssertionFailure() << "a message other than the refusal";
        const int how = pick(4);
        const char* const ways[] = {"OK clicked", "Enter", "Space", "Esc"};
        note(ways[how]);
        if (how == 0) driver_.clickMessageOk();
        if (how > 0) driver_.press(how == 1 ? Key::Enter : how == 2 ? Key::Space : Key::Escape);
      } else if (found.saveDialog) {
        sawSave = true;
        note("save dialog cancelled");
        driver_.press(Key::Escape);
      } else {
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
    const Stored storedBefore = driver_.stored();
    const bool refused = (focusedBefore == UpdateIntervalField && isRefused(before.updateText)) ||
                         (focusedBefore == RetryIntervalField && isRefused(before.retryText));
    typed_.reset();
    note("[" + nameOf(focusedBefore) + " \"" + before.updateText + "\" \"" + before.retryText + "\"]");
    const Step step = choose(focusedBefore);
    note(step.what);
    driver_.settle();
    int messages = 0;
    bool sawSave = false;
    const bool mustEnd = step.endsAlways || (!refused && step.ends);
    if (mustEnd ? !driver_.waitForEnd() : driver_.isRunning()) {
      if (AssertionResult answered = answer(step.opensSave || step.opensDiagnostics, messages, sawSave); !answered) {
        return answered;
      }
    }
    // The gate: a refused entry keeps the focus against every step that would move it.
    const bool gated = refused && step.target != kNone && step.target != focusedBefore;
    const bool allowed = !gated;

    if (!driver_.isRunning()) {
      if (!(step.endsAlways || (allowed && step.ends))) return AssertionFailure() << "the program ended";
      if (messages) return AssertionFailure() << "a refusal, and yet the program ended";
      driver_.start();
      return AssertionSuccess();
    }
    if (step.endsAlways || (allowed && step.ends)) return AssertionFailure() << "the program did not end";
    if (gated != (messages == 1)) {
      return AssertionFailure() << (gated ? "a refused entry was left without one message"
                                          : "a message where nothing was refused")
                                << " (" << messages << " messages)";
    }
    if (diagnostics_ != (allowed && step.opensDiagnostics)) {
      return AssertionFailure() << "the diagnostics window " << (diagnostics_ ? "opened" : "did not open");
    }
    if (sawSave != (allowed && step.opensSave)) {
      return AssertionFailure() << "the save dialog " << (sawSave ? "opened" : "did not open");
    }
    const Shown now = driver_.shown();
    const int focusedNow = driver_.focused();
    const int expectedFocus = diagnostics_                             ? kElsewhere
                              : (gated || step.target == kNone) ? focusedBefore
                                                                : step.target;
    if (focusedNow != expectedFocus) {
      return AssertionFailure() << "the focus is on " << focusedNow << ", not on " << expectedFocus;
    }
    for (const auto& [field, text] : {std::pair{UpdateIntervalField, now.updateText}, {RetryIntervalField, now.retryText}}) {
      if (!intervalEntryOf(text)) return AssertionFailure() << "the walk lost track of \"" << text << '"';
      if (field != focusedNow && isRefused(text)) return AssertionFailure() << '"' << text << "\" stands unfocused";
    }
    if (typed_) {
      const std::string& text = focusedNow == EmailField            ? now.email
                                : focusedNow == UpdateIntervalField ? now.updateText
                                                                    : now.retryText;
      if (text != *typed_) return AssertionFailure() << "typed \"" << *typed_ << "\", the field shows \"" << text << '"';
    }
    if (now.relay != (before.relay != (allowed && step.toggles))) {
      return AssertionFailure() << "the relay box is " << (now.relay ? "on" : "off");
    }
    const Stored storedNow = driver_.stored();
    if (allowed && step.applies) return holdsWhatIsShown(storedBefore, storedNow, now);
    if (storedNow != storedBefore) {
      return AssertionFailure() << "the registry changed without \"Über&nehmen\": " << describe(storedNow);
    }
    return AssertionSuccess();
  }

  // While the diagnostics window is open the main window takes no input and nothing it edits
  // reaches the registry; closed, it gives the focus back to "&Diagnose".
  AssertionResult diagnosticsStep() {
    const Shown before = driver_.shown();
    const Stored storedBefore = driver_.stored();
    bool closes = true;
    switch (pick(8)) {
      case 0:
      case 1: {
        const int id = pickOf(kClickable);
        driver_.click(id);
        note("click on the main window's " + nameOf(id));
        closes = false;
        break;
      }
      case 2: {
        const bool control = chance(50);
        driver_.press(Key::Tab, 0, {.control = control});
        note(control ? "Ctrl+Tab" : "Tab");
        closes = false;
        break;
      }
      case 3:
        driver_.press(chance(50) ? Key::Enter : Key::Escape);
        note("Enter or Esc");
        closes = false;
        break;
      case 4:
        driver_.clickDiagnosticsClose();
        note("click on Schließen");
        break;
      case 5:
        driver_.pressDiagnosticsAltF4();
        note("Alt+F4");
        break;
      default:
        closes = driver_.clickDiagnosticsCloseBox();
        note("its close box");
        break;
    }
    driver_.settle();
    if (!driver_.isRunning()) return AssertionFailure() << "the program ended";
    if (closes && !driver_.waitUntilAnswered()) return AssertionFailure() << "the diagnostics window stays";
    const Found found = driver_.look(false);
    if (found.messageBox || found.saveDialog) return AssertionFailure() << "a window opened over it";
    if (closes == found.diagnostics) return AssertionFailure() << "the diagnostics window did not close";
    diagnostics_ = found.diagnostics;
    if (driver_.shown() != before) return AssertionFailure() << "the main window changed";
    if (driver_.stored() != storedBefore) return AssertionFailure() << "the registry changed";
    const int focused = driver_.focused();
    if (focused != (closes ? int{DiagnoseButton} : kElsewhere)) {
      return AssertionFailure() << "the focus is on " << focused;
    }
    return AssertionSuccess();
  }

  Plan plan_;
  std::mt19937 random_;
  Driver& driver_;
  int step_ = 0;
  std::vector<std::string> log_;
  bool diagnostics_ = false;
  std::optional<std::string> typed_;
};

}  // namespace

Stored storedIn(const TempRegistry& store) {
  using namespace agent;
  return {store.value(kBriselKey, kRelay), store.value(kForvelKey, kSuccess), store.value(kForvelKey, kFailure),
          store.value(kAgentKey, kEmail)};
}

Plan planFromEnvironment(std::uint32_t seed, int steps) {
  if (const char* given = std::getenv("MAROVEL_WALK_SEED"); given && *given) seed = std::strtoul(given, nullptr, 10);
  if (const char* given = std::getenv("MAROVEL_WALK_STEPS"); given && *given) steps = std::atoi(given);
  return {seed, steps};
}

AssertionResult walkMainWindow(Plan plan, Driver& driver) {
  return MainWindowWalk(plan, driver).run();
}

}  // namespace marovel::testing::walk
