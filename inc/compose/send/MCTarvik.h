/*
 * The carrier's number-sharing service: whether the watch shares the
 * phone's number, which changes the road a message takes.
 */
#ifndef MSG_APP_COMPOSE_MCTARVIK_H
#define MSG_APP_COMPOSE_MCTARVIK_H

#include "tarvik.h"

namespace msg_app {
namespace compose {

class MCTarvik {
public:
    enum Status : int {
        NOT_AVAILABLE = 0,
        ENABLED = 1,
        DISABLED = 2,
    };
    static constexpr const char* SALES_CODE = "TMB";

    static MCTarvik* getInstance();
    // *outStatus is written only on success; false on other carriers.
    bool getStatus(int* outStatus);
    void release();

private:
    MCTarvik() = default;
    ~MCTarvik();
    MCTarvik(const MCTarvik&) = delete;
    MCTarvik& operator=(const MCTarvik&) = delete;

    static void _destroy();
    bool _init();

    static MCTarvik* _instance;
    tarvik_h _handle = nullptr;
};

} // namespace compose
} // namespace msg_app

#endif
