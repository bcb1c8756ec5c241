#include "frame/change_notices.h"

#include <gtest/gtest.h>

namespace zs {
namespace {

constexpr DispId kCaption = 0x68030001, kImage = 0x68030002, kStyle = 0x68030003;

// What the control reports during one assignment, and the notices that follow.
TEST(ChangeNotices, OneNoticePerPropertyAfterTheAssignment) {
  struct Case {
    const char* what;
    bool succeeded;
    std::vector<DispId> reports;
    std::vector<DispId> notices;
  };
  const Case cases[] = {
      {"a control that reports nothing", true, {}, {kCaption}},
      {"a control that reports its own name", true, {kCaption}, {kCaption}},
      {"reported twice", true, {kCaption, kCaption}, {kCaption}},
      {"another name only", true, {kImage}, {kImage, kCaption}},
      {"another name after its own", true, {kCaption, kImage}, {kCaption, kImage}},
      {"failed without reports", false, {}, {}},
      {"failed after a report", false, {kImage}, {kImage}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ChangeNotices notices;
    notices.beginAssignment(kCaption);
    for (DispId r : c.reports) EXPECT_FALSE(notices.reported(r));
    EXPECT_EQ(notices.endAssignment(c.succeeded), c.notices);
  }
}

TEST(ChangeNotices, ReportsOutsideAnAssignmentGoAtOnce) {
  ChangeNotices notices;
  EXPECT_EQ(notices.reported(kStyle), kStyle);
  EXPECT_EQ(notices.reported(kStyle), kStyle);
  notices.beginAssignment(kCaption);
  EXPECT_EQ(notices.endAssignment(true), std::vector<DispId>{kCaption});
  // Nothing is left over from the last assignment.
  EXPECT_EQ(notices.reported(kImage), kImage);
  EXPECT_TRUE(notices.endAssignment(true).empty());
}

}  // namespace
}  // namespace zs
