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

// A started program; Finish waits for it and collects what it printed.
class Program {
 public:
  // Starts feriant with `args` in `cwd`, with an environment of only TZ, HOME and
  // XDG_CONFIG_HOME (below `home`), the sanitizer settings of this process, and `env`
  // ("NAME=value", later entries win). Standard input is /dev/null; standard output goes
  // to `stdout_file` (an existing file or device) when one is given. With
  // `interrupts_blocked` it starts with SIGINT and SIGTERM blocked, so that one sent at
  // once waits for the program to take it.
  Program(const std::vector<std::string>& args, const std::vector<std::string>& env,
          const fs::path& cwd, const fs::path& home, const fs::path& stdout_file = {},
          bool interrupts_blocked = false)
      : out_file_(home / "stdout"), err_file_(home / "stderr") {
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

    std::vector<std::string> argv_text = {FERIANT_PROGRAM};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argv_text)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment)
      envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (stdout_file.empty()) {
      posix_spawn_file_actions_addopen(&actions, 1, out_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0600);
    } else {
      posix_spawn_file_actions_addopen(&actions, 1, stdout_file.c_str(), O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (interrupts_blocked) {
      sigset_t blocked;
      sigemptyset(&blocked);
      sigaddset(&blocked, SIGINT);
      sigaddset(&blocked, SIGTERM);
      posix_spawnattr_setsigmask(&attributes, &blocked);
      posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    }
    const int spawned =
        posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), envp.data());
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
