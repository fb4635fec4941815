/*
 * Takes in a file that another application hands over as an attachment. The
 * path comes from outside, so the watch sends only what the user shares: a
 * file of the device's shared media (the gallery's and the recorder's
 * <device>/media/, or an application's shared folder) whose content is the
 * kind of media the request says and which fits in an MMS. The path is
 * walked one folder at a time without following links, and what was checked
 * is the open file itself, which is copied into the composer's working
 * folder: what is sent is what was checked, whatever happens to the path.
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
    // The device folder's shared media, and an application's shared folder below <device>/apps/<id>/.
    static constexpr const char* MEDIA_DIR = "media";
    static constexpr const char* APPS_DIR = "apps";
    static constexpr const char* SHARED_DIR = "shared";

    enum Kind {
        IMAGE,
        AUDIO,
    };

    MCAttachmentImport() = delete;

    // Copies source into workDir and gives the copy's path; false, with a log line saying why, for
    // anything else.
    static bool import(const std::string& source, Kind kind, const std::string& workDir, long long maxSize,
                       std::string& outPath);
    // The file name extension of the media type the first bytes show, or null when they show none
    // of the kind.
    static const char* sniff(const unsigned char* head, size_t length, Kind kind);

private:
    static std::string _deviceDir();
    static int _openShared(const std::string& source);
    static bool _copy(int fromFd, const std::string& to, long long maxSize);
};

} // namespace compose
} // namespace msg_app

#endif
