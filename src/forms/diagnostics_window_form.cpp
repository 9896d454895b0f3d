#include "diagnostics_window_form.h"

#include <array>

#include "form_fonts.h"

namespace marovel::forms::diagnostics_window {
namespace {

using enum ControlKind;

// The submit box's tooltip ends in 51 blanks, as the agent's administrators have always seen it.
constexpr std::string_view kSubmitToolTip =
    "Hierher werden Informationen über Quarantäne-Dateien geschickt.                                                   ";
static_assert(kSubmitToolTip.size() - kSubmitToolTip.find_last_not_of(' ') - 1 == 51);

// The window has no font of its own: the close button keeps the toolkit's.
constexpr std::array kControls = {
    ControlDescription{LocationsGroup, "Frame2", GroupBox, kWindow, "", "", {0, 120, 7455, 4815}, &kArial975, 0},
    ControlDescription{UpdateUrlGroup, "Frame1", GroupBox, LocationsGroup, "Update-URL", "", {120, 120, 7215, 1935},
                       &kArial975, 8},
    ControlDescription{UpdateUrlBox, "Text1", MultiLineTextBox, UpdateUrlGroup, "",
                       "Von dieser URL werden Virenupates geholt.", {120, 360, 6975, 1395}, &kArial975, 10, kWindow,
                       true},
    ControlDescription{ReportUploadGroup, "Frame5", GroupBox, LocationsGroup, "Upload-URL", "",
                       {120, 2040, 7215, 855}, &kArial975, 1},
    ControlDescription{ReportUploadBox, "Text3", TextBox, ReportUploadGroup, "",
                       "Hierher werden Dateien für die Berichte geschickt.", {120, 360, 6975, 285}, &kArial975, 2,
                       kWindow, true},
    ControlDescription{QuarantineGroup, "Frame3", GroupBox, LocationsGroup, "Quarantäne", "",
                       {120, 2880, 7215, 1815}, &kArial975, 3},
    ControlDescription{QuarantinePathLabel, "Label2(0)", Label, QuarantineGroup, "Pfad", "", {120, 360, 1095, 255},
                       &kArial975, 7, QuarantinePathBox},
    ControlDescription{QuarantinePathBox, "Text4(0)", TextBox, QuarantineGroup, "",
                       "In diesen Ordner kommen Dateien, die sich in Quarantäne befinden.", {1320, 360, 5775, 285},
                       &kArial975, 4, kWindow, true},
    ControlDescription{QuarantineUploadLabel, "Label3", Label, QuarantineGroup, "Upload-URL", "",
                       {120, 840, 1095, 255}, &kArial975, 6, QuarantineUploadBox},
    // This box and the submit box lie on the window, drawn over the quarantine group's rows.
    ControlDescription{QuarantineUploadBox, "Text4(1)", TextBox, kWindow, "",
                       "Über diese URL wwerden Informationen über Quarantäne-Dateien verschickt.",
                       {1440, 3840, 5775, 285}, &kArial975, 11, kWindow, true},
    ControlDescription{QuarantineSubmitLabel, "Label4", Label, QuarantineGroup, "Upload-Pfad", "",
                       {120, 1320, 1095, 375}, &kArial975, 5, QuarantineSubmitBox},
    ControlDescription{QuarantineSubmitBox, "Text4(2)", TextBox, kWindow, "", kSubmitToolTip, {1440, 4320, 5775, 285},
                       &kArial975, 12, kWindow, true},
    ControlDescription{CloseButton, "Command1", Button, kWindow, "Schließen", "", {2640, 5040, 1695, 375}, nullptr, 9},
    ControlDescription{NoticeLabel, "Label1", Label, kWindow, "Nur zur Ansicht, nichts änderbar.", "",
                       {4560, 5160, 2895, 255}, &kNoticeFont, 13},
};

constexpr FormDescription kForm{"Form2", "Form2", 7470, 5460, nullptr, kControls, NoticeLabel};

}  // namespace

const FormDescription& description() { return kForm; }

}  // namespace marovel::forms::diagnostics_window
