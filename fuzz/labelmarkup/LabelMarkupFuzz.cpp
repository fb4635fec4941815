// Feeds arbitrary bytes to every conversion of message text into label markup and checks that the
// result is valid UTF-8 and only escaped text.
#include "../common/FuzzSupport.h"
#include "block/MBItem/MBItem.h"
#include "list/MLItem/MLItemContent.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    msg_fuzz::quietLogs();
    msg_fuzz::startToolkit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    // A list row leaves invalid bytes to the text engine, which draws them as boxes.
    if (msg_fuzz::isValidUtf8(text))
        msg_fuzz::checkEscapedMarkup(msg_app::msg_list::MLItemContent::toMarkup(text));
    msg_fuzz::checkEscapedMarkup(msg_app::msg_block::MBItem::toMarkup(text));
    return 0;
}
