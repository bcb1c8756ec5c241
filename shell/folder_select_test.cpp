// ZSFolderSelect over the shell32 fake: the root look-up and its fallback, the
// browse request, picks with and without a file-system path, the collection
// that only grows, and every item list freed.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "platform/testing/fake_shell32.h"
#include "shell/folder_select.h"

namespace zs {
namespace {

using platform::testing::FakeShell32;

class FolderSelectFake : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Libraries libs;
    libs.shell32 = shell;
    libs.ole32 = shell;
    browse = create<FolderBrowse>(libs);
  }
  void TearDown() override { EXPECT_EQ(shell->outstanding(), 0u) << "an item list was not freed"; }

  // Calls FolderSelect through dispatch; `title` omitted when null.
  std::shared_ptr<FolderSelectValues> call(Long folder, const char16_t* title = nullptr) {
    std::vector<Argument> args = {Argument::byReference(Variant(folder))};
    if (title) args.push_back(Argument::byReference(Variant(String(title))));
    const Variant result = invoke(*browse, "FolderSelect", CallKind::Method, args);
    EXPECT_EQ(args[0].value.lng(), folder);
    if (title) {
      EXPECT_EQ(args[1].value.string(), title);
    }
    return std::dynamic_pointer_cast<FolderSelectValues>(result.object());
  }

  std::shared_ptr<FakeShell32> shell = std::make_shared<FakeShell32>();
  std::shared_ptr<FolderBrowse> browse;
};

TEST_F(FolderSelectFake, CancelReturnsTheEmptyCollectionAndPicksOnlyGrowIt) {
  shell->setFolder(zvMyDocument, "C:\\Docs");
  const auto first = call(zvMyDocument);  // cancelled
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Count(), 0);

  shell->queuePick("Reports", "C:\\Docs\\Reports");
  shell->queuePick("Printer 2", std::nullopt);  // an item with no file-system path
  EXPECT_EQ(call(zvMyDocument, u"Pick one"), first);
  EXPECT_EQ(call(zvPrinters), first);
  EXPECT_EQ(call(zvMyDocument), first);  // cancelled: nothing appended
  ASSERT_EQ(first->Count(), 2);
  const struct {
    Long index;
    const char16_t* name;
    const char16_t* location;
  } expected[] = {{1, u"Reports", u"C:\\Docs\\Reports"}, {2, u"Printer 2", u"(virtual folder)"}};
  for (const auto& e : expected) {
    const auto item = first->Item(Variant(e.index));
    EXPECT_EQ(item->TheUserSelected, e.name);
    EXPECT_EQ(item->PhysicalLocation, e.location);
    EXPECT_EQ(first->keyAt(static_cast<std::size_t>(e.index - 1)), u"");
  }
}

TEST_F(FolderSelectFake, TheBrowseRequestCarriesTheRootTheTitleAndNothingElse) {
  shell->setFolder(zvFavorites, "C:\\Fav");
  shell->setFolderLocationOnly(zvDrives, "::drives");
  const struct {
    Long folder;
    const char16_t* title;  // null: omitted
    std::string shownTitle;
    std::optional<std::string> root;
    bool rootKnown;
    std::size_t folderLocationCalls;
  } cases[] = {
      {zvFavorites, nullptr, "Please choose a folder.", "C:\\Fav", true, 0},
      {zvFavorites, u"", "", "C:\\Fav", true, 0},  // given empty: not the default
      {zvDrives, u"T\u00edtulo $HOME", "T\xc3\xadtulo $HOME", "::drives", true, 1},
      {4242, u"x", "x", std::nullopt, false, 2},  // neither call knows it: no root
  };
  for (const auto& c : cases) {
    call(c.folder, c.title);
    const auto& request = shell->browseCalls().back();
    EXPECT_EQ(request.title, c.shownTitle);
    EXPECT_EQ(request.root, c.root);
    EXPECT_EQ(request.rootKnown, c.rootKnown);
    EXPECT_EQ(request.owner, 0u);
    EXPECT_EQ(request.flags, 0u);
    EXPECT_FALSE(request.callback);
    EXPECT_EQ(request.displayBuffer, std::string(260, ' '));
    ASSERT_EQ(shell->folderLocationCalls().size(), c.folderLocationCalls);
    if (c.folderLocationCalls) {
      const auto& fallback = shell->folderLocationCalls().back();
      EXPECT_EQ(fallback.owner, 1u);
      EXPECT_EQ(fallback.csidl, c.folder);
      EXPECT_EQ(fallback.token, 0u);
      EXPECT_EQ(fallback.reserved, 0u);
    }
  }
}

}  // namespace
}  // namespace zs
