/* Every gate tested bit by bit in each clock, the registers in local variables: what one
   would write first in C, and what the model's run loop is measured against. */
#include "c_loop.h"

uint64_t c_loop_run(const struct c_loop_row rows[256], struct c_loop_state* s, uint64_t max_clocks,
                    int end_row) {
  unsigned ax = s->regs[0], bx = s->regs[1], ip = s->regs[2], op = s->regs[3];
  unsigned ar = s->regs[4], dr = s->regs[5], alu = s->regs[6];
  uint8_t* ram = s->ram;
  int row = s->row;
  uint64_t n = 0;
  while (n < max_clocks) {
    if (row < 1 || row > 256) row = 1;
    const unsigned g = rows[row - 1].gates;
    const int next = rows[row - 1].next + 1;
    const int halt = next == row && next != 1;
    int r = next;
    if (g & 0x8000u) r += (int)op;
    if ((g & 0x4000u) && ax >= 0x80) r += 1;
    row = r & 0xFF;
    if (g & 0x0800u) ram[ar] = (uint8_t)dr;
    const unsigned a = (g & 0x0020u) ? ip : (g & 0x0008u) ? bx : (g & 0x0002u) ? ax : 0;
    const unsigned b = (g & 0x0200u) ? dr : (g & 0x0080u) ? 1 : 0;
    alu = ((g & 0x2000u) ? a - b : a + b) & 0xFF;
    if (g & 0x0001u) ax = alu;
    if (g & 0x0004u) bx = alu;
    if (g & 0x0010u) ip = alu;
    if (g & 0x0040u) op = alu;
    if (g & 0x0100u) ar = alu;
    if (g & 0x0400u) dr = alu;
    if (g & 0x1000u) dr = ram[ar];
    ++n;
    if (row <= end_row || halt) break;
  }
  s->regs[0] = (uint8_t)ax;
  s->regs[1] = (uint8_t)bx;
  s->regs[2] = (uint8_t)ip;
  s->regs[3] = (uint8_t)op;
  s->regs[4] = (uint8_t)ar;
  s->regs[5] = (uint8_t)dr;
  s->regs[6] = (uint8_t)alu;
  s->row = row;
  return n;
}
