// The administrative template as the Group Policy editor reads it: for every policy and state,
// the registry writes it describes equal what "Über&nehmen" writes for the same settings, and
// every string and presentation the ADMX names is defined in both languages.
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <map>

#include "main_window_presenting.h"

namespace marovel::forms {
namespace {

const QString kFolder = MAROVEL_POLICY_FOLDER;
const std::string kTyped = "M\xC3\xBCller-IT@example.de";

// One change the Group Policy client makes; type 0 deletes the value.
struct Write {
  std::string key, valueName;
  DWORD type;
  SettingValue data;
};

struct PolicyState {
  std::string policy, state, shown;  // shown: the minutes an item names, or the text typed
  std::vector<Write> writes;
};

QDomDocument readXml(const QString& path) {
  QFile file(path);
  QDomDocument document;
  EXPECT_TRUE(file.open(QIODevice::ReadOnly) && document.setContent(&file, true)) << path.toStdString();
  EXPECT_EQ(document.documentElement().namespaceURI(),
            "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions");
  return document;
}

std::map<QString, QString> idsOf(const QDomDocument& adml, const QString& tag) {
  std::map<QString, QString> texts;
  const QDomNodeList list = adml.elementsByTagName(tag);
  for (int i = 0; i < list.size(); ++i) texts[list.at(i).toElement().attribute("id")] = list.at(i).toElement().text();
  return texts;
}

Write writeOf(const QDomElement& value, const QString& key, const QString& name) {
  const QDomElement data = value.firstChildElement();
  if (data.tagName() == "decimal") return {key.toStdString(), name.toStdString(), REG_DWORD, std::int32_t(data.attribute("value").toUInt())};
  if (data.tagName() == "string") return {key.toStdString(), name.toStdString(), REG_SZ, data.text().toStdString()};
  return {key.toStdString(), name.toStdString(), 0, {}};
}

// Each policy's states as the editor writes them: a disabled policy deletes all its elements' values.
std::vector<PolicyState> templateStates(const QDomDocument& admx, const std::map<QString, QString>& english) {
  std::vector<PolicyState> states;
  const QDomElement policies = admx.documentElement().firstChildElement("policies");
  for (QDomElement p = policies.firstChildElement(); !p.isNull(); p = p.nextSiblingElement()) {
    EXPECT_EQ(p.attribute("class"), "Machine");
    const std::string name = p.attribute("name").toStdString();
    const QString key = p.attribute("key");
    std::vector<Write> disabled;
    if (const QDomElement on = p.firstChildElement("enabledValue"); !on.isNull()) {
      states.push_back({name, "Enabled", "", {writeOf(on, key, p.attribute("valueName"))}});
      disabled.push_back(writeOf(p.firstChildElement("disabledValue"), key, p.attribute("valueName")));
    }
    const QDomElement elements = p.firstChildElement("elements");
    for (QDomElement e = elements.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
      const QString elementKey = e.attribute("key", key), valueName = e.attribute("valueName");
      disabled.push_back({elementKey.toStdString(), valueName.toStdString(), 0, {}});
      for (QDomElement item = e.firstChildElement("item"); !item.isNull(); item = item.nextSiblingElement("item")) {
        const QString shown = english.at(item.attribute("displayName").mid(9).chopped(1));  // $(string.X)
        states.push_back({name, "Enabled", shown.section(' ', 0, 0).toStdString(),
                          {writeOf(item.firstChildElement("value"), elementKey, valueName)}});
      }
      if (e.tagName() == "text") {
        states.push_back({name, "Enabled", kTyped, {{elementKey.toStdString(), valueName.toStdString(), REG_SZ, kTyped}}});
      }
    }
    states.push_back({name, "Disabled", "", disabled});
    states.push_back({name, "Not configured", "", {}});
  }
  return states;
}

// Where each policy must write, letter case included, and the window's control for it.
const std::string kAgent = "Software\\WOW6432Node\\Qorvi\\Agent";
const std::map<std::string, std::pair<std::string, Control>> kTargets{
    {"RelayServer", {kAgent + "\\SubSystems\\Brisel\\configuration\\dwBrisel2ServerEnabled", RelayCheck}},
    {"UpdateInterval", {kAgent + "\\SubSystems\\Forvel\\Configuration\\dwUpdateSuccessTime", UpdateIntervalField}},
    {"RetryInterval", {kAgent + "\\SubSystems\\Forvel\\Configuration\\dwUpdateFailureTime", RetryIntervalField}},
    {"EmailAddress", {kAgent + "\\szEmailAddress", EmailField}},
};

// What the window's control holds for a state; none where the window has no such setting.
std::optional<std::string> windowText(const PolicyState& s) {
  if (s.policy == "EmailAddress" && s.state != "Disabled") return s.shown;  // empty writes nothing
  if (s.policy == "EmailAddress" || s.state == "Not configured") return std::nullopt;
  if (s.policy == "RelayServer") return s.state == "Enabled" ? "on" : "off";
  return s.state == "Enabled" ? s.shown : "-";
}

using PolicyTemplate = MainWindowPresenting;

TEST_F(PolicyTemplate, EveryStateWritesWhatApplyingTheWindowWrites) {
  const auto english = idsOf(readXml(kFolder + "/en-US/QorviAgent.adml"), "string");
  int compared = 0;
  for (const PolicyState& s : templateStates(readXml(kFolder + "/QorviAgent.admx"), english)) {
    const std::optional<std::string> shown = windowText(s);
    if (!shown) continue;
    SCOPED_TRACE(s.policy + ": " + s.state + " " + s.shown);
    ++compared;
    const auto [valuePath, control] = kTargets.at(s.policy);
    store.clear();
    seed({{kBriselKey, kRelay, 2}, {kForvelKey, kSuccess, 420000}, {kForvelKey, kFailure, 90000},
          {kAgentKey, kEmail, "vorher@example.de"}});
    open('.');
    if (control == RelayCheck) view.setChecked(RelayCheck, *shown == "on");
    if (control != RelayCheck) view.setText(control, *shown);
    presenter->onApplyClicked();
    if (s.writes.empty()) EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{"vorher@example.de"});
    for (const Write& write : s.writes) {
      EXPECT_EQ(write.key + "\\" + write.valueName, valuePath);
      const std::string key = "Software\\" + write.key.substr(std::string_view("Software\\WOW6432Node\\").size());
      const auto stored = store.raw(key, write.valueName);
      ASSERT_EQ(stored.has_value(), write.type != 0);
      if (stored) EXPECT_EQ(stored->type, write.type);
      if (stored) EXPECT_EQ(store.value(key, write.valueName), write.data);
    }
  }
  // Not compared: Not configured where the window has no such state, and a disabled text, which
  // the editor deletes and the window cannot; 13 minutes for each interval.
  EXPECT_EQ(compared, 2 + 2 * (13 + 1) + 2);
}

TEST(PolicyTemplateStrings, EveryNamedStringAndPresentationIsDefinedInBothLanguages) {
  QFile admx(kFolder + "/QorviAgent.admx");
  ASSERT_TRUE(admx.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(admx.readAll());
  const QRegularExpression reference(R"(\$\((string|presentation)\.([^)]*)\))");
  for (const char* language : {"de-DE", "en-US"}) {
    const QDomDocument adml = readXml(kFolder + "/" + language + "/QorviAgent.adml");
    const auto strings = idsOf(adml, "string"), presentations = idsOf(adml, "presentation");
    int references = 0;
    for (auto match = reference.globalMatch(text); match.hasNext(); ++references) {
      const auto found = match.next();
      EXPECT_TRUE((found.captured(1) == "string" ? strings : presentations).contains(found.captured(2)))
          << language << ": " << found.captured(0).toStdString();
    }
    // The category with its help, the platform, four names with their help, 2 × 13 minutes, 3 presentations.
    EXPECT_EQ(references, 2 + 1 + 8 + 2 * 13 + 3) << language;
  }
  const auto german = idsOf(readXml(kFolder + "/de-DE/QorviAgent.adml"), "string");  // the window's own texts
  EXPECT_EQ(german.at("RelayServer"), "Als Relay-Server einstellen");
  EXPECT_EQ(german.at("UpdateInterval"), "Updateintervall");
  EXPECT_EQ(german.at("RetryInterval"), "Updateintervall nach Fehlversuchen");
  EXPECT_EQ(german.at("EmailAddress"), "Email-Adresse");
}

}  // namespace
}  // namespace marovel::forms
