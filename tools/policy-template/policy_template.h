// The administrative template for Group Policy: one ADMX with a German and an English ADML, for
// the four settings the main window edits. Keys, value names and types come from the settings
// table, names and labels from the window's form description, so the template says what the
// window does.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace marovel::policy_template {

inline constexpr std::string_view kFileStem = "QorviAgent";

// The minutes offered for either interval: divisors of a day, so that the agent's updates come at
// the same times every day, from the window's lower bound to its upper one.
inline constexpr std::array kIntervalMinutes{1, 5, 10, 15, 30, 60, 120, 180, 240, 360, 480, 720, 1440};

// The Group Policy editor's own default; far beyond the longest address mail can carry (254).
constexpr int kEmailMaxLength = 1023;

struct TemplateFile {
  std::filesystem::path path;  // within a PolicyDefinitions folder
  std::string text;            // UTF-8
};

// The ADMX, then de-DE's and en-US's ADML.
std::vector<TemplateFile> templateFiles();

}  // namespace marovel::policy_template
