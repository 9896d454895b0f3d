#include "policy_template.h"

#include <algorithm>
#include <stdexcept>

#include "agent_settings_schema.h"
#include "interval_field.h"
#include "main_window_form.h"

namespace marovel::policy_template {
namespace {

using settings::AgentSettingRow;
namespace window = forms::main_window;

enum class Language { German, English };

constexpr std::string_view kNamespace = "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions";
constexpr std::string_view kCategory = "QorviAgent";
constexpr std::string_view kSupportedOn = "SupportedOn64BitWindows";

enum class Kind { Flag, Interval, Text };

struct Policy {
  std::string_view name;  // the policy's, its element's and its presentation's id
  AgentSettingRow row;
  Kind kind;
  window::Control label;  // the window's label that names the setting
  window::Control field;  // the control that holds it
  std::string_view englishName;
  std::string_view germanPurpose, englishPurpose;
};

// In the window's order.
constexpr std::array kPolicies{
    Policy{"RelayServer", AgentSettingRow::RelayServerEnabled, Kind::Flag, window::RelayLabel, window::RelayCheck,
           "Act as relay server", "ob der Qorvi-Agent dieses Rechners als Relay-Server arbeitet",
           "whether this machine's Qorvi agent works as a relay server"},
    Policy{"UpdateInterval", AgentSettingRow::UpdateSuccessTime, Kind::Interval, window::UpdateIntervalLabel,
           window::UpdateIntervalField, "Update interval", "die Minuten zwischen den regelmäßigen Updates des Agents",
           "the minutes between the agent's regular updates"},
    Policy{"RetryInterval", AgentSettingRow::UpdateFailureTime, Kind::Interval, window::RetryIntervalLabel,
           window::RetryIntervalField, "Update interval after failed attempts",
           "die Minuten bis zum nächsten Versuch nach einem fehlgeschlagenen Update",
           "the minutes until the next attempt after a failed update"},
    Policy{"EmailAddress", AgentSettingRow::EmailAddress, Kind::Text, window::EmailLabel, window::EmailField,
           "E-mail address", "die E-Mail-Adresse des Administrators beim Agent",
           "the administrator's e-mail address the agent uses"},
};

std::string caption(window::Control control) {
  return forms::captionText(forms::controlOf(window::description(), control).caption);
}

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string number(double value) { return std::to_string(static_cast<long long>(value)); }

// The agent is a 32-bit program; the 64-bit Group Policy client reaches its view by this name.
std::string policyKey(const Policy& policy) {
  constexpr std::string_view software = "Software\\";
  const std::string_view key = settings::agentSetting(policy.row).writeKey;
  if (!key.starts_with(software)) throw std::logic_error("not under Software: " + std::string(key));
  return "Software\\WOW6432Node\\" + std::string(key.substr(software.size()));
}

std::string_view valueName(const Policy& policy) { return settings::agentSetting(policy.row).valueName; }

// The registry's milliseconds for a choice of minutes, converted as the window converts a field.
std::int32_t milliseconds(int minutes) {
  const std::string text = std::to_string(minutes);
  const auto converted = settings::intervalTextToMilliseconds(text, '.');
  if (!settings::isAcceptedIntervalText(text, '.') || !converted) {
    throw std::logic_error("the window refuses " + text + " minutes");
  }
  return *converted;
}

// The item the editor preselects: the window's own initial text for the field.
std::size_t defaultItem(const Policy& policy) {
  const std::string initial = caption(policy.field);
  const auto found = std::ranges::find(kIntervalMinutes, std::stoi(initial));
  if (found == kIntervalMinutes.end()) throw std::logic_error("no choice for the window's " + initial);
  return static_cast<std::size_t>(found - kIntervalMinutes.begin());
}

std::string minutesName(int minutes) { return "Minutes_" + std::to_string(minutes); }

std::string quoted(Language language, std::string_view text) {
  return language == Language::German ? "„" + std::string(text) + "“" : "\"" + std::string(text) + "\"";
}

std::string stateTexts(const Policy& policy, Language language) {
  const bool de = language == Language::German;
  const std::string min = number(settings::kMinIntervalMinutes), max = number(settings::kMaxIntervalMinutes);
  switch (policy.kind) {
    case Kind::Flag:
      return de ? "Aktiviert: schreibt 1, wie das angekreuzte Kontrollkästchen.\n"
                  "Deaktiviert: schreibt 0, wie das leere Kontrollkästchen.\n"
                  "Nicht konfiguriert: schreibt nichts."
                : "Enabled: writes 1, as the ticked check box does.\n"
                  "Disabled: writes 0, as the cleared check box does.\n"
                  "Not configured: writes nothing.";
    case Kind::Interval:
      return de ? "Aktiviert: schreibt die gewählten Minuten in Millisekunden (Minuten × " +
                      std::to_string(settings::kMillisecondsPerMinute) +
                      "), wie das Fenster sie umrechnet. Zur Wahl stehen Teiler eines Tages von " + min + " bis " +
                      max + " Minuten, so dass die Updates jeden Tag zu denselben Zeiten kommen; im Fenster geht "
                      "jede Zahl von " + min + " bis " + max + " (" + quoted(language, window::kIntervalRefusal) +
                      ").\nDeaktiviert: löscht den Wert, wie " + quoted(language, settings::NoValueMarker) +
                      " im Feld.\nNicht konfiguriert: schreibt nichts."
                : "Enabled: writes the chosen minutes as milliseconds (minutes × " +
                      std::to_string(settings::kMillisecondsPerMinute) +
                      "), as the window converts them. The choices are divisors of a day from " + min + " to " + max +
                      " minutes, so that updates come at the same times every day; the window takes any number "
                      "from " + min + " to " + max + " (" + quoted(language, window::kIntervalRefusal) +
                      ").\nDisabled: deletes the value, as " + quoted(language, settings::NoValueMarker) +
                      " in the field does.\nNot configured: writes nothing.";
    case Kind::Text:
      return de ? "Aktiviert: schreibt den eingegebenen Text als REG_SZ. Wie im Fenster nur Zeichen, die die "
                  "ANSI-Codepage des Rechners kennt (für Deutsch Windows-1252: Umlaute und ß ja, griechische oder "
                  "kyrillische Buchstaben nein): das Fenster nimmt andere nicht an, der Agent läse sie als „?“. Leer "
                  "bleiben darf das Feld nicht, denn ein leeres Feld schreibt auch das Fenster nicht.\n"
                  "Deaktiviert: löscht die gespeicherte Adresse. So behandelt der Gruppenrichtlinien-Editor jeden "
                  "Text einer deaktivierten Richtlinie; im Fenster gibt es dazu kein Gegenstück.\n"
                  "Nicht konfiguriert: schreibt nichts, wie ein leeres Feld im Fenster: eine gespeicherte Adresse "
                  "bleibt."
                : "Enabled: writes the text entered as REG_SZ. As in the window, only characters the machine's ANSI "
                  "code page holds (Windows-1252 for Western languages: umlauts and ß yes, Greek or Cyrillic letters "
                  "no): the window takes no others, and the agent would read them as \"?\". The field may not stay "
                  "empty, as the window writes no empty field either.\n"
                  "Disabled: deletes the stored address. The Group Policy editor treats every text of a disabled "
                  "policy so; the window has no counterpart.\n"
                  "Not configured: writes nothing, as an empty field in the window: a stored address stays.";
  }
  return {};
}

std::string help(const Policy& policy, Language language) {
  const bool de = language == Language::German;
  const std::string where = "HKEY_LOCAL_MACHINE\\" + policyKey(policy);
  const std::string save = quoted(language, caption(window::SaveButton));
  std::string text = de ? "Im Marovel Configuration Manager " +
                              std::string(policy.kind == Kind::Flag ? "das Kontrollkästchen " : "das Feld ") +
                              quoted(language, caption(policy.label)) + ": " + std::string(policy.germanPurpose) + "."
                        : "In Marovel Configuration Manager the " +
                              std::string(policy.kind == Kind::Flag ? "check box " : "field ") +
                              quoted(language, caption(policy.label)) + " (" + std::string(policy.englishName) +
                              "): " + std::string(policy.englishPurpose) + ".";
  text += "\n\n" + stateTexts(policy, language) + "\n\n";
  text += de ? "Der Wert " + std::string(valueName(policy)) + " liegt unter " + where +
                   ", wo der Agent ihn liest, und nicht unter Software\\Policies: Er bleibt nach dem Entfernen der "
                   "Richtlinie (oder bei „Nicht konfiguriert“) so, wie zuletzt geschrieben, bis er wieder geändert "
                   "wird. Nur für 64-Bit-Windows; unter 32-Bit-Windows die mit " + save +
                   " gesicherte .reg-Datei verwenden."
             : "The value " + std::string(valueName(policy)) + " lies under " + where +
                   ", where the agent reads it, not under Software\\Policies: it stays as last written after the "
                   "policy is removed (or set to Not configured), until it is changed again. For 64-bit Windows "
                   "only; on 32-bit Windows use the .reg file saved with " + save + ".";
  return text;
}

std::string policyName(const Policy& policy, Language language) {
  return language == Language::German ? caption(policy.label) : std::string(policy.englishName);
}

std::string minutesText(int minutes, Language language) {
  if (language == Language::German) return std::to_string(minutes) + " " + caption(window::UpdateMinutesLabel);
  return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
}

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

std::string rootAttributes() {
  return " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
         " revision=\"1.0\" schemaVersion=\"1.0\" xmlns=\"" + std::string(kNamespace) + "\"";
}

std::string decimal(std::int64_t value) { return "<decimal value=\"" + std::to_string(value) + "\" />"; }

std::string policyDefinition(const Policy& policy) {
  const std::string name(policy.name);
  std::string x = "    <policy name=\"" + name + "\" class=\"Machine\" displayName=\"$(string." + name +
                  ")\" explainText=\"$(string." + name + "_Help)\"";
  if (policy.kind != Kind::Flag) x += " presentation=\"$(presentation." + name + ")\"";
  x += " key=\"" + escaped(policyKey(policy)) + "\"";
  if (policy.kind == Kind::Flag) x += " valueName=\"" + escaped(valueName(policy)) + "\"";
  x += ">\n      <parentCategory ref=\"" + std::string(kCategory) + "\" />\n      <supportedOn ref=\"" +
       std::string(kSupportedOn) + "\" />\n";
  // Disabled deletes the elements' values: the editor does so for every element of a disabled policy.
  switch (policy.kind) {
    case Kind::Flag:  // as the check box writes
      x += "      <enabledValue>" + decimal(1) + "</enabledValue>\n      <disabledValue>" + decimal(0) +
           "</disabledValue>\n";
      break;
    case Kind::Interval:
      x += "      <elements>\n        <enum id=\"" + name + "\" valueName=\"" + escaped(valueName(policy)) +
           "\" required=\"true\">\n";
      for (int minutes : kIntervalMinutes) {
        x += "          <item displayName=\"$(string." + minutesName(minutes) + ")\"><value>" +
             decimal(milliseconds(minutes)) + "</value></item>\n";
      }
      x += "        </enum>\n      </elements>\n";
      break;
    case Kind::Text:
      x += "      <elements>\n        <text id=\"" + name + "\" valueName=\"" + escaped(valueName(policy)) +
           "\" required=\"true\" maxLength=\"" + std::to_string(kEmailMaxLength) + "\" />\n      </elements>\n";
      break;
  }
  return x + "    </policy>\n";
}

std::string admx() {
  std::string x(kXmlDeclaration);
  x += "<policyDefinitions" + rootAttributes() + ">\n";
  x += "  <policyNamespaces>\n    <target prefix=\"qorvi\" namespace=\"Marovel.Policies." + std::string(kFileStem) +
       "\" />\n  </policyNamespaces>\n";
  x += "  <resources minRequiredRevision=\"1.0\" />\n";
  x += "  <supportedOn>\n    <definitions>\n      <definition name=\"" + std::string(kSupportedOn) +
       "\" displayName=\"$(string." + std::string(kSupportedOn) + ")\" />\n    </definitions>\n  </supportedOn>\n";
  x += "  <categories>\n    <category name=\"" + std::string(kCategory) + "\" displayName=\"$(string." +
       std::string(kCategory) + ")\" explainText=\"$(string." + std::string(kCategory) + "_Help)\" />\n  </categories>\n";
  x += "  <policies>\n";
  for (const Policy& policy : kPolicies) x += policyDefinition(policy);
  return x + "  </policies>\n</policyDefinitions>\n";
}

std::string stringEntry(std::string_view id, std::string_view text) {
  return "      <string id=\"" + std::string(id) + "\">" + escaped(text) + "</string>\n";
}

std::string presentation(const Policy& policy, Language language) {
  const std::string name(policy.name);
  const std::string label = escaped(policyName(policy, language));
  std::string x = "      <presentation id=\"" + name + "\">\n";
  if (policy.kind == Kind::Interval) {
    x += "        <dropdownList refId=\"" + name + "\" noSort=\"true\" defaultItem=\"" +
         std::to_string(defaultItem(policy)) + "\">" + label + "</dropdownList>\n";
  } else {
    x += "        <textBox refId=\"" + name + "\">\n          <label>" + label + "</label>\n        </textBox>\n";
  }
  return x + "      </presentation>\n";
}

std::string adml(Language language) {
  const bool de = language == Language::German;
  std::string x(kXmlDeclaration);
  x += "<policyDefinitionResources" + rootAttributes() + ">\n";
  x += de ? "  <displayName>Qorvi-Agent</displayName>\n  <description>Die Einstellungen des Qorvi-Agents, die der "
            "Marovel Configuration Manager ändert</description>\n"
          : "  <displayName>Qorvi agent</displayName>\n  <description>The Qorvi agent's settings that Marovel "
            "Configuration Manager changes</description>\n";
  x += "  <resources>\n    <stringTable>\n";
  x += stringEntry(kCategory, de ? "Qorvi-Agent" : "Qorvi agent");
  x += stringEntry(std::string(kCategory) + "_Help",
                   de ? "Die vier Einstellungen des Qorvi-Agents, die das Fenster des Marovel Configuration Manager "
                        "ändert, für viele Rechner auf einmal. Sie gelten für 64-Bit-Windows."
                      : "The four settings of the Qorvi agent that Marovel Configuration Manager's window changes, "
                        "for many machines at once. They apply to 64-bit Windows.");
  x += stringEntry(kSupportedOn, de ? "64-Bit-Windows mit dem Qorvi-Agent" : "64-bit Windows with the Qorvi agent");
  for (const Policy& policy : kPolicies) {
    x += stringEntry(policy.name, policyName(policy, language));
    x += stringEntry(std::string(policy.name) + "_Help", help(policy, language));
  }
  for (int minutes : kIntervalMinutes) x += stringEntry(minutesName(minutes), minutesText(minutes, language));
  x += "    </stringTable>\n    <presentationTable>\n";
  for (const Policy& policy : kPolicies) {
    if (policy.kind != Kind::Flag) x += presentation(policy, language);
  }
  return x + "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
}

}  // namespace

std::vector<TemplateFile> templateFiles() {
  const std::string admlName = std::string(kFileStem) + ".adml";
  return {{std::string(kFileStem) + ".admx", admx()},
          {std::filesystem::path("de-DE") / admlName, adml(Language::German)},
          {std::filesystem::path("en-US") / admlName, adml(Language::English)}};
}

}  // namespace marovel::policy_template
