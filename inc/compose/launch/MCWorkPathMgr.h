/*
 * The working folder of this composer process, where attachments handed
 * over by other applications are copied and the MMS text is written. Two
 * composer processes may start at once, so each takes a folder of its own.
 */
#ifndef MSG_APP_COMPOSE_MCWORKPATHMGR_H
#define MSG_APP_COMPOSE_MCWORKPATHMGR_H

#include <string>

namespace msg_app {
namespace compose {

class MCWorkPathMgr {
public:
    static constexpr const char* BASE_DIR_NAME = "composer-working-dir";
    static constexpr const char* DIR_PREFIX = "composer_";

    static MCWorkPathMgr* getInstance();

    // Creates "<shared data>/composer-working-dir/composer_<n>/" with n one above the highest in
    // use, first removing the folders of composer processes that are gone.
    bool createWorkingDir();
    const std::string& getWorkingPath() const { return _workingPath; }
    bool destroyWorkingDir();

private:
    MCWorkPathMgr() = default;
    ~MCWorkPathMgr() = default;
    MCWorkPathMgr(const MCWorkPathMgr&) = delete;
    MCWorkPathMgr& operator=(const MCWorkPathMgr&) = delete;

    static void _destroy();
    static bool _getBaseDir(std::string& out);
    static void _removeLeftovers(const std::string& base, int* highest);
    static bool _claimDir(const std::string& base, int number, std::string& out);

    static MCWorkPathMgr* _instance;
    std::string _workingPath;
};

} // namespace compose
} // namespace msg_app

#endif
