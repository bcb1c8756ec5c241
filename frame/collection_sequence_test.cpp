// The position layer of Collection against a plain vector: random appends and
// removals at every kind of place, through chunk growth and shrinking.
#include "frame/collection_sequence.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zs {
namespace {

void expectSame(const CollectionSequence& s, const std::vector<std::uint32_t>& model) {
  ASSERT_EQ(s.size(), model.size());
  for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(s.at(i), model[i]) << "index " << i;
}

struct Mix {
  const char* name;
  int appendPercent;  // the rest are removals
  int frontPercent;   // of removals: at the front
  int backPercent;    // of removals: at the back (the rest anywhere)
  std::size_t steps;
};

TEST(CollectionSequence, MatchesAVectorUnderRandomEdits) {
  const Mix mixes[] = {
      {"growing, removals anywhere", 70, 10, 10, 30000},
      {"queue-like", 55, 90, 0, 30000},
      {"stack-like", 55, 0, 90, 30000},
      {"shrinking to empty and back", 45, 30, 30, 30000},
  };
  for (const auto& mix : mixes) {
    SCOPED_TRACE(mix.name);
    std::mt19937 rng(1234);
    CollectionSequence s;
    std::vector<std::uint32_t> model;
    std::uint32_t next = 0;
    for (std::size_t step = 0; step < mix.steps; ++step) {
      const int roll = static_cast<int>(rng() % 100);
      if (model.empty() || roll < mix.appendPercent) {
        s.push_back(next);
        model.push_back(next++);
        continue;
      }
      const int where = static_cast<int>(rng() % 100);
      std::size_t index = rng() % model.size();
      if (where < mix.frontPercent) index = 0;
      else if (where < mix.frontPercent + mix.backPercent) index = model.size() - 1;
      s.erase(index);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
      if (step % 997 == 0) expectSame(s, model);
    }
    expectSame(s, model);
  }
}

TEST(CollectionSequence, WidensChunksAsItGrowsAndKeepsOrder) {
  CollectionSequence s;
  const std::size_t initial = s.chunkCapacity();
  std::vector<std::uint32_t> model;
  for (std::uint32_t i = 0; i < 50000; ++i) {
    s.push_back(i);
    model.push_back(i);
  }
  EXPECT_GT(s.chunkCapacity(), initial);
  // Empty it from the middle outwards, checking a sample of places.
  while (!model.empty()) {
    const std::size_t mid = model.size() / 2;
    s.erase(mid);
    model.erase(model.begin() + static_cast<std::ptrdiff_t>(mid));
    if (model.size() % 4999 == 0) expectSame(s, model);
  }
  EXPECT_TRUE(s.empty());
  s.push_back(7);
  EXPECT_EQ(s.at(0), 7u);
}

}  // namespace
}  // namespace zs
