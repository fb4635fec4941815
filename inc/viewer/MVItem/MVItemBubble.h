/*
 * One message of the conversation as a bubble: received on the left, sent
 * on the right, its text (links tappable), pictures, sounds and files, and a
 * status line with the time, the marks, the sending spinner or the failure
 * mark. The row's widgets are rebuilt whenever the genlist realizes it, so
 * whatever must survive scrolling lives here.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMBUBBLE_H
#define MSG_APP_VIEWER_MVITEM_MVITEMBUBBLE_H

#include "msg_store/Conversation.h"
#include "qel.h"
#include "view_kit/WSignal.h"
#include "viewer/MVItem/MVBubbleContent.h"
#include "viewer/MVItem/MVBubbleGesture.h"
#include "viewer/MVItem/MVItem.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {

class IMVBubbleActions;
class IMVItemDataProvider;
class MVBubbleSizer;

class MVItemBubble : public MVItem {
public:
    enum Event : int {
        LONGPRESSED = 0, // in normal view: the conversation enters select mode with this bubble
        CLICKED = 1,     // not emitted
        CHECKED = 2,
        UNCHECKED = 3,
    };
    using InfoType = MVBubbleContent::InfoType;
    enum BubbleType : int {
        BUBBLE_SENT = 1,
        BUBBLE_RECEIVED = 2,
    };
    // The widest bubble, in theme pixels: all the room its row leaves between the side
    // margins (bubble/row).
    static constexpr int MAX_W = 270;
    // The body text's text class, whose size the conversation switches.
    static constexpr const char* BODY_TEXT_CLASS = "msg_detail_view";

    MVItemBubble();
    ~MVItemBubble() override;

    // False (and an empty bubble) when the provider does not hold the message.
    bool init(int msgId, bool browserAvailable, ViewType viewType, const IMVItemDataProvider* provider);
    void update(std::shared_ptr<msg_store::Conversation> conv);
    void updateDateTimeFormat();

    int getMsgId() const;
    time_t getTime() const;
    int getFolderType() const;
    int getBubbleType() const { return _bubbleType; }
    ViewType getViewType() const { return _viewType; }
    bool isMms() const { return _isMms; }
    // Laid out right to left: the language its text was last made in reads so.
    bool isRtl() const { return _rtl; }
    // The time as the status line shows it.
    const std::string& getTimeText() const { return _timeText; }
    // Whoever acts on what the finger does to the bubble (the conversation); none: taps that would
    // reach beyond the row do nothing.
    void setActions(IMVBubbleActions* actions) { _actions = actions; }
    IMVBubbleActions* getActions() const { return _actions; }
    // Held weakly by whatever answers later, to find out whether the bubble is gone.
    std::weak_ptr<void> getLifeToken() const { return _alive; }
    // The finger is done with the bubble: a page that opens over it takes the finger.
    void releaseFinger() { _gesture.release(); }
    // A picture or file of the text is pressed: the bubble looks pressed with it.
    void showContentPressed();
    const std::shared_ptr<msg_store::Conversation>& getConv() const { return _conv; }
    // Rows are then sized on the sizer, and the text widget is built only once the row is shown.
    void setSizer(std::shared_ptr<MVBubbleSizer> sizer) { _sizer = std::move(sizer); }
    // The genlist shows the row (its "realized" signal): the text widget it still lacks is built.
    void realized();
    // A finger resting on the text at the canvas point since before the page took input becomes
    // a press of this bubble; false when the point is off the text or no finger is down.
    bool takeHeldFinger(int x, int y);
    // Its text already follows a finger that came down on it.
    bool hasFinger() const { return _gesture.isPressed(); }
    // Measures the bubble on its sizer before any row of it exists; obj: any object of the canvas.
    bool measureAhead(Evas_Object* obj);
    // Something every bubble's text depends on changed (language, contacts, text sizes, settings):
    // each bubble builds its text again when next shown.
    static void invalidateMarkups();

    unsigned int addEventListener(std::function<void(Event, MVItem*)> listener, Evas_Object* owner);
    void removeEventListener(unsigned int& id);

    Type getType() const override { return BUBBLE; }
    bool isChecked() const override { return _isChecked; }
    void setCheck(bool checked) override;
    void setViewType(ViewType viewType) override;

    Elm_Genlist_Item_Class* getItemClassStatic() override;
    void onSelect(Elm_Object_Item* item) override;

private:
    friend class MVItemBubbleTestPeer;

    Evas_Object* _createContent(Evas_Object* genlist);
    // A row another bubble had, taken over; null when it is not a bubble's row.
    Evas_Object* _reuseContent(Evas_Object* genlist, Evas_Object* old);
    Evas_Object* _fillRow(Evas_Object* genlist, Evas_Object* row);
    void _buildLabel(Evas_Object* row);
    // The text widget the row has from another bubble: emptied, and of this one's style, for this
    // one's text.
    void _prepareRowLabel(Evas_Object* row);
    // The row's own text widget, or a new one when it has none.
    Evas_Object* _createLabel(Evas_Object* row);
    void _hookLabel(Evas_Object* label);
    void _setLabelText(Evas_Object* label);
    const char* _entryStyle() const;
    void _releaseLabel();
    std::string _makeMarkupText(Evas_Object* measurer);
    // The text is built once, and again only after its message, time or surroundings changed.
    void _refreshMarkup(Evas_Object* measurer);
    bool _measure();
    void _applySize(Evas_Object* row);
    void _bubbleClicked();
    void _onLongPress();
    // Sends a failed message again: the bubble shows "sending" at once, and a refusal brings the
    // failure mark back if the bubble is still there.
    void _resend();
    void _onResent(bool sent);
    void _refreshStatus();
    // Shows the next part of a long text (the first after the last), from its top.
    void _showNextBodyPart();

    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _reusableContentGetCb(void* data, Evas_Object* obj, const char* part,
                                              Evas_Object* old);
    static void _anchorClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _labelDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _contentPressedCb(void* data, Evas_Object* obj, const char* emission, const char* source);

    bool _isMms = false;
    // A long text is shown a part at a time; a tap goes on to the next part.
    size_t _bodyPart = 0;
    size_t _bodyPartCount = 1;
    bool _browserAvailable = false;
    bool _isChecked = false;
    bool _isContentPressed = false;
    int _bubbleType = BUBBLE_SENT;
    ViewType _viewType = VIEW_TYPE_NORMAL;
    Evas_Object* _label = nullptr;
    Qel_Cut_Link* _cutLink = nullptr;
    std::string _timeText;
    std::string _markup;
    // The start of _markup that is not searched for links (the sender's name).
    size_t _markupHeadLen = 0;
    // The layout direction the text and the style were chosen for.
    bool _rtl = false;
    // The markups' generation _markup was built in; 0: to be built.
    unsigned int _markupGeneration = 0;
    static unsigned int _markupsGeneration;
    std::shared_ptr<MVBubbleSizer> _sizer;
    std::shared_ptr<msg_store::Conversation> _conv;
    view_kit::WSignal<void(Event, MVItem*)> _signal;
    IMVBubbleActions* _actions = nullptr;
    MVBubbleContent _content{*this};
    MVBubbleGesture _gesture{[this] { return _isChecked; }, [this] { _onLongPress(); }};
    // The label's size for the text, widest width and text size it was measured with.
    struct MeasuredSize {
        std::string text;
        int maxW = 0;
        int fontSize = 0;
        int width = 0;
        int height = 0;
    };
    MeasuredSize _measured;
    bool _resendRunning = false;
    // The failure the message had, shown again when the resend is refused.
    msg_store::NetworkStatus _failedStatus = msg_store::NETWORK_STATUS_SEND_FAIL;
    // Lives as long as the bubble; answers that come later (a resend's, a popup's) hold it weakly,
    // so that they find out whether the bubble is gone.
    std::shared_ptr<bool> _alive = std::make_shared<bool>(true);
};

} // namespace msg_viewer
} // namespace msg_app

#endif
