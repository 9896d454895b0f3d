// What the native views tell screen readers. A recording annotation service is registered in
// this process before any window exists, so the views' own CoCreateInstance finds it.
#include <windows.h>

#include <oleacc.h>

#include <map>
#include <ostream>

#include "diagnostics_window.h"
#include "diagnostics_window_form.h"
#include "main_window_form.h"
#include "window_fixture.h"

namespace marovel::win32_ui {
namespace {

struct Annotation {
  std::string name, description;
  long role = 0, liveSetting = 0;
  bool operator==(const Annotation&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Annotation& a) {
  return out << '{' << a.name << " | " << a.description << " | " << a.role << " | " << a.liveSetting << '}';
}

constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

// Lives as long as the process: counting references would only hide a missing Release.
class RecordingServices final : public IAccPropServices, public IClassFactory {
 public:
  std::map<HWND, Annotation> annotations;

  HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (iid == IID_IAccPropServices || iid == IID_IUnknown) *object = static_cast<IAccPropServices*>(this);
    if (iid == IID_IClassFactory) *object = static_cast<IClassFactory*>(this);
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return 2; }
  ULONG WINAPI Release() override { return 1; }
  HRESULT WINAPI CreateInstance(IUnknown*, REFIID iid, void** object) override { return QueryInterface(iid, object); }
  HRESULT WINAPI LockServer(BOOL) override { return S_OK; }

  HRESULT WINAPI SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property, LPCWSTR text) override {
    if (object != DWORD(OBJID_CLIENT) || child != CHILDID_SELF) return E_INVALIDARG;
    if (property == PROPID_ACC_NAME) annotations[window].name = narrow(text);
    if (property == PROPID_ACC_DESCRIPTION) annotations[window].description = narrow(text);
    return S_OK;
  }
  HRESULT WINAPI SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property, VARIANT value) override {
    if (object != DWORD(OBJID_CLIENT) || child != CHILDID_SELF || value.vt != VT_I4) return E_INVALIDARG;
    if (property == PROPID_ACC_ROLE) annotations[window].role = value.lVal;
    if (property == kLiveSettingProperty) annotations[window].liveSetting = value.lVal;
    return S_OK;
  }
  HRESULT WINAPI ClearHwndProps(HWND window, DWORD, DWORD, const MSAAPROPID*, int) override {
    annotations.erase(window);
    return S_OK;
  }
  // Nothing the views annotate.
  HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }
} recorded;

class RecordingServicesRegistered : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(CLSID_AccPropServices, static_cast<IClassFactory*>(&recorded),
                                                   CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_));
  }
  void TearDown() override {
    CoRevokeClassObject(cookie_);
    CoUninitialize();
  }

 private:
  DWORD cookie_ = 0;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new RecordingServicesRegistered);

// What was recorded for the window's controls, by designed name.
std::map<std::string, Annotation> annotationsOf(const forms::FormDescription& form, const Win32Form& window) {
  std::map<std::string, Annotation> found;
  for (const forms::ControlDescription& control : form.controls) {
    if (recorded.annotations.contains(window.control(control.id))) {
      found[std::string(control.designedName)] = recorded.annotations.at(window.control(control.id));
    }
  }
  return found;
}

using ScreenReaders = NativeWindowFixture;

TEST_F(ScreenReaders, TheMainWindowsControlsAreNamedAndItsNoticeLineIsAPoliteStatusBar) {
  open();
  const std::map<std::string, Annotation> expected{
      {"Check1(1)", {"Als Relay-Server einstellen", ""}},
      {"Text1(2)", {"Updateintervall", ""}},
      {"Text1(3)", {"Updateintervall nach Fehlversuchen", ""}},
      {"Text2", {"Email-Adresse", ""}},
      {"Command2", {"Übernehmen", ""}},
      {"Command4", {"Konfiguration speichern", ""}},
      {"Command1(5)", {"Diagnose", ""}},
      {"Command1(4)", {"Beenden", ""}},
      {"Label4", {"", "", 0x17 /* ROLE_SYSTEM_STATUSBAR */, 1 /* Polite */}},
  };
  EXPECT_EQ(annotationsOf(forms::main_window::description(), *window), expected);
  window.reset();
  EXPECT_TRUE(recorded.annotations.empty()) << "annotations outlive their window";
}

TEST_F(ScreenReaders, TheDiagnosticsWindowsBoxesAreNamedAndDescribed) {
  DiagnosticsWindow diagnostics(nullptr);
  const std::map<std::string, Annotation> expected{
      {"Text1", {"Update-URL", "Von dieser URL werden Virenupates geholt."}},
      {"Text3", {"Upload-URL", "Hierher werden Dateien für die Berichte geschickt."}},
      {"Text4(0)", {"Pfad", "In diesen Ordner kommen Dateien, die sich in Quarantäne befinden."}},
      {"Text4(1)", {"Upload-URL", "Über diese URL wwerden Informationen über Quarantäne-Dateien verschickt."}},
      {"Text4(2)",
       {"Upload-Pfad", "Hierher werden Informationen über Quarantäne-Dateien geschickt." + std::string(51, ' ')}},
      {"Command1", {"Schließen", ""}},
      {"Label1", {"", "", 0x17 /* ROLE_SYSTEM_STATUSBAR */, 1 /* Polite */}},
  };
  EXPECT_EQ(annotationsOf(forms::diagnostics_window::description(), diagnostics), expected);
}

std::vector<HWND> announced;

void CALLBACK recordAnnouncement(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) announced.push_back(window);
}

TEST_F(ScreenReaders, OnlyAChangedNoticeIsAnnounced) {
  open();  // no agent keys: "Agent-Einstellungen fehlen."
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                       recordAnnouncement, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  store.createAgentKeys();
  click(forms::main_window::ApplyButton);  // "Agent-Einstellungen geladen."
  click(forms::main_window::ApplyButton);  // the same again
  UnhookWinEvent(hook);
  EXPECT_EQ(announced, std::vector<HWND>{control(forms::main_window::NoticeLabel)});
}

}  // namespace
}  // namespace marovel::win32_ui
