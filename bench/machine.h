// What the figures were measured on.
#ifndef ALTROWTINT_BENCH_MACHINE_H
#define ALTROWTINT_BENCH_MACHINE_H

#include "report.h"

void DescribeMachine(Machine *machine);

#endif
