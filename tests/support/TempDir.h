#ifndef MSG_TESTS_SUPPORT_TEMPDIR_H
#define MSG_TESTS_SUPPORT_TEMPDIR_H

#include <string>

namespace msg_test {

// A fresh folder under the system's temporary directory, removed with its
// contents when the object dies.
class TempDir {
public:
    explicit TempDir(const char* prefix = "msg-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return _path; }
    std::string file(const std::string& name) const { return _path + "/" + name; }

private:
    std::string _path;
};

// A temporary device folder that MSG_DEVICE_DIR points at while it lives.
class TempDevice : public TempDir {
public:
    TempDevice();
    ~TempDevice();

private:
    std::string _previous;
    bool _hadPrevious = false;
};

} // namespace msg_test

#endif
