// Builds a window's Qt widgets from its form description, so the layout exists only as data.
// Controls keep their designed names as object names.
#pragma once

#include <QFont>
#include <QWidget>
#include <map>
#include <optional>
#include <string_view>

#include "form_description.h"

namespace marovel::qt_ui {

class BuiltForm {
 public:
  // Creates the controls inside `window` in the description's order, sets the window's caption,
  // size and font, the tab order, and puts the focus on the first control in it.
  BuiltForm(QWidget& window, const forms::FormDescription& form);

  QWidget* widget(forms::ControlId id) const { return widgets_.at(id); }
  // The control a widget is, or forms::kWindow for a widget that is none of them.
  forms::ControlId idOf(const QWidget* widget) const;

 private:
  QWidget* create(QWidget& window, const forms::ControlDescription& control, const std::optional<QFont>& windowFont,
                  bool statusLine);
  void setTabOrder(const forms::FormDescription& form);

  std::map<forms::ControlId, QWidget*> widgets_;
};

// The descriptions' texts are UTF-8.
QString utf8(std::string_view text);

QFont fontOf(const forms::Font& font);

// Logical pixels for a rectangle in twips; Qt scales them on denser screens.
QRect pixelsOf(const forms::TwipsRect& rect);

}  // namespace marovel::qt_ui
