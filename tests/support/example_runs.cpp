#include "support/example_runs.h"

#include <algorithm>
#include <array>

#include "core/hex.h"

namespace vellar::testing {
namespace {

using Bytes16 = std::array<uint8_t, 16>;

// Input and result of a program working on the 16 bytes from `first` on.
std::vector<std::pair<int, uint8_t>> Cells(int first, const Bytes16& values) {
  std::vector<std::pair<int, uint8_t>> cells;
  for (int i = 0; i < 16; ++i) cells.emplace_back(first + i, values[i]);
  return cells;
}

ExampleRun Bubble(const std::string& title, Bytes16 values) {
  ExampleRun run{title, "bubble.ras", Cells(0xF0, values), {}, {}, {}};
  std::sort(values.begin(), values.end());
  run.wantMemory = Cells(0xF0, values);
  run.wantMemory.emplace_back(0xE0, 0);  // the last pass swapped nothing
  return run;
}

ExampleRun Mult(uint8_t a, uint8_t b) {
  const std::string title = "mult " + HexByte(a) + " * " + HexByte(b);
  return {title,
          "mult.ras",
          {{0xFD, a}, {0xFE, b}},
          {},
          {{0xFF, static_cast<uint8_t>(a * b)}, {0xFD, a}, {0xFE, b}, {0xFC, 0}},
          {}};
}

ExampleRun Sum(const std::string& title, const Bytes16& values) {
  unsigned sum = 0;
  for (uint8_t v : values) sum += v;
  return {title, "summe.ras", Cells(0xE0, values), {}, {{0xFF, static_cast<uint8_t>(sum)}}, {}};
}

// zaehler.ras counts from `start` down to 00, storing each value. A pass through its loop
// (MOV [nn],AX, DEC AX, JNS nn) takes 10 + 8 + 9 clocks, HLT 8, MOV AX,nn 8. The start value
// 80 is negative: it is stored once, then 7F counts on down. The count holds for 00 to 80.
ExampleRun Count(int start, bool fromTheTop) {
  const int passes = (start < 0x80 ? start : 0x7F) + 1 + (start < 0x80 ? 0 : 1);
  ExampleRun run{
      "zaehler ab " + HexByte(start), "zaehler.ras", {}, {}, {{0xF0, 0x00}}, {{AX, 0xFF}}};
  run.wantClocks = 27u * passes + 8 + (fromTheTop ? 8 : 0);
  // Without MOV AX,10: from the loop at address 02 with the start value in AX.
  if (!fromTheTop) run.registers = {{IP, 0x02}, {AX, static_cast<uint8_t>(start)}};
  return run;
}

ExampleRun Abs(uint8_t x) {
  const auto want = static_cast<uint8_t>(x < 0x80 ? x : 0x100 - x);
  return {"betrag " + HexByte(x), "betrag.ras", {{0xF0, x}}, {}, {{0xF1, want}}, {}};
}

Bytes16 Fill(uint8_t value) {
  Bytes16 values;
  values.fill(value);
  return values;
}

Bytes16 Ramp(int first, int step) {
  Bytes16 values;
  for (int i = 0; i < 16; ++i) values[i] = static_cast<uint8_t>(first + step * i);
  return values;
}

}  // namespace

std::vector<ExampleRun> ExampleRuns() {
  const Bytes16 shipped = {0x42, 0x17, 0x7F, 0x00, 0x23, 0x5A, 0x08, 0x31,
                           0x66, 0x17, 0x01, 0x70, 0x3C, 0x2E, 0x55, 0x0B};
  const Bytes16 extremes = {0x7F, 0x00, 0x7F, 0x00, 0x7F, 0x00, 0x7F, 0x00,
                            0x00, 0x7F, 0x00, 0x7F, 0x00, 0x7F, 0x00, 0x7F};
  Bytes16 lastSmallest = Ramp(0x01, 1);
  lastSmallest[15] = 0x00;
  Bytes16 onlyLast = Fill(0);
  onlyLast[15] = 0x01;
  return {
      Bubble("bubble as shipped", shipped),
      Bubble("bubble all 00", Fill(0x00)),
      Bubble("bubble all 7F", Fill(0x7F)),
      Bubble("bubble all equal", Fill(0x2A)),
      Bubble("bubble already sorted", Ramp(0x00, 8)),
      Bubble("bubble reverse sorted", Ramp(0x7F, -8)),
      Bubble("bubble 00 and 7F mixed", extremes),
      Bubble("bubble smallest last", lastSmallest),
      Mult(0x07, 0x06),
      Mult(0x00, 0x05),
      Mult(0x05, 0x00),
      Mult(0x01, 0x7F),
      Mult(0x7F, 0x01),
      Mult(0x10, 0x10),  // 100: the carry is lost
      Mult(0x03, 0x80),  // a counter of 80 and more is tested by the sign first
      Mult(0xFF, 0xFF),
      Sum("summe as shipped", Ramp(0x01, 1)),
      Sum("summe all 00", Fill(0x00)),
      Sum("summe all FF", Fill(0xFF)),
      Sum("summe all 7F", Fill(0x7F)),
      Sum("summe only the last byte", onlyLast),
      Count(0x10, true),
      Count(0x00, false),
      Count(0x7F, false),
      Count(0x80, false),
      Abs(0xF6),
      Abs(0x00),
      Abs(0x01),
      Abs(0x7F),
      Abs(0x80),
      Abs(0x81),
      Abs(0xFF),
  };
}

}  // namespace vellar::testing
