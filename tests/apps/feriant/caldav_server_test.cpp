// feriant against a real CalDAV server: Radicale on 127.0.0.1 at a free port with its own
// storage folder and one htpasswd user, started and stopped by each test. An independent
// client (python3-caldav, tests/data/caldav/client.py) makes the calendar, adds a foreign
// event, edits on the server and reads what is there.

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "hosts/outlook/caldav_store.h"
#include "tests/apps/feriant/feriant_runner.h"

namespace feriant::testing {
namespace {

const std::string kUser = "alice";
// Distinct enough that finding it anywhere means it leaked.
const std::string kPassword = "Pw-7c1e9a-secret";
const fs::path kClient = fs::path(FERIANT_SOURCE_DIR) / "tests/data/caldav/client.py";

int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  ::close(fd);
  return ntohs(address.sin_port);
}

bool Accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  const bool open = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return open;
}

// Runs `argv` with `env` added to this process's environment; returns its exit status
// and what it printed.
Output RunTool(std::vector<std::string> argv, const std::vector<std::string>& env,
               const fs::path& scratch) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry)
    environment.emplace_back(*entry);
  environment.insert(environment.end(), env.begin(), env.end());
  const fs::path outputs = scratch / "tool";
  fs::create_directories(outputs);
  return Program(std::move(argv), std::move(environment), outputs, SpawnOptions{}).Finish();
}

class Radicale {
 public:
  // `tls`: serve https with a certificate for 127.0.0.1 made here (certificate()).
  Radicale(const fs::path& folder, bool tls) : folder_(folder), port_(FreePort()), tls_(tls) {
    WriteAll(folder_ / "users", kUser + ":" + kPassword + "\n");
    if (tls_) {
      const Output made =
          RunTool({"/usr/bin/openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days",
                   "1", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                   "-keyout", (folder_ / "key.pem").string(), "-out", certificate().string()},
                  {}, folder_);
      EXPECT_EQ(made.exit_code, 0) << made.err;
    }
    Start();
  }
  Radicale(const Radicale&) = delete;
  Radicale& operator=(const Radicale&) = delete;
  ~Radicale() { Stop(SIGTERM); }

  void Start() {
    std::vector<std::string> argv = {"/usr/bin/python3",
                                     "-m",
                                     "radicale",
                                     "--server-hosts",
                                     "127.0.0.1:" + std::to_string(port_),
                                     "--storage-filesystem-folder",
                                     (folder_ / "storage").string(),
                                     "--auth-type",
                                     "htpasswd",
                                     "--auth-htpasswd-filename",
                                     (folder_ / "users").string(),
                                     "--auth-htpasswd-encryption",
                                     "plain",
                                     "--rights-type",
                                     "owner_only",
                                     "--logging-level",
                                     "error"};
    if (tls_) {
      for (const std::string& arg :
           {std::string("--server-ssl"), std::string("--server-certificate"),
            certificate().string(), std::string("--server-key"), (folder_ / "key.pem").string()})
        argv.push_back(arg);
    }
    std::vector<char*> args;
    for (std::string& arg : argv)
      args.push_back(arg.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = (folder_ / "radicale.log").string();
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    ASSERT_EQ(posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 200 && !Accepts(port_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(Accepts(port_)) << ReadWholeFile(log);
  }

  void Stop(int signal) {
    if (pid_ <= 0) return;
    ::kill(pid_, signal);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0) {
    }
    pid_ = -1;
  }

  std::string base() const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + "/";
  }
  // The calendar the tests use, as feriant names it (with the user, never the password).
  std::string calendar_url() const {
    return std::string(tls_ ? "https" : "http") + "://" + kUser +
           "@127.0.0.1:" + std::to_string(port_) + "/" + kUser + "/holidays/";
  }
  std::string plain_calendar_url() const { return base() + kUser + "/holidays/"; }
  fs::path certificate() const { return folder_ / "cert.pem"; }
  // The resources of the calendar in the server's storage.
  size_t StoredResources() const {
    std::error_code ignored;
    size_t count = 0;
    for (const auto& entry :
         fs::directory_iterator(folder_ / "storage/collection-root" / kUser / "holidays", ignored))
      count += entry.path().extension() == ".ics" ? 1 : 0;
    return count;
  }

 private:
  fs::path folder_;
  int port_;
  bool tls_;
  pid_t pid_ = -1;
};

class CalDavServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(home_.path() / "config");
    server_ = std::make_unique<Radicale>(dir_.path(), TlsServer());
    const Output made = Client({"make", server_->base(), "holidays", "Holidays"});
    ASSERT_EQ(made.exit_code, 0) << made.err;
  }
  virtual bool TlsServer() const { return false; }

  Output Client(std::vector<std::string> args) {
    args.insert(args.begin(), {"/usr/bin/python3", kClient.string()});
    std::vector<std::string> env = {"CALDAV_USER=" + kUser, "CALDAV_PASSWORD=" + kPassword};
    if (TlsServer()) env.push_back("CALDAV_CACERT=" + server_->certificate().string());
    return RunTool(args, env, dir_.path());
  }
  std::string Etags() { return Client({"etags", server_->plain_calendar_url()}).out; }
  std::string Events() { return Client({"events", server_->plain_calendar_url()}).out; }

  // Runs feriant with the password in the environment, and checks that it shows nowhere.
  Output Feriant(const std::vector<std::string>& args, std::vector<std::string> env = {}) {
    env.insert(env.begin(), "FERIANT_CALDAV_PASSWORD=" + kPassword);
    Output output = Program(args, env, dir_.path(), home_.path()).Finish();
    EXPECT_EQ(output.out.find(kPassword), std::string::npos) << output.out;
    EXPECT_EQ(output.err.find(kPassword), std::string::npos) << output.err;
    return output;
  }

  ScratchDir dir_;
  ScratchDir home_;
  std::unique_ptr<Radicale> server_;
};

// Each step runs on the server and on a file alike: the same messages, the same counts.
TEST_F(CalDavServerTest, RunsAsOnAFileAndRemoveRestoresTheCollection) {
  ASSERT_EQ(
      Client({"add", server_->plain_calendar_url(), "foreign-1", "Team day", "20250101"}).exit_code,
      0);
  const std::string before = Etags();
  const fs::path file = dir_.path() / "same.ics";
  const std::vector<std::string> zurich = {"--country", "CH",   "--region", "zurich",
                                           "--from",    "2025", "--to",     "2025"};
  const std::vector<std::string> bayern = {"--country", "DE",   "--region", "Bayern",
                                           "--from",    "2025", "--to",     "2025"};
  struct Step {
    const char* command;
    const std::vector<std::string>* selection;
    const char* says;  // part of what it prints
  };
  const Step steps[] = {
      {"import", &zurich, "holidays were added"},
      {"import", &zurich,
       "0 holidays were added to the Outlook calendar and 0 holidays were modified"},
      {"import", &bayern, "holidays were modified"},
      {"remove", &bayern, "holidays were removed"},
      {"remove", &zurich, "holidays were removed"},
  };
  for (const Step& step : steps) {
    std::vector<std::string> args = {step.command};
    args.insert(args.end(), step.selection->begin(), step.selection->end());
    std::vector<std::string> on_server = args;
    on_server.insert(on_server.end(), {"--calendar", server_->calendar_url()});
    args.insert(args.end(), {"--calendar", file.string()});
    const Output server = Feriant(on_server);
    const Output local = Feriant(args);
    SCOPED_TRACE(std::string(step.command) + " " + step.selection->at(1));
    EXPECT_EQ(server.exit_code, 0) << server.err;
    EXPECT_EQ(server.out, local.out);
    EXPECT_NE(server.out.find(step.says), std::string::npos) << server.out;
    // The foreign event's ETag never changes: it is never written.
    EXPECT_NE(Etags().find(before.substr(before.find(' '))), std::string::npos);
  }
  EXPECT_EQ(Etags(), before);
  EXPECT_EQ(Events(), "20250101 Team day\n");
}

TEST_F(CalDavServerTest, AChangeOnTheServerMeanwhileIsRefusedNotOverwritten) {
  ASSERT_EQ(Feriant({"import", "--country", "CH", "--region", "zurich", "--from", "2025", "--to",
                     "2025", "--calendar", server_->calendar_url()})
                .exit_code,
            0);
  outlook::ServerStoreOptions options;
  options.server.user = kUser;
  options.server.password = kPassword;
  auto store = outlook::CalDavStore::Open(server_->plain_calendar_url(), options);
  ASSERT_TRUE(store) << store.error().description;
  ASSERT_GE((*store)->size(), 2u);
  const std::string renamed = (*store)->at(0)->appointment().subject;
  const std::string kept = (*store)->at(1)->appointment().subject;
  ASSERT_EQ(
      Client({"rename", server_->plain_calendar_url(), renamed, "Renamed elsewhere"}).exit_code, 0);
  for (size_t i = 0; i < 2; ++i) {
    outlook::Appointment changed = (*store)->at(i)->appointment();
    changed.location = "Moved here";
    ASSERT_TRUE((*store)->Change(*(*store)->at(i), changed, outlook::kLocation));
  }
  const Status saved = (*store)->SaveChanges();
  ASSERT_FALSE(saved);
  EXPECT_EQ(saved.error().kind, ErrorKind::kConflict);
  EXPECT_NE(saved.error().description.find("1 appointment was saved (0 added, 1 changed"),
            std::string::npos)
      << saved.error().description;
  EXPECT_NE(saved.error().description.find("\"" + renamed + "\""), std::string::npos);
  const std::string events = Events();
  EXPECT_NE(events.find("Renamed elsewhere"), std::string::npos) << events;
  EXPECT_NE(events.find(kept), std::string::npos);
}

// The server goes away in the middle of an import: the run says what it saved, truly,
// and the next run completes the calendar without a duplicate. No process's command line
// shows the password meanwhile.
TEST_F(CalDavServerTest, AServerThatStopsMidwayLeavesTrueCountsAndNoDuplicates) {
  const std::vector<std::string> args = {
      "import", "--country", "CH",   "--all-regions", "--from",
      "2020",   "--to",      "2021", "--calendar",    server_->calendar_url()};
  const Output expected = Feriant({"list", "--country", "CH", "--all-regions", "--from", "2020",
                                   "--to", "2021", "--format", "ics"});
  size_t total = 0;
  for (size_t at = expected.out.find("BEGIN:VEVENT"); at != std::string::npos;
       at = expected.out.find("BEGIN:VEVENT", at + 1))
    ++total;
  ASSERT_GT(total, 100u);

  Program run(args, {"FERIANT_CALDAV_PASSWORD=" + kPassword}, dir_.path(), home_.path());
  bool shown = false;
  while (server_->StoredResources() < 40) {
    for (const auto& process : fs::directory_iterator("/proc")) {
      const std::string line = ReadWholeFile(process.path() / "cmdline");
      shown = shown || line.find(kPassword) != std::string::npos;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  server_->Stop(SIGKILL);
  const Output stopped = run.Finish();
  EXPECT_FALSE(shown);
  EXPECT_EQ(stopped.exit_code, 1);
  const size_t stored = server_->StoredResources();
  const std::string said = std::to_string(stored) + " appointments were saved (" +
                           std::to_string(stored) + " added, 0 changed, 0 removed)";
  // A request the server took but never answered cannot be counted as saved.
  size_t counted = 0;
  const size_t at = stopped.err.find(" appointments were saved (");
  ASSERT_NE(at, std::string::npos) << stopped.err;
  counted = std::stoul(stopped.err.substr(stopped.err.rfind(' ', at - 1) + 1));
  EXPECT_LE(counted, stored) << stopped.err;
  EXPECT_LE(stored, counted + 8) << stopped.err;
  EXPECT_NE(stopped.err.find(server_->plain_calendar_url()), std::string::npos) << stopped.err;
  EXPECT_EQ(stopped.err.find(kPassword), std::string::npos);

  server_->Start();
  const Output completed = Feriant(args);
  EXPECT_EQ(completed.exit_code, 0) << completed.err;
  EXPECT_NE(completed.out.find(std::to_string(total - stored) + " holidays were added"),
            std::string::npos)
      << completed.out;
  EXPECT_EQ(server_->StoredResources(), total);
  const std::string events = Events();
  std::set<std::string> distinct;
  size_t lines = 0;
  for (size_t from = 0, end; (end = events.find('\n', from)) != std::string::npos; from = end + 1) {
    distinct.insert(events.substr(from, end - from));
    ++lines;
  }
  EXPECT_EQ(distinct.size(), lines);
}

// What a person gets wrong, and what the server refuses: one clear line, exit 1.
TEST_F(CalDavServerTest, FailuresSayWhatWentWrongAndNameTheUrl) {
  const std::string url = server_->calendar_url();
  struct Case {
    std::string calendar;
    std::vector<std::string> env;
    std::string netrc;  // "open": a ~/.netrc that others can read
    const char* says;
  };
  const std::string closed =
      "http://alice@127.0.0.1:" + std::to_string(FreePort()) + "/alice/holidays/";
  const Case cases[] = {
      {url,
       {"FERIANT_CALDAV_PASSWORD=wrong-one"},
       "",
       "401 Unauthorized: the user name or password was not accepted"},
      {server_->calendar_url() + "../nothing/", {}, "", "cannot be read"},
      {closed, {}, "", "cannot be read"},
      {"http://alice:" + kPassword + "@127.0.0.1:1/x/",
       {},
       "",
       "a password does not belong in the URL"},
      {url, {"FERIANT_CALDAV_PASSWORD="}, "open", "can be read by other users"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    const fs::path netrc = home_.path() / ".netrc";
    fs::remove(netrc);
    if (!c.netrc.empty()) {
      WriteAll(netrc, "machine 127.0.0.1 login alice password " + kPassword + "\n");
      fs::permissions(netrc, fs::perms::owner_read | fs::perms::owner_write |
                                 fs::perms::group_read | fs::perms::others_read);
    }
    const Output output = Feriant(
        {"import", "--country", "CH", "--region", "zurich", "--calendar", c.calendar}, c.env);
    EXPECT_EQ(output.exit_code, 1);
    EXPECT_NE(output.err.find(c.says), std::string::npos) << output.err;
    EXPECT_EQ(std::count(output.err.begin(), output.err.end(), '\n'), 1) << output.err;
  }
  // A netrc of the user's alone gives the user and the password.
  const fs::path netrc = home_.path() / ".netrc";
  WriteAll(netrc, "machine 127.0.0.1 login alice password " + kPassword + "\n");
  fs::permissions(netrc, fs::perms::owner_read | fs::perms::owner_write);
  const Output found = Feriant({"calendars", "--caldav", server_->base(), "--format", "jsonl"},
                               {"FERIANT_CALDAV_PASSWORD="});
  EXPECT_EQ(found.exit_code, 0) << found.err;
  EXPECT_EQ(found.out,
            "{\"name\":\"Holidays\",\"url\":\"" + server_->plain_calendar_url() + "\"}\n");
}

class CalDavTlsTest : public CalDavServerTest {
  bool TlsServer() const override { return true; }
};

TEST_F(CalDavTlsTest, TrustsTheAuthorityItIsGivenAndNoOther) {
  const std::string cacert = server_->certificate().string();
  const Output trusted =
      Feriant({"calendars", "--caldav", server_->calendar_url(), "--cacert", cacert});
  EXPECT_EQ(trusted.exit_code, 0) << trusted.err;
  EXPECT_EQ(trusted.out, server_->plain_calendar_url() + "  Holidays\n");
  const Output imported =
      Feriant({"import", "--country", "LI", "--region", "Liechtenstein", "--from", "2025", "--to",
               "2025", "--calendar", server_->calendar_url(), "--cacert", cacert});
  EXPECT_EQ(imported.exit_code, 0) << imported.err;
  const Output untrusted = Feriant({"calendars", "--caldav", server_->calendar_url()});
  EXPECT_EQ(untrusted.exit_code, 1);
  EXPECT_NE(untrusted.err.find("certificate"), std::string::npos) << untrusted.err;
}

}  // namespace
}  // namespace feriant::testing
