/*
 * A file of an MMS that is not shown inline: an icon by its kind and its name.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMATTACHFILE_H
#define MSG_APP_BLOCK_MBITEM_MBITEMATTACHFILE_H

#include "block/MBItem/MBItem.h"
#include "msg_store/Content.h"

namespace msg_app {
namespace msg_block {

class MBItemAttachFile : public MBItem {
public:
    MBItemAttachFile(msg_store::Content::MediaType mediaType, const std::string& mimeType,
                     const std::string& fileName);

    Type getType() const override { return ATTACH_FILE; }
    std::string getText(const char* part) const override;
    Evas_Object* getContent(Evas_Object* parent, const char* part) override;

    // The image group of the icon: audio by media type, other files by the start of their MIME
    // type in any case.
    static const char* getIconGroup(msg_store::Content::MediaType mediaType, const std::string& mimeType);

private:
    msg_store::Content::MediaType _mediaType;
    std::string _mimeType;
    std::string _fileName;
};

} // namespace msg_block
} // namespace msg_app

#endif
