// The recipient screen pushed on the watch's window of a fresh device, with helpers that find its
// rows, its toasts and the launch requests it sent.
#ifndef MSG_TESTS_COMPOSE_RECIPIENT_RECIPIENTSCREENTEST_H
#define MSG_TESTS_COMPOSE_RECIPIENT_RECIPIENTSCREENTEST_H

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "WatchScreenTest.h"
#include "common/addr/MCommonAddrMgr.h"
#include "compose/MCItem/MCItem.h"
#include "compose/recipient/MCItemRcptLabel.h"
#include "compose/recipient/MCItemRcptNextButton.h"
#include "compose/recipient/MCRecipientContentViewController.h"
#include "compose/recipient/MCRecipientEntryContentViewController.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "view_kit/WNaviframeController.h"

#include <string>
#include <vector>

class RecipientScreenTest : public WatchScreenTest {
protected:
    using LaunchEntry = msg_services::LaunchEntry;
    using LaunchJournal = msg_services::LaunchJournal;

    void SetUp() override {
        WatchScreenTest::SetUp();
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        ASSERT_TRUE(msg_app::MCommonAddrMgr::getInstance()->connectContact());
    }
    void TearDown() override {
        WatchScreenTest::TearDown();
        msg_app::MCommonAddrMgr::release();
        msg_test::runLoopUntilIdle();
        msg_store::ConnectionManager::disconnect();
    }

    bool open(const char* address) {
        screen = new msg_app::compose::MCRecipientContentViewController(address);
        return push(screen);
    }
    // Whether the page is up and takes input; for the recipient screen, with its label and Next.
    bool push(view_kit::WContentViewController* page) {
        if (!window->getNaviframeController()->push(page) || !waitPageReady(page))
            return false;
        // Keys reach the focused widget of a focused window only.
        elm_win_activate(window->getEvasObject());
        evas_focus_in(evas());
        if (page != screen)
            return true;
        label = row<msg_app::compose::MCItemRcptLabel>();
        next = row<msg_app::compose::MCItemRcptNextButton>();
        return label && next && label->getButton() && next->getButton();
    }
    // Taps the recipient, types the address in the entry it opens and leaves it (two backs: the first
    // lowers the input panel); true once back on the recipient screen. shown gets the entry's first text.
    bool typeRecipient(const char* address, std::string* shown = nullptr) {
        using Entry = msg_app::compose::MCRecipientEntryContentViewController;
        tap(screen->getEvasObject());
        if (!msg_test::runLoopUntil([&] { return topPageName() == Entry::NAME; }))
            return false;
        auto* entry = static_cast<Entry*>(window->getNaviframeController()->getTopContentViewController());
        if (!entry->getEntry())
            return false;
        if (shown)
            *shown = elm_entry_entry_get(entry->getEntry());
        elm_entry_entry_set(entry->getEntry(), address);
        auto* imf = static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(entry->getEntry()));
        if (!msg_test::runLoopUntil([&] {
                return ecore_imf_context_input_panel_state_get(imf) == ECORE_IMF_INPUT_PANEL_STATE_SHOW;
            }))
            return false;
        pressKey("Escape");
        pressKey("Escape");
        return msg_test::runLoopUntil(
            [&] { return topPageName() == msg_app::compose::MCRecipientContentViewController::NAME; });
    }
    // A finger's tap on the object, and what it sets off on the main loop.
    void tap(Evas_Object* obj) {
        clickCenter(obj);
        settle();
    }
    // The screen's rows of the class, in order.
    template <typename T = msg_app::compose::MCItem> std::vector<T*> rows() const {
        std::vector<T*> found;
        Evas_Object* genlist = screen ? screen->getEvasObject() : nullptr;
        for (Elm_Object_Item* it = genlist ? elm_genlist_first_item_get(genlist) : nullptr; it;
             it = elm_genlist_item_next_get(it))
            if (auto* item =
                    dynamic_cast<T*>(static_cast<view_kit::WGenlistItem*>(elm_object_item_data_get(it))))
                found.push_back(item);
        return found;
    }
    // The screen's first row of the class, or null.
    template <typename T> T* row() const { return rows<T>().empty() ? nullptr : rows<T>().front(); }
    std::vector<msg_app::compose::MCItem::Type> rowTypes() const {
        std::vector<msg_app::compose::MCItem::Type> types;
        for (auto* item : rows())
            types.push_back(item->getType());
        return types;
    }
    // Waits until the label row, built again after a change, is laid out and takes input.
    void waitRowBuilt(msg_app::compose::MCItemRcptLabel* label) {
        const char* icon = *label->getAddr() ? "img/composer/minus" : "img/composer/contacts";
        EXPECT_TRUE(msg_test::runLoopUntil([&] {
            Evas_Object* button = label->getButton();
            return takesInput(button) &&
                   imageGroup(elm_object_part_content_get(button, "elm.swallow.content")) == icon;
        }));
    }
    // Whether a tap at the object's centre reaches it: from the top down, through objects that pass
    // events on, to the first that keeps them.
    bool takesInput(Evas_Object* obj) const {
        int x = 0, y = 0, w = 0, h = 0;
        if (obj)
            evas_object_geometry_get(obj, &x, &y, &w, &h);
        if (w <= 0)
            return false;
        Eina_List* found = evas_tree_objects_at_xy_get(evas(), nullptr, x + w / 2, y + h / 2);
        bool reached = false;
        Eina_List* it = nullptr;
        void* data = nullptr;
        EINA_LIST_FOREACH(found, it, data) {
            auto* top = static_cast<Evas_Object*>(data);
            for (Evas_Object* p = top; p && !reached; p = evas_object_smart_parent_get(p))
                reached = p == obj;
            if (reached || !evas_object_repeat_events_get(top))
                break;
        }
        eina_list_free(found);
        return reached;
    }
    bool hasToast(const std::string& text) const {
        Evas_Object* toast = findToast();
        return toast && partText(toast, "elm.text") == text;
    }
    bool waitToast(const std::string& text) const {
        return msg_test::runLoopUntil([&] { return hasToast(text); }, 5.0);
    }
    std::string topPageName() const {
        view_kit::WContentViewController* top =
            window->getNaviframeController()->getTopContentViewController();
        return top ? top->getName() : "";
    }
    // The requests sent to the application since the test began.
    std::vector<LaunchEntry> launchesTo(const std::string& target) const {
        std::vector<LaunchEntry> found;
        for (const LaunchEntry& entry : LaunchJournal::list())
            if (entry.target == target)
                found.push_back(entry);
        return found;
    }
    // The input selector's elements in the request it was sent.
    static std::vector<std::string> selectorItems(const LaunchEntry& entry) {
        std::vector<std::string> items;
        app_control_h request = LaunchJournal::openReceived(entry.id);
        char** values = nullptr;
        int length = 0;
        if (request && app_control_get_extra_data_array(request, "selector_keyboard_data_array", &values,
                                                        &length) == APP_CONTROL_ERROR_NONE) {
            for (int i = 0; i < length; ++i) {
                items.push_back(values[i]);
                free(values[i]);
            }
            free(values);
        }
        if (request)
            app_control_destroy(request);
        return items;
    }
    // Asks a started application to close and waits until it has.
    void closeLaunched(const LaunchEntry& entry) {
        ASSERT_TRUE(LaunchJournal::requestTerminate(entry.id));
        EXPECT_TRUE(msg_test::pumpUntil(
            [&] {
                LaunchEntry now;
                return LaunchJournal::find(entry.id, now) && now.status == "exited";
            },
            30.0));
    }
    int addContact(const std::string& name, const std::string& number) {
        int id = 0;
        EXPECT_TRUE(contacts_admin::addPerson(msg_device::Device::getDefault(), name, {number}, &id));
        return id;
    }

    msg_app::compose::MCRecipientContentViewController* screen = nullptr;
    msg_app::compose::MCItemRcptLabel* label = nullptr;
    msg_app::compose::MCItemRcptNextButton* next = nullptr;
};

#endif
