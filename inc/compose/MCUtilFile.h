/*
 * The composer's files and its send-as preference.
 * Reached as MCUtil, which gathers the composer's helper groups.
 */
#ifndef MSG_APP_COMPOSE_MCUTILFILE_H
#define MSG_APP_COMPOSE_MCUTILFILE_H

namespace msg_app {
namespace compose {

struct MCUtilFile {
    // Creates the send-as preference with 0 when it does not exist.
    static void initPreference();
    // The file's size in bytes, 0 when it cannot be read.
    static long long getFileSize(const char* path);
    // The text after the last ".", or the whole name without one; null stays null.
    static const char* getFileExt(const char* path);
};

} // namespace compose
} // namespace msg_app

#endif
