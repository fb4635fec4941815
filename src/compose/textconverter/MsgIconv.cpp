#include "MsgIconv.h"

#include "common/MsgLog.h"

#include <cerrno>

namespace msg_app {
namespace compose {

MsgIconv::MsgIconv(const char* toCode, const char* fromCode) : _cd(g_iconv_open(toCode, fromCode)) {
    if (!isOpen())
        MSG_LOGE("g_iconv_open(%s, %s) failed. err : %d", toCode, fromCode, errno);
}

MsgIconv::~MsgIconv() {
    if (isOpen())
        g_iconv_close(_cd);
}

MsgIconv::Result MsgIconv::convert(const unsigned char*& in, std::size_t& inLeft, unsigned char*& out,
                                   std::size_t& outLeft) {
    if (!isOpen())
        return {static_cast<gsize>(-1), EBADF};
    // g_iconv takes a non-const source pointer but only reads through it.
    gchar* inPtr = const_cast<gchar*>(reinterpret_cast<const gchar*>(in));
    gchar* outPtr = reinterpret_cast<gchar*>(out);
    gsize inBytes = inLeft;
    gsize outBytes = outLeft;
    errno = 0;
    gsize value = g_iconv(_cd, &inPtr, &inBytes, &outPtr, &outBytes);
    int error = value == static_cast<gsize>(-1) ? errno : 0;
    in = reinterpret_cast<const unsigned char*>(inPtr);
    out = reinterpret_cast<unsigned char*>(outPtr);
    inLeft = inBytes;
    outLeft = outBytes;
    return {value, error};
}

} // namespace compose
} // namespace msg_app
