// `zavrin reg` end to end: the built command run as its own process (no
// shell), with its store in a temporary folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/temp_folder.h"

namespace {

using zs::platform::testsupport::TempFolder;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Outcome zavrin(const TempFolder& store, std::vector<std::string> args) {
  args.insert(args.begin(), ZAVRIN_COMMAND);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::string storeVariable = "ZAVRIN_REGISTRY_DIR=" + store.path();
  char* envp[] = {storeVariable.data(), nullptr};
  const std::string outFile = store.path() + "/out.txt", errFile = store.path() + "/err.txt";

  Outcome run;
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
    execve(argv[0], argv.data(), envp);
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = readFile(outFile);
  run.err = readFile(errFile);
  return run;
}

TEST(RegCommand, AddQueryDelete) {
  TempFolder store;
  const std::string key = "HKCU\\Software\\Zs";
  const std::string ok = "The operation completed successfully.\n";
  struct Step {
    std::vector<std::string> args;
    int status;
    std::string out;  // exact, when not empty
    std::string err;  // a part of it, when not empty
  };
  const std::vector<Step> steps = {
      {{"reg", "add", key, "/v", "Name", "/d", "h\xC3\xA9 llo"}, 0, ok, ""},
      {{"reg", "add", key, "/v", "Num", "/t", "REG_DWORD", "/d", "0xff"}, 0, ok, ""},
      {{"reg", "add", key, "/v", "Bin", "/t", "reg_binary", "/d", "41ff"}, 0, ok, ""},
      {{"reg", "add", key, "/ve", "/d", "default"}, 0, ok, ""},
      {{"reg", "add", "HKEY_CURRENT_USER\\Software\\Zs\\Sub\\Deeper"}, 0, ok, ""},
      {{"reg", "query", key}, 0,
       "\nHKEY_CURRENT_USER\\Software\\Zs\n"
       "    Name    REG_SZ    h\xC3\xA9 llo\n"
       "    Num    REG_DWORD    0xff\n"
       "    Bin    REG_BINARY    41FF\n"
       "    (Default)    REG_SZ    default\n"
       "\nHKEY_CURRENT_USER\\Software\\Zs\\Sub\n",
       ""},
      {{"reg", "add", key, "/v", "Num", "/t", "REG_DWORD", "/d", "4294967295", "/f"}, 0, ok, ""},
      {{"reg", "query", "hkcu\\software\\zs", "/v", "num"}, 0,
       "\nHKEY_CURRENT_USER\\software\\zs\n    num    REG_DWORD    0xffffffff\n\n", ""},
      {{"reg", "query", key, "/v", "Missing"}, 1, "", "unable to find"},
      {{"reg", "query", "HKCU\\Software\\Missing"}, 1, "", "unable to find"},
      {{"reg", "query", "HKXX\\Software"}, 1, "", "Invalid key name"},
      {{"reg", "add", key, "/v", "N", "/t", "REG_MULTI_SZ", "/d", "x"}, 2, "", "REG_SZ"},
      {{"reg", "add", key, "/v", "N", "/t", "REG_DWORD", "/d", "12abc"}, 1, "", "Invalid DWORD"},
      {{"reg", "add", key, "/v", "N", "/t", "REG_BINARY", "/d", "4"}, 1, "", "Invalid binary"},
      {{"reg", "frobnicate", key}, 2, "", "Usage"},
      {{"reg", "delete", key, "/v", "Name"}, 0, ok, ""},
      {{"reg", "delete", key, "/v", "Name"}, 1, "", "unable to find"},
      {{"reg", "delete", key}, 0, ok, ""},
      {{"reg", "query", key}, 1, "", "unable to find"},
      {{"reg", "query", "HKCU\\Software"}, 0, "\nHKEY_CURRENT_USER\\Software\n\n", ""},
  };
  for (const auto& step : steps) {
    std::string line;
    for (const auto& a : step.args) line += a + " ";
    const Outcome run = zavrin(store, step.args);
    EXPECT_EQ(run.status, step.status) << line << "\n" << run.err;
    if (!step.out.empty()) {
      EXPECT_EQ(run.out, step.out) << line;
    }
    if (!step.err.empty()) {
      EXPECT_NE(run.err.find(step.err), std::string::npos) << line << run.err;
    }
  }
}

struct Step {
  std::vector<std::string> args;
  int status;
  std::string err;  // a part of it
};

void runSteps(const TempFolder& store, const std::vector<Step>& steps) {
  for (const auto& step : steps) {
    std::string line;
    for (const auto& a : step.args) line += a.substr(0, 40) + " ";
    const Outcome run = zavrin(store, step.args);
    EXPECT_EQ(run.status, step.status) << line << "\n" << run.err;
    EXPECT_NE(run.err.find(step.err), std::string::npos) << line << "\n" << run.err;
  }
}

// Each failure names its cause as the Windows tool does, exits 1 and leaves
// the store as it was.
TEST(RegCommand, FailuresSayWhyAndChangeNothing) {
  TempFolder store;
  const std::string key = "HKCU\\Software\\Zs";
  const std::string invalid = "parameter is incorrect";
  const std::string notFound = "unable to find";
  runSteps(store, {
      {{"reg", "add", "HKCU\\Software"}, 0, ""},
      {{"reg", "add", "HKCU\\\\A"}, 1, invalid},
      {{"reg", "add", "HKCU\\Software\\\\A", "/v", "v", "/d", "x"}, 1, invalid},
      {{"reg", "add", "HKCU\\Software\\" + std::string(256, 'k')}, 1, invalid},
      {{"reg", "add", key, "/v", "B", "/t", "REG_BINARY"}, 1, "Invalid binary data"},
      {{"reg", "add", key, "/v", "B", "/t", "REG_BINARY", "/d", std::string(65536, 'a')}, 1,
       "more than 32767 bytes"},
      {{"reg", "add", key, "/v", std::string(16384, 'n'), "/d", "x"}, 1, invalid},
      {{"reg", "delete", "HKCU\\NoSuch", "/v", "x"}, 1, notFound},
      {{"reg", "delete", "HKCU\\NoSuch"}, 1, notFound},
      {{"reg", "query", key}, 1, notFound},
  });
  EXPECT_EQ(zavrin(store, {"reg", "query", "HKCU\\Software"}).out,
            "\nHKEY_CURRENT_USER\\Software\n\n");
}

TEST(RegCommand, DwordTextIsStrict) {
  TempFolder store;
  const std::string key = "HKCU\\Software\\Zs";
  const std::string bad = "Invalid DWORD data";
  const std::string range = "out of range";
  const struct {
    const char* text;
    const char* shown;  // the query output's data; empty: refused with `error`
    const std::string& error;
  } cases[] = {
      {"0x-1", "", bad},          {" 5", "", bad},       {"0x 5", "", bad},
      {"5 ", "", bad},            {"0x", "", bad},       {"+0x5", "", bad},
      {"--5", "", bad},           {"", "", bad},         {"0x100000000", "", range},
      {"4294967296", "", range},  {"-2147483649", "", range},
      {"99999999999999999999999", "", range},
      {"+7", "0x7", bad},         {"-1", "0xffffffff", bad},
      {"-2147483648", "0x80000000", bad},              {"4294967295", "0xffffffff", bad},
      {"0XfF", "0xff", bad},      {"0x00000000000000001", "0x1", bad},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("'") + c.text + "'");
    const Outcome add =
        zavrin(store, {"reg", "add", key, "/v", "N", "/t", "REG_DWORD", "/d", c.text});
    const Outcome query = zavrin(store, {"reg", "query", key, "/v", "N"});
    if (*c.shown == '\0') {
      EXPECT_EQ(add.status, 1);
      EXPECT_NE(add.err.find(c.error), std::string::npos) << add.err;
      EXPECT_EQ(query.status, 1) << "a refused add wrote the value";
    } else {
      EXPECT_EQ(add.status, 0) << add.err;
      EXPECT_NE(query.out.find(std::string("REG_DWORD    ") + c.shown + "\n"), std::string::npos)
          << query.out;
    }
    zavrin(store, {"reg", "delete", key});
  }
}

// A damaged store is reported as such, not as an empty one, and not changed.
TEST(RegCommand, DamagedStoreIsReported) {
  for (const std::string& content : {std::string(8192, 'x'), std::string("SQLite format 3")}) {
    TempFolder store;
    const std::string file = store.path() + "/user.db";
    std::ofstream(file, std::ios::binary) << content;
    runSteps(store, {
        {{"reg", "query", "HKCU\\Software"}, 1, "registry database is corrupt"},
        {{"reg", "query", "HKCU"}, 1, "registry database is corrupt"},
        {{"reg", "query", "HKCU\\Software", "/v", "x"}, 1, "registry database is corrupt"},
        {{"reg", "add", "HKCU\\Software", "/v", "x", "/d", "y"}, 1, "registry database is corrupt"},
        {{"reg", "delete", "HKCU\\Software"}, 1, "registry database is corrupt"},
    });
    EXPECT_EQ(readFile(file), content);
  }
}

// Names and data are printed with their control characters escaped, so
// none can start a line of its own or steer the terminal.
TEST(RegCommand, QueryEscapesControlCharacters) {
  TempFolder store;
  const std::string key = "HKCU\\Software\\Zs";
  const std::string data = "x\ty\x1b[31m\xC2\x9B";  // tab, escape, CSI (U+009B)
  ASSERT_EQ(zavrin(store, {"reg", "add", key, "/v", "a\nb", "/d", data}).status, 0);
  ASSERT_EQ(zavrin(store, {"reg", "add", key + "\\K\rL"}).status, 0);
  EXPECT_EQ(zavrin(store, {"reg", "query", key}).out,
            "\nHKEY_CURRENT_USER\\Software\\Zs\n"
            "    a\\x0Ab    REG_SZ    x\\x09y\\x1B[31m\\x9B\n"
            "\nHKEY_CURRENT_USER\\Software\\Zs\\K\\x0DL\n");
}

}  // namespace
