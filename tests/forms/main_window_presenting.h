// The main window's presenter on an empty agent registry, with a recording view: the fixtures
// of its behaviour tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_views.h"
#include "main_window_presenter.h"
#include "temp_registry.h"
#include "test_folder.h"

namespace marovel::forms {

// Test code only: the fixtures speak of the agent's keys and the window's controls by name.
using namespace main_window;
using namespace testing::agent;
using registry::SettingValue;

inline const std::string kNotApplied = "\xC3\x84nderung nicht \xC3\xBC" "bernommen!";
inline const std::string kFailureCaption = "Fehlerbehandlung";
inline const std::string kFailureText =
    "Es ist ein Fehler aufgetreten. Es wird nichts gespeichert, bzw. die Datei gel\xC3\xB6scht. ";

inline const std::string kReady = "Agent-Einstellungen geladen.";

struct Stored {
  const char* key;
  const char* name;
  SettingValue value;
};

struct WindowState {
  bool relay;
  const char* updateInterval;  // Text1(2)
  const char* retryInterval;   // Text1(3)
  const char* email;           // Text2
};

class MainWindowPresenting : public ::testing::Test {
 public:
  void seed(const std::vector<Stored>& values) {
    store.createAgentKeys();
    for (const Stored& stored : values) {
      if (const auto* text = std::get_if<std::string>(&stored.value)) {
        store.setText(stored.key, stored.name, *text);
      } else {
        store.setDword(stored.key, stored.name, std::get<std::int32_t>(stored.value));
      }
    }
  }

  // The window as it loads from the registry seeded so far.
  void open(char decimalSeparator = ',') {
    presenter = std::make_unique<MainWindowPresenter>(view, decimalSeparator);
    presenter->load();
  }

  void show(const WindowState& state) {
    view.setChecked(RelayCheck, state.relay);
    view.setText(UpdateIntervalField, state.updateInterval);
    view.setText(RetryIntervalField, state.retryInterval);
    view.setText(EmailField, state.email);
  }

  testing::TempRegistry store;
  FakeMainWindow view;
  std::unique_ptr<MainWindowPresenter> presenter;
};

inline std::string fileOf(const std::vector<std::string>& lines) {
  std::string file;
  for (const std::string& line : lines) file += line + "\r\n";
  return file;
}

inline const std::string kBriselHeader = "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Brisel\\Configuration]";
inline const std::string kForvelHeader = "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration]";
inline const std::string kAgentHeader = "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent]";

class Saving : public MainWindowPresenting {
 public:
  // The agent as installed; the window loads it, then shows `state`.
  void openWith(const WindowState& state, char decimalSeparator = ',') {
    seed({{kBriselKey, kRelay, 1}, {kForvelKey, kSuccess, 86400000}, {kForvelKey, kFailure, 21600000},
          {kAgentKey, kEmail, "admin@example.de"}});
    open(decimalSeparator);
    show(state);
    registryBefore = agentValues();
  }

  std::vector<SettingValue> agentValues() const {
    return {store.value(kBriselKey, kRelay), store.value(kForvelKey, kSuccess), store.value(kForvelKey, kFailure),
            store.value(kAgentKey, kEmail)};
  }

  void save(const std::string& name) {
    view.saveAnswer = name.empty() ? std::filesystem::path() : folder.path(name);
    presenter->onSaveClicked();
  }

  testing::TestFolder folder;
  std::vector<SettingValue> registryBefore;
};

}  // namespace marovel::forms
