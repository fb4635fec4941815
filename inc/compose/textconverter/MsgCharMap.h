#ifndef MSG_APP_COMPOSE_TEXTCONVERTER_MSGCHARMAP_H
#define MSG_APP_COMPOSE_TEXTCONVERTER_MSGCHARMAP_H

#include <array>
#include <cstddef>
#include <memory>

namespace msg_app {
namespace compose {

// Maps a UCS-2 code unit to a 7-bit value (a GSM code, a table class or an
// ASCII letter). The composer measures the whole text on every keystroke, so a
// look-up is two array reads: the key's high byte picks a page of 256 values,
// and only the few pages that hold keys are allocated.
class MsgCharMap {
public:
    MsgCharMap() = default;
    MsgCharMap(const MsgCharMap&) = delete;
    MsgCharMap& operator=(const MsgCharMap&) = delete;

    // A later value for the same key replaces the earlier one. Values of 0x80
    // and above cannot be stored; such an insert is refused.
    bool insert(unsigned short key, unsigned char value);

    bool find(unsigned short key, unsigned char& value) const {
        const Page* page = _pages[key >> 8].get();
        if (!page)
            return false;
        unsigned char found = (*page)[key & 0xFF];
        if (found == _absent)
            return false;
        value = found;
        return true;
    }

    bool contains(unsigned short key) const {
        unsigned char unused;
        return find(key, unused);
    }

    std::size_t size() const { return _size; }

private:
    static constexpr unsigned char _absent = 0xFF;
    using Page = std::array<unsigned char, 256>;

    std::array<std::unique_ptr<Page>, 256> _pages;
    std::size_t _size = 0;
};

} // namespace compose
} // namespace msg_app

#endif
