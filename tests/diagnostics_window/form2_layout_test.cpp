// The window's controls against the layout they were designed with, in twips.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "form2.h"
#include "temp_registry.h"

namespace marovel::diagnostics_window {
namespace {

constexpr int kTwipsPerPixel = 15;
const char* const kWindow = "window";
const char* const kAnyText = nullptr;  // a text left to the implementer

struct DesignedControl {
  const char* name;
  const char* container;
  const char* captionOrToolTip;
  int left, top, width, height;  // twips
  double arialPoints;            // 0: the window's own font
};

const std::string kSubmitToolTip =
    "Hierher werden Informationen \xC3\xBC"
    "ber Quarant\xC3\xA4ne-Dateien geschickt." +
    std::string(51, ' ');

const DesignedControl kDesign[] = {
    {"Frame2", kWindow, "", 0, 120, 7455, 4815, 9.75},
    {"Frame1", "Frame2", "Update-URL", 120, 120, 7215, 1935, 9.75},
    {"Text1", "Frame1", "Von dieser URL werden Virenupates geholt.", 120, 360, 6975, 1395, 9.75},
    {"Frame5", "Frame2", "Upload-URL", 120, 2040, 7215, 855, 9.75},
    {"Text3", "Frame5", "Hierher werden Dateien f\xC3\xBCr die Berichte geschickt.", 120, 360, 6975, 285, 9.75},
    {"Frame3", "Frame2", "Quarant\xC3\xA4ne", 120, 2880, 7215, 1815, 9.75},
    {"Label2(0)", "Frame3", "Pfad", 120, 360, 1095, 255, 9.75},
    {"Text4(0)", "Frame3", "In diesen Ordner kommen Dateien, die sich in Quarant\xC3\xA4ne befinden.", 1320, 360, 5775,
     285, 9.75},
    {"Label3", "Frame3", "Upload-URL", 120, 840, 1095, 255, 9.75},
    {"Text4(1)", kWindow,
     "\xC3\x9C"
     "ber diese URL wwerden Informationen \xC3\xBC"
     "ber Quarant\xC3\xA4ne-Dateien verschickt.",
     1440, 3840, 5775, 285, 9.75},
    {"Label4", "Frame3", "Upload-Pfad", 120, 1320, 1095, 375, 9.75},
    {"Text4(2)", kWindow, kSubmitToolTip.c_str(), 1440, 4320, 5775, 285, 9.75},
    {"Command1", kWindow,
     "Schlie\xC3\x9F"
     "en",
     2640, 5040, 1695, 375, 0},
    {"Label1", kWindow, kAnyText, 4560, 5160, 2895, 255, 8.25},
};

QRect pixels(int left, int top, int width, int height) {
  for (int twips : {left, top, width, height}) EXPECT_EQ(twips % kTwipsPerPixel, 0) << twips;
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

// A group box's title, a label's or button's caption, a text box's tooltip.
QString captionOrToolTip(const QWidget& control) {
  if (auto* box = qobject_cast<const QGroupBox*>(&control)) return box->title();
  if (auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
  if (auto* button = qobject_cast<const QPushButton*>(&control)) return button->text();
  return control.toolTip();
}

class Form2Layout : public ::testing::Test {
 protected:
  testing::TempRegistry registry;
  QWidget owner;
  Form2 form{&owner};
};

TEST_F(Form2Layout, EveryControlSitsWhereItWasDesigned) {
  EXPECT_EQ(form.windowTitle(), "Form2");
  EXPECT_EQ(form.size(), pixels(0, 0, 7470, 5460).size());
  EXPECT_EQ(form.font(), QApplication::font());
  for (const DesignedControl& designed : kDesign) {
    SCOPED_TRACE(designed.name);
    auto* control = form.findChild<QWidget*>(designed.name);
    ASSERT_NE(control, nullptr);
    QWidget* container = control->parentWidget();
    EXPECT_EQ(container == &form ? kWindow : container->objectName(), designed.container);
    if (designed.captionOrToolTip != kAnyText) {
      EXPECT_EQ(captionOrToolTip(*control), QString::fromUtf8(designed.captionOrToolTip));
    }
    EXPECT_EQ(control->geometry(), pixels(designed.left, designed.top, designed.width, designed.height));
    if (designed.arialPoints == 0) {
      EXPECT_EQ(control->font(), form.font());
    } else {
      EXPECT_EQ(control->font().family(), "Arial");
      EXPECT_EQ(control->font().pointSizeF(), designed.arialPoints);
    }
  }
}

TEST_F(Form2Layout, TextBoxesAreReadOnlyButSelectable) {
  for (auto* box : form.findChildren<QLineEdit*>()) EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
  auto* multiLine = form.findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(multiLine, nullptr);
  EXPECT_TRUE(multiLine->isReadOnly());
  EXPECT_TRUE(multiLine->textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

TEST_F(Form2Layout, ArialResolvesToAMetricCompatibleFaceAndTheNoticeFitsOneLine) {
  auto* notice = form.findChild<QLabel*>("Label1");
  ASSERT_NE(notice, nullptr);
  QString resolved = QFontInfo(notice->font()).family();
  EXPECT_TRUE(resolved == "Arial" || resolved == "Liberation Sans") << resolved.toStdString();
  EXPECT_FALSE(notice->text().isEmpty());
  EXPECT_FALSE(notice->text().contains('\n'));
  EXPECT_LE(QFontMetrics(notice->font()).horizontalAdvance(notice->text()), notice->width());
}

TEST_F(Form2Layout, TheTwoWindowTextBoxesAreDrawnAboveTheQuarantineGroup) {
  for (const char* name : {"Text4(1)", "Text4(2)"}) {
    auto* box = form.findChild<QLineEdit*>(name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(form.childAt(box->geometry().center()), box) << name;
  }
}

}  // namespace
}  // namespace marovel::diagnostics_window
