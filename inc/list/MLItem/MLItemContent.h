/*
 * One conversation (or, in the blocked list, one message) of the list: the
 * name, two lines of text, the time, the unread badge, the SIM and alert
 * icons and, in select mode, a check box.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMCONTENT_H
#define MSG_APP_LIST_MLITEM_MLITEMCONTENT_H

#include "list/MLItem/MLItem.h"
#include "list/MLItem/MLItemCircleInset.h"
#include "list/MLItemContentModel.h"

#include <functional>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_list {

class MLItemContent : public MLItem {
public:
    using EventListener = std::function<void(MLItem::Event, const MLItem*)>;

    // The badge text never shows more than this.
    static constexpr int MAX_UNREAD_SHOWN = 999;
    // The highlighted row reads at most this many characters of its text lines.
    static constexpr long MAX_ACCESS_TEXT_CHARS = 50;

    enum TextLayout : int {
        TEXT_LAYOUT_BOTH = 0,
        TEXT_LAYOUT_HIDE_TEXT2 = 1,
        TEXT_LAYOUT_HIDE_TEXT1 = 2,
    };

    // The row's model reads the store through the list's object, which outlives the row.
    MLItemContent(DataType dataType, ListFilter filter, MCommonMsgStore& store);
    ~MLItemContent() override;

    bool init(int id, IMLItemDataProvider* provider) { return _model.init(id, provider); }
    void setEventListener(EventListener listener) { _listener = std::move(listener); }
    // Told once, from the destructor, so that an index of rows never keeps a deleted one.
    void setDestroyListener(std::function<void(const MLItemContent*)> listener) {
        _destroyListener = std::move(listener);
    }
    int getItemId() const { return _model.getItemId(); }
    time_t getTime() const { return _model.getTime(); }
    const MLItemContentModel& getModel() const { return _model; }

    // The list's order: newest first, equal times by the higher id first.
    bool isAfter(const MLItemContent& other) const;
    // Re-reads the row; false when it should leave the list. unreadIncreased tells whether the
    // unread count grew.
    bool update(bool& unreadIncreased);
    // update() in two steps, for a caller that places the row elsewhere before it is drawn:
    // re-reads the record (changed: its time or unread count differ) and redraws it.
    bool reread(bool& unreadIncreased, bool& changed);
    void redraw();
    // Lets go of the genlist item, which may then be deleted without the row; the row keeps its
    // data and is placed again with a new item.
    void detach();
    void updateName();
    void realized();
    void unrealized();
    // Stops following the objects the row made; those the genlist gave back (takenBack) go: a
    // borrowed badge to the pool, the rest deleted. The others are still the genlist's, shown
    // or kept with a row view it may use again, and it deletes them.
    void unswallow(const std::vector<Evas_Object*>& takenBack = {});
    void setAccessInfoActionCb();
    void getAccessInfoText(std::string& out);

    // What the genlist shows in a text part; empty for nothing.
    std::string getText(const char* part) const;
    TextLayout getTextLayout() const { return _textLayout; }
    bool isHighlighted() const { return _isHighlighted; }

    Elm_Genlist_Item_Class* getItemClassStatic() override;
    void onSelect(Elm_Object_Item* item) override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;
    Type getType() const override { return CONTENT; }
    bool isChecked() const override { return _isChecked; }
    void setCheck(bool checked) override;
    void setStyle(ListStyle style) override;

    // Control characters become spaces and the rest is escaped, so user text is never markup.
    static std::string toMarkup(const std::string& text);
    // The unread signal of the badge width: 1, 2 or 3 digits.
    static const char* unreadSignal(int unreadCount);

private:
    struct Swallowed {
        const char* part;
        Evas_Object* obj;
        bool isPooled;
    };

    Evas_Object* _createContent(Evas_Object* parent, const char* part);
    Evas_Object* _createCheck(Evas_Object* parent);
    Evas_Object* _createBadge(Evas_Object* parent, bool& isPooled);
    Evas_Object* _createImage(Evas_Object* parent, const char* group, int w, int h);
    void _remember(const char* part, Evas_Object* obj, bool isPooled);
    void _forget(Evas_Object* obj);
    void _sendEvent(MLItem::Event event);
    void _emit(const char* signal);
    void _emitNameLine(const std::string& name);
    void _emitTextLayout();
    // Moves the check and the lines in where the circle's edge comes in at the row's place.
    void _applyInsets();
    // Sends the view the insets of the row's place; false when it shows them already. nameMoved:
    // the name line's room changed.
    bool _sendInsets(bool& nameMoved);
    // The row's view, while the row is realized.
    Evas_Object* _view() const;
    // What was just sent to the view shows in the frame being drawn, not in the next.
    void _showNow();
    static bool _isNumberName(const std::string& name);
    void _takeBackContents();
    // The screen reader no longer reads the item, which is going.
    static void _leaveAccessOrder(Elm_Object_Item* item);
    void _deleteCheck();
    void _accessLinesText(std::string& out) const;
    void _refreshAccessDescription();
    bool _hasUnreadBadge() const { return _model.getDataType() == THREAD && _model.getUnreadCnt() > 0; }
    bool _hasSimMark() const;

    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static void _checkChangedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _objectDelCb(void* data, Evas* evas, Evas_Object* obj, void* eventInfo);
    static void _itemSignalCb(void* data, Elm_Object_Item* item, const char* emission, const char* source);
    static void _insetProbeMovedCb(void* data, Evas* evas, Evas_Object* obj, void* eventInfo);

    EventListener _listener;
    std::function<void(const MLItemContent*)> _destroyListener;
    bool _isChecked = false;
    ListStyle _style = LIST_STYLE_NORMAL;
    const ListFilter _filter;
    bool _isHighlighted = false;
    // Realized by the genlist before the row was told its item.
    bool _isRealizePending = false;
    TextLayout _textLayout = TEXT_LAYOUT_BOTH;
    std::vector<Swallowed> _swallowed;
    Evas_Object* _check = nullptr;
    // Swallowed at the row's top left: its moves are the row's.
    Evas_Object* _insetProbe = nullptr;
    MLItemCircleInset::Insets _insets;
    bool _insetsShown = false;
    MLItemContentModel _model;
};

} // namespace msg_list
} // namespace msg_app

#endif
