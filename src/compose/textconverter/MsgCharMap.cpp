#include "compose/textconverter/MsgCharMap.h"

#include "common/MsgLog.h"

namespace msg_app {
namespace compose {

bool MsgCharMap::insert(unsigned short key, unsigned char value) {
    MSG_RETV_IF(value >= 0x80, false, "value 0x%x of key 0x%x is not 7-bit", value, key);
    std::unique_ptr<Page>& page = _pages[key >> 8];
    if (!page) {
        page = std::make_unique<Page>();
        page->fill(_absent);
    }
    unsigned char& slot = (*page)[key & 0xFF];
    if (slot == _absent)
        ++_size;
    slot = value;
    return true;
}

} // namespace compose
} // namespace msg_app
