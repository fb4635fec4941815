/*
 * What the simulated phone does with the watch's outbox and requests, shared
 * by the one-shot and the automatic phone.
 */
#ifndef MSG_SIM_SIMPHONEACTIONS_H
#define MSG_SIM_SIMPHONEACTIONS_H

#include "msg_store/PhoneSide.h"

#include <random>
#include <string>

namespace msg_sim {

class SimPhone {
public:
    explicit SimPhone(double failRate);

    // Delivers or (at the failure rate) fails an outbox message; prints what happened.
    int finishSend(const msg_store::OutboxEntry& entry);
    // Answers a request of the watch; a file request gets a generated file.
    int answer(const msg_store::PhoneRequest& request);
    // Everything pending now; the first failing store result, else 0.
    int runOnce();

private:
    std::string _fileFor(const msg_store::PhoneRequest& request);

    double _failRate;
    std::mt19937 _random;
};

} // namespace msg_sim

#endif
