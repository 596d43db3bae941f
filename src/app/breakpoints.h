#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell_look.h"
#include "core/micro_step.h"
#include "core/run_watch.h"
#include "mps/mps_store.h"

// Where runs stop besides their end, and where their clocks go. Neither belongs to the
// micro-program or the memory: they are not saved with the files, and undo does not take
// them back. The window keeps them for its session, the page for the page's.
namespace vellar {

class Breakpoints {
 public:
  // The breakpoints on MPS addresses and on RAM addresses (IP at the end of an instruction).
  bool HasMps(int address) const { return stops_.mps.test(static_cast<size_t>(address & 0xFF)); }
  bool HasRam(int address) const { return stops_.ram.test(static_cast<size_t>(address & 0xFF)); }
  void SetMps(int address, bool on) { stops_.mps.set(static_cast<size_t>(address & 0xFF), on); }
  void SetRam(int address, bool on) { stops_.ram.set(static_cast<size_t>(address & 0xFF), on); }
  void ToggleMps(int address) { SetMps(address, !HasMps(address)); }
  void ToggleRam(int address) { SetRam(address, !HasRam(address)); }
  // Every breakpoint and condition gone.
  void ClearAll();
  bool Empty() const { return stops_.Empty(); }

  // The conditions, written as vellar-cli's --expect items, blank between them, "≠" or "!="
  // for unequal. A text with an item that is no condition is not taken: the German message
  // says which item; the conditions stay as they were.
  std::optional<std::string> SetConditions(std::string_view text);
  // Adds one condition; the message when the item is none.
  std::optional<std::string> AddCondition(std::string_view item);
  const std::vector<Condition>& Conditions() const { return stops_.conditions; }
  // The conditions as the program writes them, for the field that shows them.
  std::string ConditionsText() const;

  // "MPS 5E", "RAM 20", "Bedingung AX=00", in that order, each group by address.
  std::vector<std::string> List() const;
  // Why the run stopped: "Haltepunkt MPS 5E", "Haltepunkt RAM 20", "Bedingung AX=00".
  std::string Reason(const StopHit& hit) const;

  // At the start of a run, which clocks counts from: a condition true now stops the run only
  // once it has become false and true again.
  void Arm(const Machine& m, uint64_t clocks) { stops_.Arm(m, clocks); }
  // After an ALU clock shown phase by phase, the clocks-th of its run.
  StopHit Check(const Machine& m, uint64_t clocks, bool instructionEnded) {
    return stops_.Empty() ? StopHit{} : stops_.Check(m, clocks, instructionEnded);
  }
  // What the core's run loop is to watch in a stretch of clocks after clocksBefore.
  RunWatch Watch(uint64_t clocksBefore) {
    return {&stops_, counting_ ? &stats_ : nullptr, clocksBefore};
  }

  // The statistics: counted while Counting() (in the window and the page always; vellar-cli
  // counts only when asked to, so that its runs stay as fast as ever).
  bool Counting() const { return counting_; }
  void SetCounting(bool counting) { counting_ = counting; }
  const RunStats& Stats() const { return stats_; }
  RunStats& Stats() { return stats_; }
  void ResetStats() { stats_ = {}; }
  // Ansicht → "Statistik": the counts as a heat map, a column beside the MPS grid.
  bool HeatShown() const { return heatShown_; }
  void SetHeatShown(bool shown) { heatShown_ = shown; }
  // The heat map's cell of an MPS grid row: "Anzahl" over the column, then how often the row
  // ran, shaded by HeatShade against the busiest row.
  CellLook HeatCell(int row) const;

  // One row of the summary's table: an opcode that was fetched.
  struct OpcodeLine {
    uint8_t op = 0;
    std::string text;  // the instruction text, the MPS description of its address
    uint64_t count = 0;
    std::string average;  // ALU clocks per instruction, "7,50"
  };
  std::vector<OpcodeLine> OpcodeLines(const MpsStore& mps) const;
  // The summary as lines of text: clocks, instructions, clocks per instruction, then a table
  // of the opcodes.
  std::vector<std::string> SummaryLines(const MpsStore& mps) const;
  // The counts as CSV with ';': a header, "MPS;hh;n" for each row that ran, then
  // "Befehl;hh;text;n;average" for each opcode fetched.
  std::string CsvText(const MpsStore& mps) const;
  // The heat map's shade of a row that ran count times where the busiest ran most: white for
  // none, a strong red for the busiest, in proportion between.
  static Rgb HeatShade(uint64_t count, uint64_t most);
  // ALU clocks per instruction with two decimals and a comma, "-" for no instruction.
  static std::string Ratio(uint64_t clocks, uint64_t count);

 private:
  StopPoints stops_;
  RunStats stats_;
  bool counting_ = true;
  bool heatShown_ = false;
};

}  // namespace vellar
