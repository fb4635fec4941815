/*
 * The message row of the body screen: a read-only preview of the text (its
 * guide when empty), the counter ("23/160", or the MMS mark once the text no
 * longer fits one SMS) and the send button. The row keeps the text as plain
 * UTF-8; markup exists only inside the preview widget.
 */
#ifndef MSG_APP_COMPOSE_BODY_MCITEMBODY_H
#define MSG_APP_COMPOSE_BODY_MCITEMBODY_H

#include "common/MCommonAppEventType.h"
#include "compose/MCMsgData.h"
#include "view_kit/WGenlistItem.h"

#include <functional>
#include <string>

namespace msg_app {
namespace compose {

class MCItemBody : public view_kit::WGenlistItem {
public:
    static constexpr int TYPE = 4;
    static constexpr const char* ITEM_STYLE = "composer/body";
    static constexpr const char* COUNTER_GROUP = "composer/body/counter";
    static constexpr const char* GUIDE_ID = "WDS_MSG_NPBODY_ENTER_MESSAGE_ABB";
    // The message text, here and in the full-screen editor.
    static constexpr const char* BODY_FONT_CODE = "AT027";
    static constexpr const char* BODY_COLOR_CODE = "AT0111";
    static constexpr const char* MMS_MARK_ID = "WDS_MSG_SBODY_MMS_ABB";
    static constexpr const char* COUNTER_ACCESS_ID = "IDS_MSG_TBBODY_P1SD_CHARACTERS_ENTERED_MAXIMUM_P2SD";

    using BodyClickCb = std::function<void(Evas_Object* entry, MsgType msgType)>;
    using SendClickCb = std::function<void(Evas_Object* entry)>;
    using TypeChangedCb = std::function<void(MsgType msgType)>;

    MCItemBody(const char* text, bool reducedLimit);
    ~MCItemBody() override;

    int getType() const { return TYPE; }
    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;

    void setBodyClickEvent(BodyClickCb cb) { _bodyClickCb = std::move(cb); }
    void setSendClickEvent(SendClickCb cb) { _sendClickCb = std::move(cb); }
    void setTypeChangedEvent(TypeChangedCb cb) { _typeChangedCb = std::move(cb); }

    // Plain UTF-8; null or empty clears. The counter and the type follow.
    void setTextToEntry(const char* text);
    const std::string& getText() const { return _text; }
    bool isEntryEmpty() const { return _text.empty(); }
    MsgType getMsgType() const { return _msgType; }
    // Where the preview's cursor is, in characters, for the editor to start at.
    int getCursorPos() const;
    void setAccessLoop();
    Evas_Object* getLatestAccessObj() const;
    void appEventListener(MCommonAppEventType type);

    // What the row shows, for the screen reader and for tests: the counter's parts.
    Evas_Object* getEntry() const { return _entry; }
    Evas_Object* getCounter() const { return _counter; }
    Evas_Object* getSendButton() const { return _sendBtn; }

private:
    Evas_Object* _createEntry(Evas_Object* parent);
    Evas_Object* _createCounter(Evas_Object* parent);
    Evas_Object* _createSendButton(Evas_Object* parent);
    // What a row laid out again sets on the widgets it keeps: texts a language change moves.
    void _fillEntry();
    void _nameSendButton();
    void _showText();
    void _updateRemainInfo();
    void _setCounterParts(const char* remain, const char* slash, const char* max, const char* mms);

    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _reusableContentGetCb(void* data, Evas_Object* obj, const char* part,
                                              Evas_Object* old);
    static void _entryClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _sendClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _objDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    std::string _text;
    bool _reducedLimit;
    MsgType _msgType = MSG_TYPE_SMS;
    Evas_Object* _entry = nullptr;
    Evas_Object* _counter = nullptr;
    Evas_Object* _sendBtn = nullptr;
    BodyClickCb _bodyClickCb;
    SendClickCb _sendClickCb;
    TypeChangedCb _typeChangedCb;
};

} // namespace compose
} // namespace msg_app

#endif
