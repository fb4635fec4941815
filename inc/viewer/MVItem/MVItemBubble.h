/*
 * One message of the conversation as a bubble: received on the left, sent
 * on the right, its text (links tappable), pictures, sounds and files, and a
 * status line with the time, the marks, the sending spinner or the failure
 * mark. The row's widgets are rebuilt whenever the genlist realizes it, so
 * whatever must survive scrolling lives here.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMBUBBLE_H
#define MSG_APP_VIEWER_MVITEM_MVITEMBUBBLE_H

#include "common/IMCommonScreenOpener.h"
#include "msg_store/Conversation.h"
#include "qel.h"
#include "view_kit/WSignal.h"
#include "viewer/MVItem/MVItem.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {

class IMVItemDataProvider;
class MVBubbleSizer;
class MVMouseEventMgr;

class MVItemBubble : public MVItem {
public:
    enum Event : int {
        LONGPRESSED = 0, // in normal view: the conversation enters select mode with this bubble
        CLICKED = 1,     // not emitted
        CHECKED = 2,
        UNCHECKED = 3,
    };
    enum InfoType : int {
        INFO_SENDING = 1,
        INFO_FAILED = 2,
        INFO_NORMAL = 3,
    };
    enum BubbleType : int {
        BUBBLE_SENT = 1,
        BUBBLE_RECEIVED = 2,
    };
    // The widest bubble, in theme pixels.
    static constexpr int MAX_W = 264;
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
    const std::shared_ptr<msg_store::Conversation>& getConv() const { return _conv; }
    // The text widget while the row is realized, else null.
    Evas_Object* getLabel() const { return _label; }
    // Rows are then sized on the sizer, and the text widget is built only once the row is shown.
    void setSizer(std::shared_ptr<MVBubbleSizer> sizer) { _sizer = std::move(sizer); }
    // The genlist shows the row (its "realized" signal): the text widget it still lacks is built.
    void realized();
    // A finger resting on the text at the canvas point since before the page took input becomes
    // a press of this bubble; false when the point is off the text or no finger is down.
    bool takeHeldFinger(int x, int y);
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
    Evas_Object* _createContent(Evas_Object* genlist);
    // A row another bubble had, taken over; null when it is not a bubble's row.
    Evas_Object* _reuseContent(Evas_Object* genlist, Evas_Object* old);
    Evas_Object* _fillRow(Evas_Object* genlist, Evas_Object* row);
    void _buildLabel(Evas_Object* row);
    Evas_Object* _createLabel(Evas_Object* parent);
    const char* _entryStyle() const;
    void _releaseLabel();
    std::string _makeMarkupText(Evas_Object* measurer);
    // The text is built once, and again only after its message, time or surroundings changed.
    void _refreshMarkup(Evas_Object* measurer);
    bool _measure();
    void _applySize(Evas_Object* row);
    void _bubbleClicked();
    // Sends a failed message again: the bubble shows "sending" at once, the store is asked on a
    // worker, and a refusal brings the failure mark back if the bubble is still there.
    void _resend();
    // The road the message first took: the watch's own modem for the watch's messages, else the
    // paired phone, or the network message service while the number service carries them.
    IMCommonScreenOpener::SendRoad _resendRoad() const;
    // False, with the road's own popup shown, when the road cannot carry the message now.
    bool _checkResendRoad(IMCommonScreenOpener::SendRoad road);
    void _refreshStatus();
    // Shows the next part of a long text (the first after the last), from its top.
    void _showNextBodyPart();
    // An MMS not on the watch yet: asks, then requests it.
    void _showRetrievePopup();
    void _retrieve();
    static void _resendDoneCb(void* data);
    void _cutlinkClicked(const char* anchor);
    // A web link, in what the watch has for its kind.
    void _openUri(const std::string& url);
    // False when the page cannot be made (no web engine).
    bool _openWebView(const std::string& url);
    void _openInBrowser(const std::string& link);
    // A number in the text: the option panel offers to call it or write to it.
    void _cutlinkSelectPhone(const std::string& markup);
    void _onCutlinkOption(int option, const std::string& number);
    // The finger on the text: the pressed look and the long press that starts select mode.
    void _attachGestures(Evas_Object* label);
    void _onGesture(int event);
    void _bubbleLongpressed();

    // Objects the text's items stand for.
    Evas_Object* _itemProvider(Evas_Object* entry, const char* item);
    Evas_Object* _createImageContent(Evas_Object* parent, int index, int w, int h);
    Evas_Object* _createAudioContent(Evas_Object* parent, int index);
    Evas_Object* _createAttachmentContent(Evas_Object* parent, int index);
    // What a tap on a content opens; a file still on the phone is asked for.
    void _openContent(int index);
    void _peerFileTransferRequest(const msg_store::Content& content);
    void _launchMediaViewer(const msg_store::Content& content);
    void _launchImageViewer(const std::vector<std::string>& files, const std::string& defaultFile);
    bool _launchFileViewer(const std::string& path);
    void _launchAttachFileViewer(const std::string& path);
    void _toast(const char* textId, int icon);
    Evas_Object* _createInfoLayout(Evas_Object* parent, InfoType type);
    Evas_Object* _createSeparator(Evas_Object* parent);
    const msg_store::Content* _contentAt(int index) const;

    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _reusableContentGetCb(void* data, Evas_Object* obj, const char* part,
                                              Evas_Object* old);
    static Evas_Object* _itemProviderCb(void* data, Evas_Object* entry, const char* item);
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
    std::unique_ptr<MVMouseEventMgr> _gestureMgr;
    // The long press already acted: the release that ends it is not a tap.
    bool _longPressed = false;
    // The label's size for the text, widest width and text size it was measured with.
    struct MeasuredSize {
        std::string text;
        int maxW = 0;
        int fontSize = 0;
        int width = 0;
        int height = 0;
    };
    MeasuredSize _measured;
    // Lives as long as the bubble; a worker holds it weakly, so that its answer finds out whether
    // the bubble is gone.
    struct ResendState {
        bool running = false;
        // The failure the message had, shown again when the resend is refused.
        msg_store::NetworkStatus failedStatus = msg_store::NETWORK_STATUS_SEND_FAIL;
    };
    std::shared_ptr<ResendState> _resendState = std::make_shared<ResendState>();
};

} // namespace msg_viewer
} // namespace msg_app

#endif
