#ifndef MSG_APP_COMPOSE_TEXTCONVERTER_MSGICONV_H
#define MSG_APP_COMPOSE_TEXTCONVERTER_MSGICONV_H

#include <glib.h>

#include <cstddef>

namespace msg_app {
namespace compose {

// One g_iconv conversion descriptor, closed when it goes out of scope.
class MsgIconv {
public:
    struct Result {
        gsize value; // g_iconv's result: (gsize)-1 on a stop, else the count of irreversible conversions
        int error;   // errno after a stop (EILSEQ, EINVAL or E2BIG), else 0
        bool failed() const { return value == static_cast<gsize>(-1); }
    };

    MsgIconv(const char* toCode, const char* fromCode);
    ~MsgIconv();
    MsgIconv(const MsgIconv&) = delete;
    MsgIconv& operator=(const MsgIconv&) = delete;

    bool isOpen() const { return _cd != reinterpret_cast<GIConv>(-1); }

    // Converts from in (inLeft bytes) to out (outLeft bytes of room), advancing
    // all four as g_iconv does. Never writes more than outLeft bytes.
    Result convert(const unsigned char*& in, std::size_t& inLeft, unsigned char*& out, std::size_t& outLeft);

private:
    GIConv _cd;
};

} // namespace compose
} // namespace msg_app

#endif
