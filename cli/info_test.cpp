#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_run.h"
#include "cli/commands.h"
#include "cli/info_subjects.h"
#include "core/dispatch.h"
#include "frame/catalogue.h"

namespace zs::cli {
namespace {

using testing::Outcome;
using testing::run;

// The command runs what it lists for real: every listed member of a built
// class must exist and answer something, which a member that acts (ending the
// session, sleeping, changing a mode) does not.
TEST(InfoSubjects, NameMembersThatExistAndAnswerAValue) {
  for (const InfoSubject& subject : infoSubjects()) {
    const ClassInfo* cls = findClass(subject.className);
    ASSERT_NE(cls, nullptr) << subject.className;
    if (!cls->built()) continue;
    if (!subject.setup.empty()) {
      EXPECT_NE(findMember(*cls, subject.setup, CallKind::Let), nullptr) << subject.setup;
    }
    for (std::string_view name : subject.members) {
      const Member* m = findMember(*cls, name, CallKind::Default);
      ASSERT_NE(m, nullptr) << subject.className << "." << name;
      EXPECT_NE(m->result.type, Type::Void) << subject.className << "." << name;
      std::size_t required = 0;
      for (const Param& p : m->params) required += p.optional ? 0 : 1;
      EXPECT_LE(required, 1u) << subject.className << "." << name;
    }
  }
}

TEST(InfoCommand, ListsEachMemberOnceWithTheConstantsOfAnEnumeratedParameter) {
  const Outcome r = run({"info", "--drive", "/"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nZSDiskInfo.TotalSpace: Currency "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nZSSpecialFolders.SpecialFolders(zvaTemp): String \""), std::string::npos);
  EXPECT_EQ(r.out.find("SetCurrentDir"), std::string::npos);
}

TEST(InfoCommand, RefusesUnknownArguments) {
  EXPECT_EQ(run({"info", "--drives"}).status, 2);
  EXPECT_EQ(run({"info", "--file"}).status, 2);
}

TEST(CallLet, SetsPropertiesInOrderBeforeTheCall) {
  const Outcome r = run({"call", "ZSDiskInfo", "--let", "DriveName=/", "DriveName"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Result: String \"/\"\n");
  const Outcome twice = run({"call", "ZSDiskInfo", "--let=DriveName=/a", "--let", "DriveName=/b",
                         "DriveName"});
  EXPECT_EQ(twice.out, "Result: String \"/b\"\n");
}

TEST(CallLet, ReportsAMalformedOrUnknownAssignment) {
  EXPECT_EQ(run({"call", "ZSDiskInfo", "--let", "=x", "DriveName"}).status, 2);
  EXPECT_EQ(run({"call", "ZSDiskInfo", "--let"}).status, 2);
  const Outcome unknown = run({"call", "ZSDiskInfo", "--let", "NoSuch=1", "DriveName"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("Error 438"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace zs::cli
