// As root, a store is used only where no other user could have put it or could change it under
// root's feet: the rule sudo applies to what it reads and git to the repositories it works in.
#pragma once

#include <string>

namespace marovel::standin {

// For a process running as root: the store's path with every link resolved, once every folder on
// the way, every link and the store file (if there is one) have been found to be root's and
// writable by no one else. A sticky folder (/tmp) may be passed through to an entry of root's, but
// the store's own folder may be written by root alone, since the store's companion files are
// made in it. Throws ERROR_ACCESS_DENIED saying what another user controls. Anyone else works on
// stores of their own choosing: the path comes back as given.
std::string trustedStorePath(const std::string& path);

}  // namespace marovel::standin
