#include "compose/launch/MCAttachmentImport.h"

#include "app_common.h"
#include "common/MsgLog.h"

#include <glib.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace msg_app {
namespace compose {

namespace {

constexpr int MAX_SAME_NAME = 100;
constexpr size_t SNIFF_BYTES = 16;

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool bytesAt(const unsigned char* head, size_t length, size_t offset, const char* magic) {
    size_t size = std::strlen(magic);
    return length >= offset + size && std::memcmp(head + offset, magic, size) == 0;
}

std::string canonicalPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return std::string();
    std::string out(resolved);
    free(resolved);
    return out;
}

// The path's folders and name below the device folder; empty when it is not below it.
std::vector<std::string> componentsBelow(const std::string& source, const std::string& dir) {
    std::vector<std::string> parts;
    if (dir.empty() || !startsWith(source, dir + "/"))
        return parts;
    gchar** pieces = g_strsplit(source.c_str() + dir.size() + 1, "/", -1);
    for (gchar** piece = pieces; *piece; ++piece) {
        if (**piece)
            parts.emplace_back(*piece);
    }
    g_strfreev(pieces);
    return parts;
}

// <device>/media/... or <device>/apps/<id>/shared/..., with a file name at the end.
bool isSharedMedia(const std::vector<std::string>& parts) {
    for (const auto& part : parts) {
        if (part == "." || part == "..")
            return false;
    }
    if (parts.size() >= 2 && parts[0] == MCAttachmentImport::MEDIA_DIR)
        return true;
    return parts.size() >= 4 && parts[0] == MCAttachmentImport::APPS_DIR &&
           parts[2] == MCAttachmentImport::SHARED_DIR;
}

// The copy keeps the sender's name, with the extension of what its content is.
std::string copyName(const std::string& source, const char* extension) {
    gchar* base = g_path_get_basename(source.c_str());
    gchar* lower = g_ascii_strdown(base, -1);
    std::string name = base;
    std::string lowerName = lower;
    g_free(lower);
    g_free(base);
    std::string suffix = std::string(".") + extension;
    bool matches = g_str_has_suffix(lowerName.c_str(), suffix.c_str()) ||
                   (suffix == ".jpg" && g_str_has_suffix(lowerName.c_str(), ".jpeg"));
    return matches ? name : name + suffix;
}

} // namespace

const char* MCAttachmentImport::sniff(const unsigned char* head, size_t length, Kind kind) {
    if (kind == IMAGE) {
        if (bytesAt(head, length, 0, "\x89PNG\r\n\x1a\n"))
            return "png";
        if (length >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
            return "jpg";
        if (bytesAt(head, length, 0, "GIF87a") || bytesAt(head, length, 0, "GIF89a"))
            return "gif";
        if (bytesAt(head, length, 0, "BM") && length >= 14)
            return "bmp";
        return nullptr;
    }
    if (bytesAt(head, length, 0, "RIFF") && bytesAt(head, length, 8, "WAVE"))
        return "wav";
    if (bytesAt(head, length, 0, "#!AMR"))
        return "amr";
    if (bytesAt(head, length, 0, "OggS"))
        return "ogg";
    if (bytesAt(head, length, 4, "ftyp"))
        return "m4a";
    // An MPEG audio frame's sync word, or the tag that may come before the first frame.
    if (bytesAt(head, length, 0, "ID3") || (length >= 2 && head[0] == 0xFF && (head[1] & 0xE0) == 0xE0))
        return "mp3";
    return nullptr;
}

// The device folder holds every application's folders as <device>/apps/<package>/.
std::string MCAttachmentImport::_deviceDir() {
    char* data = app_get_data_path();
    std::string dataPath = data ? data : "";
    free(data);
    std::string marker = std::string("/") + APPS_DIR + "/";
    size_t apps = dataPath.rfind(marker);
    return apps == std::string::npos ? std::string() : dataPath.substr(0, apps);
}

// Opens the file without following a link anywhere below the device folder: each folder is opened
// from the one before, so nothing can be swapped between a check and the open.
int MCAttachmentImport::_openShared(const std::string& source) {
    std::string device = _deviceDir();
    std::string canonical = canonicalPath(device);
    std::vector<std::string> parts = componentsBelow(source, device);
    if (parts.empty())
        parts = componentsBelow(source, canonical);
    if (!isSharedMedia(parts)) {
        MSG_LOGE("attachment refused: %s is not in the device's shared media", source.c_str());
        return -1;
    }
    int dir = open(canonical.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    MSG_RETV_IF(dir < 0, -1, "cannot open the device folder: %s", strerror(errno));
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        int next = openat(dir, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        close(dir);
        if (next < 0) {
            MSG_LOGE("attachment refused: %s: folder %s: %s", source.c_str(), parts[i].c_str(),
                     strerror(errno));
            return -1;
        }
        dir = next;
    }
    // Non-blocking: a pipe put there must not hold the composer up.
    int fd = openat(dir, parts.back().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    int openError = errno;
    close(dir);
    if (fd < 0)
        MSG_LOGE("attachment refused: cannot open %s: %s", source.c_str(), strerror(openError));
    return fd;
}

bool MCAttachmentImport::_copy(int fromFd, const std::string& to, long long maxSize) {
    int toFd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (toFd < 0) {
        if (errno != EEXIST)
            MSG_LOGE("cannot create %s: %s", to.c_str(), strerror(errno));
        return false;
    }
    if (lseek(fromFd, 0, SEEK_SET) != 0) {
        close(toFd);
        unlink(to.c_str());
        return false;
    }
    char buffer[16384];
    long long copied = 0;
    bool ok = true;
    for (;;) {
        ssize_t got = read(fromFd, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        // The file may grow after it was measured; the copy never does past the limit.
        copied += got;
        if (copied > maxSize || write(toFd, buffer, static_cast<size_t>(got)) != got) {
            ok = false;
            break;
        }
    }
    ok = close(toFd) == 0 && ok;
    if (!ok) {
        MSG_LOGE("cannot copy into %s", to.c_str());
        unlink(to.c_str());
        errno = EIO;
    }
    return ok;
}

bool MCAttachmentImport::import(const std::string& source, Kind kind, const std::string& workDir,
                                long long maxSize, std::string& outPath) {
    MSG_RETV_IF(source.empty() || source[0] != '/', false, "attachment refused: the path is not absolute");
    MSG_RETV_IF(workDir.empty(), false, "no working folder");
    int fd = _openShared(source);
    if (fd < 0)
        return false;
    struct stat info {};
    unsigned char head[SNIFF_BYTES] = {};
    ssize_t got = -1;
    const char* extension = nullptr;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        MSG_LOGE("attachment refused: %s is not a regular file", source.c_str());
    } else if (info.st_size > maxSize) {
        MSG_LOGE("attachment refused: %s has %lld bytes, above the MMS limit of %lld", source.c_str(),
                 static_cast<long long>(info.st_size), maxSize);
    } else if ((got = pread(fd, head, sizeof(head), 0)) < 0 ||
               !(extension = sniff(head, static_cast<size_t>(got), kind))) {
        MSG_LOGE("attachment refused: the content of %s is not %s", source.c_str(),
                 kind == IMAGE ? "an image" : "audio");
    }
    bool ok = false;
    std::string target;
    if (extension) {
        std::string dir = workDir + (workDir.back() == '/' ? "" : "/");
        std::string name = copyName(source, extension);
        // Two attachments of the same name both keep theirs, the later one with a number in front.
        for (int n = 0; n < MAX_SAME_NAME && !ok; ++n) {
            target = dir + (n ? std::to_string(n) + "_" : std::string("attach_")) + name;
            ok = _copy(fd, target, maxSize);
            if (!ok && errno != EEXIST)
                break;
        }
    }
    close(fd);
    if (ok)
        outPath = target;
    return ok;
}

} // namespace compose
} // namespace msg_app
