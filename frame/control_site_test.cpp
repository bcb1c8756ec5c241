// A container's view of a control: a new placement runs InitProperties, a
// loaded form ReadProperties, and every property write reaches the sink.
#include "frame/control_site.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/error_testing.h"

namespace zs {
namespace {

class Caption : public Control {
 public:
  const ClassInfo* classInfo() const override { return nullptr; }
  void InitProperties() override { set(u"Untitled"); }
  void ReadProperties(PropertyBag& bag) override {
    text_ = bag.ReadProperty(u"Caption", Variant(String(u"Untitled"))).string();
  }
  void WriteProperties(PropertyBag& bag) override {
    bag.WriteProperty(u"Caption", Variant(text_), Variant(String(u"Untitled")));
  }
  void set(String text) {
    text_ = std::move(text);
    PropertyChanged(u"Caption");
  }
  const String& text() const { return text_; }

 private:
  String text_;
};

struct Heard final : ChangeSink {
  std::vector<String> names;
  void PropertyChanged(StringView name) override { names.emplace_back(name); }
};

TEST(ControlSite, NewPlacementInitialisesLoadedFormReadsAndWritesReachTheSink) {
  auto sink = std::make_shared<Heard>();
  auto fresh = create<Caption>();
  startControl(*fresh, sink, nullptr);
  EXPECT_EQ(fresh->text(), u"Untitled");
  fresh->set(u"Hello");
  EXPECT_EQ(sink->names, (std::vector<String>{u"Caption", u"Caption"}));

  MemoryPropertyBag form;
  fresh->WriteProperties(form);
  auto loaded = create<Caption>();
  startControl(*loaded, nullptr, &form);
  EXPECT_EQ(loaded->text(), u"Hello");
}

TEST(ControlSite, PlacesOnlyControls) {
  auto numbers = placeControl(classInfo(ClassId::ZSNumbers), nullptr);
  ASSERT_TRUE(numbers);
  EXPECT_EQ(numbers->classInfo(), &classInfo(ClassId::ZSNumbers));
  EXPECT_EQ(errorOf([] { placeControl(classInfo(ClassId::ZSRegistry), nullptr); }), 429);
}

}  // namespace
}  // namespace zs
