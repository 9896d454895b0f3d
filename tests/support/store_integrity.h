// SQLite's own verdict on a stand-in store file, for tests that provoke faults while it is written.
#pragma once

#include <string>

// "ok" for an intact store; else SQLite's first complaint, or why the file did not open.
std::string integrityOf(const std::string& store);
