/*
 * The option menu of a screen: the round more-option panel whose cue opens a
 * rotary selector of icon items. It holds the screen's content, keeps the
 * items translated, tells the screen when it opens and closes, and runs an
 * item's action only once the panel has finished closing. Items are built
 * when the loop idles after the screen's first frame, or at once when the
 * panel is open or opens: a shut panel is not drawn. Main loop only.
 */
#ifndef MSG_APP_COMMON_VIEW_MCOMMONMOREOPTIONVIEWCONTROLLER_H
#define MSG_APP_COMMON_VIEW_MCOMMONMOREOPTIONVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "efl_extension.h"
#include "view_kit/WFrameWait.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace msg_app {

class MCommonMoreOptionViewController : public view_kit::WViewController, public IMCommonAppEventListener {
public:
    enum ItemType {
        NORMAL = 0,
        // Puts the screen into item-selection mode; a toast tells the user what to do next.
        SELECT_MODE = 1,
    };

    using ItemCb = std::function<void(Eext_Object_Item*)>;

    struct Item {
        Item(const char* main, const char* sub, ItemType itemType, ItemCb clicked, ItemCb languageChanged);
        ~Item();
        Item(const Item&) = delete;
        Item& operator=(const Item&) = delete;

        char* mainText = nullptr;
        char* subText = nullptr;
        ItemType type = NORMAL;
        ItemCb onClicked;
        ItemCb onLanguageChanged;
    };

    MCommonMoreOptionViewController();
    ~MCommonMoreOptionViewController() override;

    bool setContent(Evas_Object* content);
    bool setContent(view_kit::WViewController* content);
    bool switchContent(view_kit::WViewController* content);

    bool appendItem(const char* mainText, const char* subText, const char* imgGroup, ItemCb onClicked,
                    ItemCb onLanguageChanged, ItemType type = NORMAL);
    void clearItems();
    // Removes every item but leaves an open panel open; its first item is selected once appended.
    void removeItems();
    // The position of the item under the selector, -1 for none.
    int getSelectedIndex() const;
    // Puts the item at index under the selector; false when there is no such item.
    bool setSelectedIndex(int index);

    void open();
    void close();
    bool isOpened() const;
    void setOnOpened(std::function<void()> cb);
    void setOnClosed(std::function<void()> cb);

    void setCueVisible(bool visible);
    // True only when the cue may show and there is an item to show.
    bool getCueVisible() const;
    void enableCueAutoHighlight(bool enable);
    Evas_Object* getCueAccessObject() const;

    void appEventListener(MCommonAppEventType type) override;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;

private:
    // An item appended and not built yet.
    struct PendingItem {
        std::optional<std::string> mainText;
        std::optional<std::string> subText;
        std::string imgGroup;
        ItemCb onClicked;
        ItemCb onLanguageChanged;
        ItemType type = NORMAL;
    };

    Eext_Object_Item* _build(PendingItem& pending);
    void _buildPending();
    void _scheduleBuild();
    void _updateItemText(Eext_Object_Item* item);
    void _updateCueVisible();
    Item* _findItem(Eext_Object_Item* item) const;
    void _onClickedItemPanelClosed();
    void _showSelectModeToast();

    static void _openedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _closedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _clickedItemClosedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _itemClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _itemSelectedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _itemLanguageChangedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _itemDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    std::map<Eext_Object_Item*, Item*> _itemMap;
    std::vector<PendingItem> _pending;
    view_kit::WFrameWait _firstFrame;
    bool _frameDrawn = false;
    std::weak_ptr<view_kit::WTimer> _pendingIdler;
    std::function<void()> _onOpenedCb;
    std::function<void()> _onClosedCb;
    bool _cueVisible = true;
    int _itemCount = 0;
    Eext_Object_Item* _clickedItem = nullptr;
    ItemType _clickedItemType = NORMAL;
    bool _isOpened = false;
    bool _cueAutoHighlight = false;
};

} // namespace msg_app

#endif
