#include <unistd.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <map>

#include "case_name.h"
#include "form1_fixture.h"
#include "reg_export_writer.h"

namespace marovel::main_window {
namespace {

using registry::SettingValue;
using namespace testing::agent;

const QString kFailureCaption = "Fehlerbehandlung";
const QString kFailureText =
    QString::fromUtf8("Es ist ein Fehler aufgetreten. Es wird nichts gespeichert, bzw. die Datei gelöscht. ");

using FolderContents = std::map<QString, QByteArray>;  // file name, bytes

// A folder for the exported files, which a user without rights of its own may enter.
class ExportFolder {
 public:
  ExportFolder() { QFile::setPermissions(dir_.path(), kOpen | QFile::WriteOwner); }
  ~ExportFolder() { QFile::setPermissions(dir_.path(), kOpen | QFile::WriteOwner); }

  QString path(const QString& name) const { return dir_.filePath(name); }

  void put(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  void makeUnwritable() const { QFile::setPermissions(dir_.path(), kOpen); }

  // Every entry, leftovers of a failed write included.
  FolderContents contents() const {
    FolderContents contents;
    for (const QString& name : QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
      QFile file(path(name));
      contents[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(not a readable file)");
    }
    return contents;
  }

 private:
  static constexpr QFile::Permissions kOpen = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
  QTemporaryDir dir_;
};

// Folder permissions do not hold back root: while this lives, a root process acts as "nobody".
class WithoutRootRights {
 public:
  explicit WithoutRootRights(bool wanted) : dropped_(wanted && geteuid() == 0) {
    if (dropped_) {
      EXPECT_EQ(seteuid(65534), 0);
    }
  }
  ~WithoutRootRights() {
    if (dropped_) {
      EXPECT_EQ(seteuid(0), 0);
    }
  }

 private:
  bool dropped_;
};

struct WindowState {
  bool relay;
  const char* updateInterval;  // Text1(2)
  const char* retryInterval;   // Text1(3)
  const char* email;           // Text2
};

class Exporting : public Form1Fixture {
 public:
  // The agent as installed; the window loads it, then shows `state` when one is given.
  void openWith(const WindowState* state = nullptr, const QLocale& locale = kGerman) {
    store.createAgentKeys();
    store.setDword(kBriselKey, kRelay, 1);
    store.setDword(kForvelKey, kSuccess, 86400000);
    store.setDword(kForvelKey, kFailure, 21600000);
    if (!storedEmail.empty()) store.setText(kAgentKey, kEmail, storedEmail);
    open(locale);
    if (state) {
      control<QCheckBox>("Check1(1)")->setChecked(state->relay);
      control<QLineEdit>("Text1(2)")->setText(QString::fromUtf8(state->updateInterval));
      control<QLineEdit>("Text1(3)")->setText(QString::fromUtf8(state->retryInterval));
      control<QLineEdit>("Text2")->setText(QString::fromUtf8(state->email));
    }
    registryBefore = agentValues();
    windowBefore = windowState();
  }

  void save(bool withoutRootRights = false) {
    WithoutRootRights unprivileged(withoutRootRights);
    click("Command4");
  }

  std::vector<SettingValue> agentValues() const {
    return {store.value(kBriselKey, kRelay), store.value(kForvelKey, kSuccess),
            store.value(kForvelKey, kFailure), store.value(kAgentKey, kEmail)};
  }

  EditedSettings windowState() const {
    return {control<QCheckBox>("Check1(1)")->isChecked(), control<QLineEdit>("Text1(2)")->text().toStdString(),
            control<QLineEdit>("Text1(3)")->text().toStdString(), control<QLineEdit>("Text2")->text().toStdString()};
  }

  // The export reads the window and writes a file, nothing else.
  void expectWindowAndRegistryUnchanged() const {
    EXPECT_EQ(agentValues(), registryBefore);
    EXPECT_TRUE(windowState() == windowBefore);
  }

  ExportFolder folder;
  std::string storedEmail = "admin@example.de";
  std::vector<SettingValue> registryBefore;
  EditedSettings windowBefore;
};

TEST_F(Exporting, AsksForAReg_FileAndWritesNothingWhenCancelled) {
  openWith();
  dialogs.saveFileName.clear();
  save();
  ASSERT_EQ(dialogs.saveQuestions.size(), 1u);
  EXPECT_EQ(dialogs.saveQuestions[0], (QStringList{"REG (*.reg)", "reg", "*.reg"}));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(folder.contents().empty());
  expectWindowAndRegistryUnchanged();
}

struct SavedCase {
  const char* what;
  WindowState state;
  bool german;
  const char* fileName;
  FolderContents before;  // what the folder holds beforehand
};

class Saving : public Exporting, public ::testing::WithParamInterface<SavedCase> {};

TEST_P(Saving, WritesTheWriterBytesUnderTheChosenName) {
  const SavedCase& c = GetParam();
  for (const auto& [name, bytes] : c.before) folder.put(name, bytes);
  openWith(&c.state, c.german ? kGerman : kEnglish);
  dialogs.saveFileName = folder.path(c.fileName);
  save();
  EXPECT_TRUE(dialogs.messages.empty());
  const auto bytes = RegExportWriter(windowBefore, c.german ? ',' : '.');
  ASSERT_TRUE(bytes);
  FolderContents expected = c.before;
  expected[c.fileName] = QByteArray::fromStdString(*bytes);
  EXPECT_EQ(folder.contents(), expected);
  expectWindowAndRegistryUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Saving,
    ::testing::Values(
        SavedCase{"every setting", {true, "1440", "360", "admin@example.de"}, true, "agent.reg", {}},
        SavedCase{"nothing set", {false, "-", "-", ""}, true, "agent.reg", {}},
        SavedCase{"german fraction", {false, "2,5", "1,5", "M\xC3\xBCller@example.de"}, true, "agent.reg", {}},
        SavedCase{"english fraction", {true, "2.5", "-", "a\"b"}, false, "agent.reg", {}},
        SavedCase{"older file replaced", {true, "5", "1", "x"}, true, "agent.reg", {{"agent.reg", "older"}}},
        SavedCase{"wildcards taken literally", {true, "5", "1", "x"}, true, "*.reg", {{"a.reg", "other"}}}),
    testing::CaseName());

struct FailedCase {
  const char* what;
  const char* storedEmail;  // loaded into the window
  const char* fileName;
  FolderContents before;
  bool unwritable;
};

class FailedSaving : public Exporting, public ::testing::WithParamInterface<FailedCase> {};

TEST_P(FailedSaving, TellsAndLeavesTheFolderAsItWas) {
  const FailedCase& c = GetParam();
  for (const auto& [name, bytes] : c.before) folder.put(name, bytes);
  ASSERT_TRUE(QDir().mkdir(folder.path("subfolder")));
  FolderContents before = folder.contents();
  if (c.unwritable) folder.makeUnwritable();
  storedEmail = c.storedEmail;
  openWith();
  ASSERT_EQ(windowBefore.emailAddress, c.storedEmail);
  dialogs.saveFileName = folder.path(c.fileName);
  save(c.unwritable);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].first, kFailureCaption);
  EXPECT_EQ(dialogs.messages[0].second, kFailureText);
  EXPECT_EQ(folder.contents(), before);
  expectWindowAndRegistryUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedSaving,
    ::testing::Values(FailedCase{"unwritable folder", "admin", "agent.reg", {}, true},
                      FailedCase{"unwritable folder keeps older file", "admin", "agent.reg", {{"agent.reg", "older"}},
                                 true},
                      FailedCase{"missing folder", "admin", "missing/agent.reg", {}, false},
                      FailedCase{"name of a folder", "admin", "subfolder", {}, false},
                      FailedCase{"line break in address keeps older file", "a\r\nb", "agent.reg",
                                 {{"agent.reg", "older"}}, false}),
    testing::CaseName());

}  // namespace
}  // namespace marovel::main_window
