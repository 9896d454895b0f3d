#include "main_window_form.h"

#include <array>

#include "form_fonts.h"

namespace marovel::forms::main_window {
namespace {

using enum ControlKind;

// Controls without a font of their own use the window's, Arial 9.75.
constexpr std::array kControls = {
    ControlDescription{SettingsGroup, "Frame1", GroupBox, kWindow, "", "", {120, 120, 3375, 3135}, &kDialogFont, 0},
    ControlDescription{RelayLabel, "Label1(5)", Label, SettingsGroup, "Als &Relay-Server einstellen", "",
                       {120, 240, 2700, 255}, nullptr, 4, RelayCheck},
    ControlDescription{RelayCheck, "Check1(1)", CheckBox, SettingsGroup, "Check1", "", {2520, 240, 255, 255},
                       &kDialogFont, 1, kWindow, false, false, true},
    ControlDescription{UpdateIntervalLabel, "Label1(4)", Label, SettingsGroup, "&Updateintervall", "",
                       {120, 720, 2700, 255}, nullptr, 3, UpdateIntervalField},
    ControlDescription{UpdateIntervalField, "Text1(2)", TextBox, SettingsGroup, "1440", "", {2160, 720, 615, 285},
                       &kDialogFont, 5},
    ControlDescription{UpdateMinutesLabel, "Label2(0)", Label, SettingsGroup, "min.", "", {2880, 720, 450, 255},
                       nullptr, 9},
    ControlDescription{RetryIntervalLabel, "Label1(3)", Label, SettingsGroup, "Updateintervall nach &Fehlversuchen",
                       "", {120, 1200, 2700, 735}, nullptr, 2, RetryIntervalField, false, true},
    ControlDescription{RetryIntervalField, "Text1(3)", TextBox, SettingsGroup, "360", "", {2160, 1320, 615, 285},
                       &kDialogFont, 6},
    ControlDescription{RetryMinutesLabel, "Label2(1)", Label, SettingsGroup, "min.", "", {2880, 1320, 450, 255},
                       nullptr, 10},
    ControlDescription{EmailLabel, "Label3", Label, SettingsGroup, "Email-Adresse", "", {120, 1920, 1455, 375}, nullptr,
                       13, EmailField},
    ControlDescription{EmailField, "Text2", TextBox, SettingsGroup, "", "", {120, 2160, 3135, 360}, nullptr, 14},
    ControlDescription{ApplyButton, "Command2", Button, SettingsGroup, "Über&nehmen", "", {840, 2640, 1695, 375},
                       nullptr, 11},
    ControlDescription{SaveButton, "Command4", Button, kWindow, "Konfiguration &speichern", "", {3600, 240, 2415, 375},
                       nullptr, 12},
    ControlDescription{DiagnoseButton, "Command1(5)", Button, kWindow, "&Diagnose", "", {3600, 720, 2415, 375},
                       nullptr, 8},
    ControlDescription{EndButton, "Command1(4)", Button, kWindow, "&Beenden", "", {3600, 1200, 2415, 375}, nullptr,
                       7},
    ControlDescription{NoticeLabel, "Label4", Label, kWindow, "", "", {3600, 2760, 2415, 375}, &kNoticeFont, 15},
};

constexpr FormDescription kForm{"Form1", kApplicationTitle, 6105, 3345, &kArial975, kControls, NoticeLabel};

}  // namespace

const FormDescription& description() { return kForm; }

}  // namespace marovel::forms::main_window
