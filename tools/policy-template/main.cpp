// marovel-policy-template FOLDER: writes the administrative template into FOLDER, laid out as
// Windows's PolicyDefinitions folder (the ADMX, and each language's ADML in its own folder).
#include <exception>
#include <filesystem>
#include <iostream>

#include "policy_template.h"
#include "safe_file_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: marovel-policy-template FOLDER\n";
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    for (const auto& file : marovel::policy_template::templateFiles()) {
      std::filesystem::create_directories((folder / file.path).parent_path());
      marovel::regfile::writeFileSafely(folder / file.path, file.text);
    }
  } catch (const std::exception& error) {
    std::cerr << "marovel-policy-template: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
