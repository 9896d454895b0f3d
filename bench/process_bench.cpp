// Runs whole programs in turn, many times, and gives each one's median wall time and peak
// memory, so that scripts/bench can set a program beside another under the same conditions.
// usage: process_bench --runs N --label NAME PROGRAM [ARGS...] [--label NAME PROGRAM [ARGS...]]...
// Prints one line per program: label, wall ms, peak KiB, CPU ms (user and system), tab-separated.
// Fails if a run fails.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Program {
  std::string label;
  std::vector<std::string> argv;
  std::vector<double> wallMs;
  std::vector<double> peakKib;
  std::vector<double> cpuMs;
};

struct Plan {
  int runs = 10;
  std::vector<Program> programs;
};

Plan planFrom(int argc, char** argv) {
  Plan plan;
  for (int n = 1; n < argc; ++n) {
    const std::string argument = argv[n];
    if (argument == "--runs" && n + 1 < argc) {
      plan.runs = std::max(1, std::atoi(argv[++n]));
    } else if (argument == "--label" && n + 1 < argc) {
      plan.programs.push_back({argv[++n], {}, {}, {}, {}});
    } else if (!plan.programs.empty()) {
      plan.programs.back().argv.push_back(argument);
    }
  }
  return plan;
}

double millisecondsOf(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }

// One run with no input and its output discarded; false when it does not exit with 0.
bool runOnce(Program& program, bool counted) {
  std::vector<char*> arguments;
  for (auto& argument : program.argv) arguments.push_back(argument.data());
  arguments.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, arguments[0], &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  struct rusage usage {};
  if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid) return false;
  const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
  if (counted) {
    program.wallMs.push_back(wall.count());
    program.peakKib.push_back(static_cast<double>(usage.ru_maxrss));
    program.cpuMs.push_back(millisecondsOf(usage.ru_utime) + millisecondsOf(usage.ru_stime));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  Plan plan = planFrom(argc, argv);
  if (plan.programs.empty()) {
    std::fprintf(stderr, "usage: %s --runs N --label NAME PROGRAM [ARGS...] [--label ...]\n", argv[0]);
    return 2;
  }
  // The first round warms the file cache and is not counted; then the programs take turns.
  for (int round = 0; round <= plan.runs; ++round) {
    for (Program& program : plan.programs) {
      if (program.argv.empty() || !runOnce(program, round > 0)) {
        std::fprintf(stderr, "process_bench: %s failed\n", program.label.c_str());
        return 1;
      }
    }
  }
  for (const Program& program : plan.programs) {
    std::printf("%s\t%.2f\t%.0f\t%.2f\n", program.label.c_str(), median(program.wallMs), median(program.peakKib),
                median(program.cpuMs));
  }
  return 0;
}
