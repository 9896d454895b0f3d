// Where the agent fetches its updates and sends its reports and quarantine information.
#pragma once

#include <string>

namespace marovel::forms {

struct AgentLocations {
  std::string updateUrl;
  std::string reportUploadPath;
  std::string quarantinePath;
  std::string quarantineUploadUrl;
  std::string quarantineSubmitUrl;
};

// Reads the five locations; missing ones are empty. The update URL's e-mail parameter is
// repaired and the URL written back first, but only when a text was stored there: the
// write-back never creates a value.
AgentLocations loadAgentLocations();

}  // namespace marovel::forms
