#ifndef EEXT_RESOURCEDIR_H
#define EEXT_RESOURCEDIR_H

#include <string>

namespace eext {

// The folder of compiled resources: $MSG_RES_DIR when set, else "res" next to
// the folder of the running executable.
class ResourceDir {
public:
    static std::string path();
    // A file below the resource folder, e.g. "edje/efl_ext.edj".
    static std::string file(const char* relative);
};

} // namespace eext

#endif
