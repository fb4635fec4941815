/*
 * A row of the blocked-message viewer. Rows only show the message: none can be
 * selected. The genlist owns each row once appended.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEM_H
#define MSG_APP_BLOCK_MBITEM_MBITEM_H

#include "view_kit/WGenlistItem.h"

#include <string>

namespace msg_app {
namespace msg_block {

class MBItem : public view_kit::WGenlistItem {
public:
    enum Type : int {
        TITLE = 0,
        DATE_LINE = 1,
        TEXT = 2,
        NO_CONTENT = 3,
        SEPARATOR = 4,
        THUMBNAIL = 5,
        ATTACH_FILE = 6,
        BOTTOM_PADDING = 7,
    };

    explicit MBItem(const char* itemStyle);

    virtual Type getType() const = 0;
    virtual void setAccessInfo() {}

    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;

    // What a text part shows, in markup; empty for none.
    virtual std::string getText(const char* part) const;
    // A new object for a content part, or null.
    virtual Evas_Object* getContent(Evas_Object* parent, const char* part);

    // Plain text as markup a label shows literally: tags, entities and invalid bytes cannot reach
    // the text engine, and a text too long to lay out quickly is cut at a character boundary.
    static std::string toMarkup(const std::string& text);
    // The longest text shown, in bytes.
    static constexpr size_t MAX_SHOWN_BYTES = 16 * 1024;
    // A size of the theme's scale in pixels of the current Elementary scale, rounded.
    static int scaled(int size);

private:
    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);

    const char* _itemStyle;
};

} // namespace msg_block
} // namespace msg_app

#endif
