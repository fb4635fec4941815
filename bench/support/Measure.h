#ifndef MSG_BENCH_SUPPORT_MEASURE_H
#define MSG_BENCH_SUPPORT_MEASURE_H

#include <vector>

namespace msg_bench {

// The calling thread's CPU time: on a machine shared with other work a wall-clock gap also
// counts the time the thread waited for a core, which this leaves out.
double threadCpuMs();

// The middle value (the upper of the two middle ones); 0 for none.
double median(std::vector<double> values);

} // namespace msg_bench

#endif
