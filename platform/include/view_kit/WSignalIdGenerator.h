#ifndef VIEW_KIT_WSIGNALIDGENERATOR_H
#define VIEW_KIT_WSIGNALIDGENERATOR_H

#include <atomic>

namespace view_kit {

// Listener ids shared by every signal: unsigned, non-zero, never repeated
// within a run (0 is skipped should the counter ever wrap).
class WSignalIdGenerator {
public:
    static unsigned int generate() {
        unsigned int id;
        do {
            id = ++_last;
        } while (id == 0);
        return id;
    }

private:
    static inline std::atomic<unsigned int> _last{0};
};

} // namespace view_kit

#endif
