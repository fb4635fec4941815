/*
 * A screen's act still to come: a panel to open, a scroll to its end, a popup to show. A screen
 * acts a moment after it shows; msg-shot (and the look check) count a frame as settled only once
 * no act is pending, however late a busy machine lets the act come.
 */
#ifndef MSG_APP_SHELL_PENDINGACT_H
#define MSG_APP_SHELL_PENDINGACT_H

namespace msg_app {
namespace shell {

class PendingAct {
public:
    PendingAct() = default;
    ~PendingAct() { end(); }
    PendingAct(const PendingAct&) = delete;
    PendingAct& operator=(const PendingAct&) = delete;

    // Both may be called again: a pending act counts once.
    void begin();
    void end();
    // The acts pending in the process.
    static int count();

private:
    bool _pending = false;
};

} // namespace shell
} // namespace msg_app

#endif
