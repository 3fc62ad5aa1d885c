// Counts every allocation of the process, C and C++, while switched on.
#ifndef SNOWGIG_BENCH_ALLOCATIONCOUNTER_H
#define SNOWGIG_BENCH_ALLOCATIONCOUNTER_H

struct AllocationCount {
    long mallocs;  // malloc, calloc and realloc
    long news;     // operator new
};

void startCountingAllocations();
AllocationCount stopCountingAllocations();

#endif
