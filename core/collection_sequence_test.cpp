// The position layer of Collection against a plain vector: random appends and
// removals at every kind of place, through chunk growth and shrinking.
#include "core/collection_sequence.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zs {
namespace {

void expectSame(const CollectionSequence& s, const std::vector<std::uint32_t>& model) {
  ASSERT_EQ(s.size(), model.size());
  for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(s.at(i), model[i]) << "index " << i;
}

void eraseAt(CollectionSequence& s, std::vector<std::uint32_t>& model, std::size_t index) {
  s.erase(index);
  model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
}

TEST(CollectionSequence, MatchesAVectorUnderRandomEdits) {
  const struct {
    const char* name;
    int appendPercent;  // the rest are removals
    int frontPercent;   // of removals: at the front
    int backPercent;    // of removals: at the back (the rest anywhere)
  } mixes[] = {
      {"growing, removals anywhere", 70, 10, 10},
      {"queue-like", 55, 90, 0},
      {"stack-like", 55, 0, 90},
      {"shrinking to empty and back", 45, 30, 30},
  };
  for (const auto& mix : mixes) {
    SCOPED_TRACE(mix.name);
    std::mt19937 rng(1234);
    CollectionSequence s;
    std::vector<std::uint32_t> model;
    for (std::uint32_t step = 0; step < 30000; ++step) {
      if (model.empty() || static_cast<int>(rng() % 100) < mix.appendPercent) {
        s.push_back(step);
        model.push_back(step);
        continue;
      }
      const int where = static_cast<int>(rng() % 100);
      std::size_t index = rng() % model.size();
      if (where < mix.frontPercent) index = 0;
      else if (where < mix.frontPercent + mix.backPercent) index = model.size() - 1;
      eraseAt(s, model, index);
      if (step % 997 == 0) expectSame(s, model);
    }
    expectSame(s, model);
  }
}

TEST(CollectionSequence, WidensChunksAsItGrowsAndKeepsOrderWhileEmptied) {
  CollectionSequence s;
  const std::size_t initial = s.chunkCapacity();
  std::vector<std::uint32_t> model;
  for (std::uint32_t i = 0; i < 50000; ++i) {
    s.push_back(i);
    model.push_back(i);
  }
  EXPECT_GT(s.chunkCapacity(), initial);
  while (!model.empty()) {  // from the middle outwards
    eraseAt(s, model, model.size() / 2);
    if (model.size() % 4999 == 0) expectSame(s, model);
  }
  s.push_back(7);
  EXPECT_EQ(s.at(0), 7u);
}

}  // namespace
}  // namespace zs
