/*
 * Turns the backup service's restore counters into application events:
 * blocked numbers restored, message settings restored.
 */
#ifndef MSG_APP_COMMON_MCOMMONRESTORECOMPLETELISTENER_H
#define MSG_APP_COMMON_MCOMMONRESTORECOMPLETELISTENER_H

namespace msg_app {

class MCommonRestoreCompleteListener {
public:
    static MCommonRestoreCompleteListener* getInstance();
    // Starts watching both counters; false when either cannot be watched.
    bool init();
    // Stops watching and ends the instance.
    static void destroy();

private:
    MCommonRestoreCompleteListener() = default;
    ~MCommonRestoreCompleteListener();
    MCommonRestoreCompleteListener(const MCommonRestoreCompleteListener&) = delete;
    MCommonRestoreCompleteListener& operator=(const MCommonRestoreCompleteListener&) = delete;

    static void _restoreCountChangedCb(const char* key, void* data);

    static MCommonRestoreCompleteListener* _instance;
    bool _watching = false;
};

} // namespace msg_app

#endif
