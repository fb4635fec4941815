/*
 * Takes in a file that another application hands over as an attachment. The
 * path comes from outside, so only a plain file that the sender may share is
 * taken, and it is copied into the composer's working folder: what is sent
 * is what was checked, whatever happens to the original afterwards.
 */
#ifndef MSG_APP_COMPOSE_MCATTACHMENTIMPORT_H
#define MSG_APP_COMPOSE_MCATTACHMENTIMPORT_H

#include <string>

namespace msg_app {
namespace compose {

class MCAttachmentImport {
public:
    // Without a size from the message service an attachment may not exceed this.
    static constexpr long long DEFAULT_MAX_SIZE = 300 * 1024;

    MCAttachmentImport() = delete;

    // Copies source into workDir and gives the copy's path. Refused: relative paths, paths
    // through a symbolic link, anything but a regular file, the device's own files outside
    // the applications' shared folders, and files above maxSize bytes.
    static bool import(const std::string& source, const std::string& workDir, long long maxSize,
                       std::string& outPath);

private:
    static std::string _deviceDir();
    static bool _isShareable(const std::string& canonical);
    static bool _copy(int fromFd, const std::string& to, long long maxSize);
};

} // namespace compose
} // namespace msg_app

#endif
