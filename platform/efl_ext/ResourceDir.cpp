#include "efl_ext/ResourceDir.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace eext {

std::string ResourceDir::path() {
    const char* env = getenv("MSG_RES_DIR");
    if (env && *env) {
        // Elementary reads a theme path that does not start with "/" as a theme name,
        // so a relative folder is made absolute.
        char resolved[PATH_MAX];
        return realpath(env, resolved) ? resolved : env;
    }
    char exe[PATH_MAX];
    ssize_t len = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    if (len <= 0)
        return "res";
    std::string dir(exe, static_cast<size_t>(len));
    dir.erase(dir.find_last_of('/'));
    return dir + "/../res";
}

std::string ResourceDir::file(const char* relative) {
    return path() + "/" + (relative ? relative : "");
}

} // namespace eext
