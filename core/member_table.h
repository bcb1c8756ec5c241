// A class's member table with its index: members found by name (without
// regard to ASCII case) or by dispatch id in one hash probe, then the one that
// fits the kind of call chosen among the few that share the name or id
// (property get, let and set share both).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/members.h"

namespace zs {

// How the caller invokes: Default means method for a method and get for a
// property or field.
enum class CallKind : std::uint8_t { Default, Method, Get, Let, Set };
std::string_view callKindName(CallKind kind);

// Open addressing over runs of members that share a key.
struct MemberIndex {
  struct Run {
    std::uint32_t hash;
    std::uint16_t first;  // into `order`
    std::uint16_t count;
  };
  static constexpr std::uint16_t kEmpty = 0xFFFF;
  std::vector<std::uint16_t> slots;  // a power of two in size: kEmpty or a run
  std::vector<Run> runs;
  std::vector<std::uint16_t> order;  // member positions, grouped by run
};

class MemberTable {
 public:
  MemberTable(std::vector<Member> members);
  MemberTable(const MemberTable&) = delete;
  MemberTable& operator=(const MemberTable&) = delete;

  std::span<const Member> members() const { return members_; }

  // The member to call; null when the class has none of that name or id for
  // that kind of call.
  const Member* find(std::string_view name, CallKind kind) const;
  const Member* find(DispId id, CallKind kind) const;

 private:
  const Member* best(const MemberIndex& index, const MemberIndex::Run& run, CallKind kind) const;

  std::vector<Member> members_;
  MemberIndex byName_, byId_;
};

}  // namespace zs
