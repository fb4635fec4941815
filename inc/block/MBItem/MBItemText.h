/*
 * A text of the message: the body, or the subject of an MMS.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMTEXT_H
#define MSG_APP_BLOCK_MBITEM_MBITEMTEXT_H

#include "block/MBItem/MBItem.h"

namespace msg_app {
namespace msg_block {

class MBItemText : public MBItem {
public:
    enum TextType : int {
        BODY = 0,
        SUBJECT = 1,
    };

    // The most characters one row lays out: a longer body takes several rows (as a bubble, a
    // part stays well within the height a text object draws).
    static constexpr size_t PART_CHARS = 1000;

    MBItemText(const std::string& text, TextType textType);

    Type getType() const override { return TEXT; }
    TextType getTextType() const { return _textType; }
    std::string getText(const char* part) const override;

private:
    std::string _text;
    TextType _textType;
};

} // namespace msg_block
} // namespace msg_app

#endif
