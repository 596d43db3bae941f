#include "app/path_values.h"

#include <cstddef>

namespace vellar {

namespace {

using P = PathPicture;
using S = PathSource;

constexpr GatePath One(S source, bool singleLine = false) {
  return {{PathBus{P::Register, source, singleLine}, PathBus{}}, 1};
}
constexpr GatePath Two(P first, S firstSource, P second, S secondSource) {
  return {{PathBus{first, firstSource, false}, PathBus{second, secondSource, false}}, 2};
}

// Input gates show what they load (the ALU value), output gates what they put on the bus.
// Gate A loads DR with the ALU value: the register side shows that value, the bus side DR.
constexpr std::array<GatePath, kGateCount> kPaths = {
    One(S::Alu),                              // 0: ALU into AX
    One(S::AX),                               // 1: AX to input A
    One(S::Alu),                              // 2: ALU into BX
    One(S::BX),                               // 3: BX to input A
    One(S::Alu),                              // 4: ALU into IP
    One(S::IP),                               // 5: IP to input A
    One(S::Alu),                              // 6: ALU into OP
    One(S::One),                              // 7: the constant 1 to input B
    Two(P::Register, S::AR, P::Bus, S::AR),   // 8: ALU into AR, shown as AR on both
    Two(P::Register, S::DR, P::Bus, S::DR),   // 9: DR to input B
    Two(P::Register, S::Alu, P::Bus, S::DR),  // A: ALU into DR
    Two(P::Bus, S::DR, P::Bus, S::AR),        // B: DR and AR to the memory (write)
    Two(P::Bus, S::DR, P::Bus, S::AR),        // C: memory to DR at AR (read)
    One(S::One, true),                        // D: the subtract control's 1
    One(S::Sign, true),                       // E: AX's sign to the sequencer
    One(S::OP),                               // F: OP to the sequencer
};

}  // namespace

const GatePath& GatePathOf(int gate) {
  return kPaths[static_cast<std::size_t>(gate & 0xF)];
}

uint8_t PathValue(PathSource source, const std::array<uint8_t, kRegCount>& regs, bool sign) {
  switch (source) {
    case S::AX:
      return regs[AX];
    case S::BX:
      return regs[BX];
    case S::IP:
      return regs[IP];
    case S::OP:
      return regs[OP];
    case S::AR:
      return regs[AR];
    case S::DR:
      return regs[DR];
    case S::Alu:
      return regs[AL];
    case S::One:
      return 1;
    case S::Sign:
      return sign ? 1 : 0;
  }
  return 0;
}

}  // namespace vellar
