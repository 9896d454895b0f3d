#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "form1_fixture.h"

namespace marovel::main_window {
namespace {

struct ControlRow {
  const char* name;
  const char* container;
  const char* caption;
  int left, top, width, height;  // twips
  const char* font;
  double points;
};

// The window as designed: positions in twips within the container, fonts in points.
const ControlRow kDesign[] = {
    {"Frame1", "Form1", "", 120, 120, 3375, 3135, "MS Sans Serif", 8.25},
    {"Label1(5)", "Frame1", "Als &Relay-Server einstellen", 120, 240, 2700, 255, "Arial", 9.75},
    {"Check1(1)", "Frame1", "Check1", 2520, 240, 255, 255, "MS Sans Serif", 8.25},
    {"Label1(4)", "Frame1", "&Updateintervall", 120, 720, 2700, 255, "Arial", 9.75},
    {"Text1(2)", "Frame1", nullptr, 2160, 720, 615, 285, "MS Sans Serif", 8.25},
    {"Label2(0)", "Frame1", "min.", 2880, 720, 450, 255, "Arial", 9.75},
    {"Label1(3)", "Frame1", "Updateintervall nach &Fehlversuchen", 120, 1200, 2700, 735, "Arial", 9.75},
    {"Text1(3)", "Frame1", nullptr, 2160, 1320, 615, 285, "MS Sans Serif", 8.25},
    {"Label2(1)", "Frame1", "min.", 2880, 1320, 450, 255, "Arial", 9.75},
    {"Label3", "Frame1", "Email-Adresse", 120, 1920, 1455, 375, "Arial", 9.75},
    {"Text2", "Frame1", nullptr, 120, 2160, 3135, 360, "Arial", 9.75},
    {"Command2", "Frame1", "Über&nehmen", 840, 2640, 1695, 375, "Arial", 9.75},
    {"Command4", "Form1", "Konfiguration &speichern", 3600, 240, 2415, 375, "Arial", 9.75},
    {"Command1(5)", "Form1", "&Diagnose", 3600, 720, 2415, 375, "Arial", 9.75},
    {"Command1(4)", "Form1", "&Beenden", 3600, 1200, 2415, 375, "Arial", 9.75},
    {"Label4", "Form1", nullptr, 3600, 2760, 2415, 375, "Arial", 8.25},
};

const char* const kFocusOrder[] = {"Check1(1)", "Text1(2)", "Text1(3)", "Command1(4)",
                                   "Command1(5)", "Command2", "Command4", "Text2"};

constexpr int kTwipsPerPixel = 15;

class Form1Layout : public Form1Fixture {
 protected:
  void SetUp() override { open(); }
};

TEST_F(Form1Layout, ShowsEveryControlAsDesigned) {
  EXPECT_EQ(form->windowTitle(), "Marovel Configuration Manager");
  EXPECT_EQ(form->size() * kTwipsPerPixel, QSize(6105, 3345));
  EXPECT_EQ(form->font().family(), "Arial");
  EXPECT_EQ(form->font().pointSizeF(), 9.75);
  for (const ControlRow& row : kDesign) {
    SCOPED_TRACE(row.name);
    QWidget* widget = control(row.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), row.container);
    if (row.caption) {
      const char* property = qobject_cast<QGroupBox*>(widget) ? "title" : "text";
      EXPECT_EQ(widget->property(property).toString(), QString::fromUtf8(row.caption));
    }
    QRect pixels = widget->geometry();
    EXPECT_EQ(QRect(pixels.topLeft() * kTwipsPerPixel, pixels.size() * kTwipsPerPixel),
              QRect(row.left, row.top, row.width, row.height));
    EXPECT_EQ(widget->font().family(), row.font);
    EXPECT_EQ(widget->font().pointSizeF(), row.points);
    EXPECT_TRUE(widget->isVisible() && widget->isEnabled());
    bool isLabelOrFrame = qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget);
    EXPECT_EQ(widget->focusPolicy() == Qt::NoFocus, isLabelOrFrame);
  }
}

TEST_F(Form1Layout, StartsOnTheRelayBoxAndTabsAroundInOrder) {
  EXPECT_EQ(focusedName(), "Check1(1)");
  for (const char* expected : kFocusOrder) {
    EXPECT_EQ(focusedName(), expected);
    press(Qt::Key_Tab);
  }
  EXPECT_EQ(focusedName(), "Check1(1)");
  press(Qt::Key_Backtab);
  EXPECT_EQ(focusedName(), "Text2");
}

TEST_F(Form1Layout, ShowsNoLiteralAmpersand) {
  // An access key character only stays hidden on a label that names the control it focuses.
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->text().contains(QChar('&'))) {
      EXPECT_NE(label->buddy(), nullptr) << label->objectName().toStdString();
    }
  }
}

TEST_F(Form1Layout, FitsEveryNoticeOnOneLine) {
  auto* label = control<QLabel>("Label4");
  QFontMetrics metrics(label->font());
  for (StatusNotice notice : {StatusNotice::Ready, StatusNotice::AgentKeysMissing, StatusNotice::NoWriteAccess,
                              StatusNotice::NotApplied}) {
    QString text = QString::fromUtf8(statusNoticeText(notice).data());
    EXPECT_LE(metrics.horizontalAdvance(text), label->width()) << text.toStdString();
    EXPECT_FALSE(text.contains("Software") || text.contains("HKEY") || text.contains("dw")) << text.toStdString();
  }
}

}  // namespace
}  // namespace marovel::main_window
