#pragma once
// Runs the built feriant program as a person would, in a directory of its own with a
// fixed environment, and captures its standard output, standard error and exit status.
// For the program's tests only; one thread.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"
#include "tests/support/whole_file.h"

namespace feriant::testing {

namespace fs = std::filesystem;

struct Output {
  int exit_code = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

inline void WriteAll(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// feriant's command line: the built program, then `args`.
inline std::vector<std::string> FeriantArguments(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {FERIANT_PROGRAM};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

// The environment feriant runs in (see Program).
inline std::vector<std::string> FeriantEnvironment(const fs::path& home,
                                                   const std::vector<std::string>& env) {
  std::vector<std::string> environment = {"TZ=Europe/Berlin", "HOME=" + home.string(),
                                          "XDG_CONFIG_HOME=" + (home / "config").string()};
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name)) {
      environment.push_back(std::string(name) + "=" + value);
    }
  }
  for (const std::string& entry : env) {
    const std::string name = entry.substr(0, entry.find('=') + 1);
    std::erase_if(environment, [&](const std::string& e) { return e.starts_with(name); });
    environment.push_back(entry);
  }
  return environment;
}

// How Program starts its child besides its arguments and environment.
struct SpawnOptions {
  fs::path cwd;          // where it runs; empty: here
  fs::path stdout_file;  // an existing file or device for its output; empty: a file of ours
  // Starts with SIGINT and SIGTERM blocked, so that one sent at once waits for the
  // program to take it.
  bool interrupts_blocked = false;
};

// A started program; Finish waits for it and collects what it printed.
class Program {
 public:
  // Starts feriant with `args` in `cwd`, with an environment of only TZ, HOME and
  // XDG_CONFIG_HOME (below `home`), the sanitizer settings of this process, and `env`
  // ("NAME=value", later entries win). Standard input is /dev/null; standard output goes
  // to `stdout_file` (an existing file or device) when one is given.
  Program(const std::vector<std::string>& args, const std::vector<std::string>& env,
          const fs::path& cwd, const fs::path& home, const fs::path& stdout_file = {},
          bool interrupts_blocked = false)
      : Program(FeriantArguments(args), FeriantEnvironment(home, env), home,
                {cwd, stdout_file, interrupts_blocked}) {}

  // Starts `argv` (argv[0] a path) with exactly `environment`; what it prints goes to
  // files in `outputs`, an existing folder.
  Program(std::vector<std::string> argv, std::vector<std::string> environment,
          const fs::path& outputs, const SpawnOptions& options)
      : out_file_(outputs / "stdout"), err_file_(outputs / "stderr") {
    std::vector<char*> args;
    for (std::string& arg : argv)
      args.push_back(arg.data());
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment)
      envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (options.stdout_file.empty()) {
      posix_spawn_file_actions_addopen(&actions, 1, out_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0600);
    } else {
      posix_spawn_file_actions_addopen(&actions, 1, options.stdout_file.c_str(), O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    if (!options.cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.cwd.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (options.interrupts_blocked) {
      sigset_t blocked;
      sigemptyset(&blocked);
      sigaddset(&blocked, SIGINT);
      sigaddset(&blocked, SIGTERM);
      posix_spawnattr_setsigmask(&attributes, &blocked);
      posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    }
    const int spawned =
        posix_spawn(&pid_, args[0], &actions, &attributes, args.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
      ADD_FAILURE() << "cannot start " << argv[0] << ": error " << spawned;
      pid_ = -1;
    }
  }

  pid_t pid() const { return pid_; }

  Output Finish() {
    Output output;
    if (pid_ <= 0) return output;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0) {
    }
    pid_ = -1;
    if (WIFEXITED(status)) output.exit_code = WEXITSTATUS(status);
    if (fs::exists(out_file_)) output.out = ReadWholeFile(out_file_);
    output.err = ReadWholeFile(err_file_);
    return output;
  }

  ~Program() {
    if (pid_ > 0) Finish();
  }

 private:
  fs::path out_file_;
  fs::path err_file_;
  pid_t pid_ = -1;
};

// Runs feriant to its end; the home directory is made and removed around the run.
inline Output RunFeriantIn(const std::vector<std::string>& args,
                           const std::vector<std::string>& env, const fs::path& cwd,
                           const fs::path& stdout_file = {}) {
  const ScratchDir home;
  return Program(args, env, cwd, home.path(), stdout_file).Finish();
}

}  // namespace feriant::testing
