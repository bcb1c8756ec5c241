#include "core/member_table.h"

#include <bit>
#include <stdexcept>

#include "core/ascii.h"

namespace zs {
namespace {

std::uint32_t nameHash(std::string_view name) {
  std::uint32_t h = 2166136261u;
  for (char c : name) h = (h ^ static_cast<unsigned char>(foldAscii(c))) * 16777619u;
  return h;
}

std::uint32_t idHash(DispId id) {
  std::uint32_t h = static_cast<std::uint32_t>(id) * 0x9E3779B1u;
  return h ^ (h >> 15);
}

// Groups the members by key and lays the groups out in a table at most half full.
template <class Key, class HashOf, class Same>
MemberIndex buildIndex(const std::vector<Member>& members, Key keyOf, HashOf hashOf, Same same) {
  if (members.size() >= MemberIndex::kEmpty) throw std::length_error("too many members");
  MemberIndex index;
  index.slots.assign(std::bit_ceil(members.size() * 2 + 2), MemberIndex::kEmpty);
  const std::size_t mask = index.slots.size() - 1;
  std::vector<bool> placed(members.size());
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (placed[i]) continue;
    MemberIndex::Run run{hashOf(keyOf(members[i])), static_cast<std::uint16_t>(index.order.size()), 0};
    for (std::size_t j = i; j < members.size(); ++j)
      if (!placed[j] && same(keyOf(members[j]), keyOf(members[i]))) {
        placed[j] = true;
        index.order.push_back(static_cast<std::uint16_t>(j));
        ++run.count;
      }
    std::size_t slot = run.hash & mask;
    while (index.slots[slot] != MemberIndex::kEmpty) slot = (slot + 1) & mask;
    index.slots[slot] = static_cast<std::uint16_t>(index.runs.size());
    index.runs.push_back(run);
  }
  return index;
}

template <class Matches>
const MemberIndex::Run* probe(const MemberIndex& index, std::uint32_t hash, Matches matches) {
  const std::size_t mask = index.slots.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint16_t r = index.slots[slot];
    if (r == MemberIndex::kEmpty) return nullptr;
    const auto& run = index.runs[r];
    if (run.hash == hash && matches(run)) return &run;
  }
}

bool accepts(const Member& m, CallKind kind) {
  switch (kind) {
    case CallKind::Default:
      return true;
    // Script hosts call functions and read properties with the same flags, so
    // a method call reaches a property read and the other way round.
    case CallKind::Method:
    case CallKind::Get:
      return m.kind == MemberKind::Method || m.kind == MemberKind::Get ||
             m.kind == MemberKind::Field;
    case CallKind::Let:
      return m.kind == MemberKind::Let || m.kind == MemberKind::Field;
    case CallKind::Set:
      return m.kind == MemberKind::Set || m.kind == MemberKind::Field;
  }
  return false;
}

// Among the members that accept the call, the one whose kind matches the call
// exactly wins (a Get over a Method of the same name, and so on).
int rank(const Member& m, CallKind kind) {
  const bool reads = m.kind == MemberKind::Method || m.kind == MemberKind::Get ||
                     m.kind == MemberKind::Field;
  switch (kind) {
    case CallKind::Default: return reads ? 2 : 1;
    case CallKind::Method: return m.kind == MemberKind::Method ? 2 : 1;
    case CallKind::Get: return m.kind == MemberKind::Get || m.kind == MemberKind::Field ? 2 : 1;
    case CallKind::Let: return m.kind == MemberKind::Let ? 2 : 1;
    case CallKind::Set: return m.kind == MemberKind::Set ? 2 : 1;
  }
  return 0;
}

}  // namespace

std::string_view callKindName(CallKind kind) {
  switch (kind) {
    case CallKind::Default: return "default";
    case CallKind::Method: return "method";
    case CallKind::Get: return "get";
    case CallKind::Let: return "let";
    case CallKind::Set: return "set";
  }
  return "";
}

MemberTable::MemberTable(std::vector<Member> members)
    : members_(std::move(members)),
      byName_(buildIndex(
          members_, [](const Member& m) { return m.name; }, nameHash,
          [](std::string_view a, std::string_view b) { return sameName(a, b); })),
      byId_(buildIndex(
          members_, [](const Member& m) { return m.dispid; }, idHash,
          [](DispId a, DispId b) { return a == b; })) {}

const Member* MemberTable::best(const MemberIndex& index, const MemberIndex::Run& run,
                                CallKind kind) const {
  const Member* found = nullptr;
  int foundRank = 0;
  for (std::uint16_t i = 0; i < run.count; ++i) {
    const Member& m = members_[index.order[run.first + i]];
    if (!accepts(m, kind)) continue;
    if (int r = rank(m, kind); r > foundRank) {
      found = &m;
      foundRank = r;
    }
  }
  return found;
}

const Member* MemberTable::find(std::string_view name, CallKind kind) const {
  const auto* run = probe(byName_, nameHash(name), [&](const MemberIndex::Run& r) {
    return sameName(members_[byName_.order[r.first]].name, name);
  });
  return run ? best(byName_, *run, kind) : nullptr;
}

const Member* MemberTable::find(DispId id, CallKind kind) const {
  const auto* run = probe(byId_, idHash(id), [&](const MemberIndex::Run& r) {
    return members_[byId_.order[r.first]].dispid == id;
  });
  return run ? best(byId_, *run, kind) : nullptr;
}

}  // namespace zs
