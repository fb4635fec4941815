/*
 * A picture or a video of an MMS, as wide as the round screen allows with its
 * proportions kept; a video carries a play mark.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMTHUMBNAIL_H
#define MSG_APP_BLOCK_MBITEM_MBITEMTHUMBNAIL_H

#include "block/MBItem/MBItem.h"

namespace msg_app {
namespace msg_block {

class MBItemThumbnail : public MBItem {
public:
    enum ThumbType : int {
        IMAGE = 0,
        VIDEO = 1,
    };
    // The width of every picture row, in the theme's pixels.
    static constexpr int THUMBNAIL_W = 294;
    // The tallest picture row, as in the conversation: a 1 x 10,000 picture must not make a row
    // millions of pixels tall.
    static constexpr int THUMBNAIL_MAX_H = 400;

    MBItemThumbnail(ThumbType thumbType, const std::string& thumbnailPath, const std::string& filePath);

    Type getType() const override { return THUMBNAIL; }
    ThumbType getThumbType() const { return _thumbType; }
    Evas_Object* getContent(Evas_Object* parent, const char* part) override;

    // The row size, before scaling, of an image of the given size: THUMBNAIL_W wide with the
    // image's proportions, at most THUMBNAIL_MAX_H tall. False (and nothing written) for an image without a
    // width.
    static bool fitSize(int imageW, int imageH, int& outW, int& outH);

private:
    Evas_Object* _createImage(Evas_Object* parent);
    Evas_Object* _createPlayMark(Evas_Object* parent, const char* group);

    ThumbType _thumbType;
    std::string _thumbnailPath;
    std::string _filePath;
};

} // namespace msg_block
} // namespace msg_app

#endif
