/*
 * The objects a bubble's text items stand for: the status line (time, marks,
 * the sending spinner or the failure mark), the separator, and the pictures,
 * sounds and files of a multimedia message, whose controllers live as long as
 * the text widget they are in. A tap on one is handed to the bubble's
 * conversation.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVBUBBLECONTENT_H
#define MSG_APP_VIEWER_MVITEM_MVBUBBLECONTENT_H

#include "msg_store/Conversation.h"

#include <Evas.h>

namespace msg_app {
namespace msg_viewer {

class MVItemBubble;

class MVBubbleContent {
public:
    enum InfoType : int {
        INFO_SENDING = 1,
        INFO_FAILED = 2,
        INFO_NORMAL = 3,
    };

    explicit MVBubbleContent(MVItemBubble& bubble) : _bubble(bubble) {}

    // Makes the entry draw its items with this part.
    void provideFor(Evas_Object* entry);
    // The entry goes on without this bubble: its next items are another's.
    void stopProviding(Evas_Object* entry);
    // Deletes the objects the entry holds for the items of its text, whichever bubble made them.
    static void dropItems(Evas_Object* entry);

private:
    // The object of an item token ("image:w.h.i", "audio:i", "info_failed", ...); null for a
    // token of no known kind or an index of no content of the message.
    Evas_Object* _create(Evas_Object* entry, const char* item);
    Evas_Object* _createImage(Evas_Object* parent, int index, int w, int h);
    Evas_Object* _createAudio(Evas_Object* parent, int index);
    Evas_Object* _createAttachment(Evas_Object* parent, int index);
    Evas_Object* _createInfoLayout(Evas_Object* parent, InfoType type);
    Evas_Object* _createNormalInfo(Evas_Object* entry, bool sent);
    Evas_Object* _createSeparator(Evas_Object* parent);
    const msg_store::Content* _contentAt(int index) const;
    // Taps on a content act in normal view only: in select mode they check the bubble.
    bool _isNormalView() const;
    static Evas_Object* _itemProviderCb(void* data, Evas_Object* entry, const char* item);
    static void _infoDelCb(void* data, Evas* evas, Evas_Object* info, void* eventInfo);

    MVItemBubble& _bubble;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
