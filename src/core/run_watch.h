#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "core/condition.h"
#include "core/machine.h"

// What a run watches besides its own end: where it is to stop (breakpoints on MPS rows and
// RAM addresses, conditions), and where its clocks go (how often each row ran, how many
// instructions of each opcode and how many clocks they took). Plain data, so that the core's
// run loop can keep both without calling anybody.
namespace vellar {

struct RunStats {
  uint64_t clocks = 0;
  std::array<uint64_t, 256> rows{};      // by MPS address
  std::array<uint64_t, 256> opCount{};   // instructions ended, by OP at their end
  std::array<uint64_t, 256> opClocks{};  // their ALU clocks
  // Clocks of the instruction under way: a run may stop in the middle of one.
  uint64_t instructionClocks = 0;

  uint64_t Instructions() const {
    uint64_t n = 0;
    for (uint64_t c : opCount) n += c;
    return n;
  }
  // One ALU clock: the address of the row it ran (under manual gate control none, -1), and
  // whether it ended an instruction, with OP as the clock left it.
  void CountClock(int address, bool instructionEnded, uint8_t op) {
    ++clocks;
    if (address >= 0) ++rows[static_cast<size_t>(address)];
    ++instructionClocks;
    if (instructionEnded) {
      ++opCount[op];
      opClocks[op] += instructionClocks;
      instructionClocks = 0;
    }
  }
};

struct StopHit {
  enum class Kind : uint8_t { None, Mps, Ram, Condition };
  Kind kind = Kind::None;
  int which = 0;  // the MPS address, the RAM address, the index of the condition
  explicit operator bool() const { return kind != Kind::None; }
};

// What a condition reads, as bits: the registers AX .. AL by their index, the memory, and
// what changes with every clock (the row, the clock count). A clock that changes none of
// what the conditions read cannot make one of them true, so the run loop checks them only
// after clocks that may have.
inline constexpr unsigned kReadsMemory = 1u << kRegCount;
inline constexpr unsigned kReadsEveryClock = 1u << (kRegCount + 1);

struct StopPoints {
  std::bitset<256> mps;  // stop before the row at this address runs
  std::bitset<256> ram;  // stop at the end of an instruction that leaves IP here
  std::vector<Condition> conditions;
  // Whether each condition held after the last clock: a run stops where one becomes true,
  // so that the next start goes on from a stop instead of stopping again at once.
  std::vector<char> held;

  bool Empty() const { return mps.none() && ram.none() && conditions.empty(); }
  // At the start of a run.
  void Arm(const Machine& m, uint64_t clocks) {
    held.resize(conditions.size());
    for (size_t i = 0; i < conditions.size(); ++i) held[i] = conditions[i].HoldsFor(m, clocks);
  }
  // The breakpoints hit by a clock that left the machine so.
  StopHit CheckPlaces(const Machine& m, bool instructionEnded) const {
    const int address = m.CurrentRow == 0 ? 0 : m.CurrentRow - 1;
    if (mps.test(static_cast<size_t>(address & 0xFF))) return {StopHit::Kind::Mps, address};
    if (instructionEnded && ram.test(m.Regs[IP])) return {StopHit::Kind::Ram, m.Regs[IP]};
    return {};
  }
  // The first condition that became true with the clocks-th clock of the run.
  StopHit CheckConditions(const Machine& m, uint64_t clocks) {
    StopHit hit;
    for (size_t i = 0; i < conditions.size(); ++i) {
      const bool now = conditions[i].HoldsFor(m, clocks);
      if (now && !held[i] && !hit) hit = {StopHit::Kind::Condition, static_cast<int>(i)};
      held[i] = now;
    }
    return hit;
  }
  // After a clock that left the machine so, the clocks-th of its run: what stops it here.
  StopHit Check(const Machine& m, uint64_t clocks, bool instructionEnded) {
    const StopHit place = CheckPlaces(m, instructionEnded);
    const StopHit condition = CheckConditions(m, clocks);
    return place ? place : condition;
  }
  // What the conditions read: kReadsMemory, kReadsEveryClock and the register bits.
  unsigned ConditionReads() const {
    unsigned reads = 0;
    for (const Condition& c : conditions) {
      switch (c.subject) {
        case Condition::Subject::Register:
          reads |= 1u << c.index;
          break;
        case Condition::Subject::Memory:
          reads |= kReadsMemory;
          break;
        case Condition::Subject::Sign:
          reads |= 1u << AX;
          break;
        case Condition::Subject::Row:
        case Condition::Subject::Clocks:
          reads |= kReadsEveryClock;
          break;
        case Condition::Subject::Stop:
          break;
      }
    }
    return reads;
  }
};

}  // namespace vellar
