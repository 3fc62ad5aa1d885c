#include "soundthread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

void raiseSoundThread()
{
    sched_param realTime{};
    realTime.sched_priority = 10;
    if (pthread_setschedparam(pthread_self(), SCHED_RR, &realTime) == 0)
        return;
    for (int nice = -20; nice < 0; nice += 5)
        if (setpriority(PRIO_PROCESS, id_t(gettid()), nice) == 0)
            return;
}
