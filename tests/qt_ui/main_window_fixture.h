// Drives a real Qt main window on its own stand-in registry, with dialogs that only record.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "dialogs.h"
#include "main_window.h"
#include "temp_registry.h"

namespace marovel::qt_ui {

class RecordingDialogs : public Dialogs {
 public:
  void showMessage(QWidget*, const QString& caption, const QString& text) override {
    messages.emplace_back(caption, text);
  }
  QString askSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                          const QString& initialName) override {
    saveQuestions.push_back({filter, defaultSuffix, initialName});
    return saveFileName;
  }

  std::vector<std::pair<QString, QString>> messages;  // caption, text
  std::vector<QStringList> saveQuestions;             // filter, default suffix, initial name
  QString saveFileName;                               // the answer; empty as when cancelled
};

inline const QLocale kGerman{QLocale::German, QLocale::Germany};

class MainWindowFixture : public ::testing::Test {
 public:
  // Loads the window from the registry as seeded so far, shows it and makes it active.
  void open(Dialogs* otherDialogs = nullptr) {
    form = std::make_unique<MainWindow>(otherDialogs ? *otherDialogs : dialogs, kGerman);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  template <class Control = QWidget>
  Control* control(const char* name) const {
    auto* found = form->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  QString focusedName() const {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
  }

  // A click as the user makes it: it reaches the window first, then the widget under it.
  void click(const char* name) {
    QWidget* target = control(name);
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, target->mapTo(form.get(), target->rect().center()));
  }

  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(form->windowHandle(), key, modifiers);
  }

  testing::TempRegistry store;
  RecordingDialogs dialogs;
  std::unique_ptr<MainWindow> form;
};

}  // namespace marovel::qt_ui
