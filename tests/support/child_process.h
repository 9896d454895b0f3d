// A helper process started by a test, with its standard output on a pipe.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();  // kills the process if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next complete line without its newline; none at the end of the output (a line cut off by
  // the process's death does not count).
  std::optional<std::string> readLine();
  void kill(int signal);
  // The exit code, or 128 + the signal that ended it.
  int wait();

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
};
