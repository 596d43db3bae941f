/* The processor's clock as a minimal C loop: the yardstick for the model's own run loop. */
#ifndef VELLAR_BENCH_C_LOOP_H
#define VELLAR_BENCH_C_LOOP_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct c_loop_row {
  uint16_t gates;
  uint8_t next;
};

struct c_loop_state {
  uint8_t regs[7]; /* AX, BX, IP, OP, AR, DR, ALU value */
  uint8_t ram[256];
  int row; /* grid row: address + 1 */
};

/* Runs whole ALU clocks of the micro-program until max_clocks are done or a clock ends on a
   row <= end_row or on a row that names itself; returns the clocks done. */
uint64_t c_loop_run(const struct c_loop_row rows[256], struct c_loop_state* s, uint64_t max_clocks,
                    int end_row);

#ifdef __cplusplus
}
#endif

#endif
