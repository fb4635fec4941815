// The recipient screen pushed on the watch's window of a fresh device, with helpers that find its
// rows, its toasts and the launch requests it sent.
#ifndef MSG_TESTS_COMPOSE_RECIPIENT_RECIPIENTSCREENTEST_H
#define MSG_TESTS_COMPOSE_RECIPIENT_RECIPIENTSCREENTEST_H

#include "LaunchJournal.h"
#include "WatchScreenTest.h"
#include "compose/MCItem/MCItem.h"
#include "compose/recipient/MCItemRcptLabel.h"
#include "compose/recipient/MCRecipientContentViewController.h"
#include "compose/recipient/MCRecipientEntryContentViewController.h"

#include <string>
#include <vector>

class RecipientScreenTest : public WatchScreenTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void open(const char* address);
    void push(view_kit::WContentViewController* page);
    // Taps the recipient and waits for the entry it opens; null when none opened.
    msg_app::compose::MCRecipientEntryContentViewController* tapRecipient();
    // Types the address in the entry the recipient opens and leaves it (two backs: the first lowers
    // the input panel); true once back on the recipient screen. shown gets the entry's first text.
    bool typeRecipient(const char* address, std::string* shown = nullptr);
    // A finger's tap on the object, and what it sets off on the main loop.
    void tap(Evas_Object* obj);
    // The screen's first row of the class, or null.
    template <typename T> T* row() const {
        Evas_Object* genlist = screen ? screen->getEvasObject() : nullptr;
        for (Elm_Object_Item* it = genlist ? elm_genlist_first_item_get(genlist) : nullptr; it;
             it = elm_genlist_item_next_get(it)) {
            auto* item = static_cast<view_kit::WGenlistItem*>(elm_object_item_data_get(it));
            if (auto* found = dynamic_cast<T*>(item))
                return found;
        }
        return nullptr;
    }
    std::vector<msg_app::compose::MCItem::Type> rowTypes() const;
    // Waits until the label row, built again after a change, is laid out and takes input.
    void waitRowBuilt(msg_app::compose::MCItemRcptLabel* label);
    // Whether a tap at the object's centre reaches it.
    bool takesInput(Evas_Object* obj) const;
    bool hasToast(const std::string& text) const;
    bool waitToast(const std::string& text) const;
    std::string topPageName() const;
    // The requests sent to the application since the test began.
    std::vector<msg_services::LaunchEntry> launchesTo(const std::string& target) const;
    // The input selector's elements in the request it was sent.
    static std::vector<std::string> selectorItems(const msg_services::LaunchEntry& entry);
    // Asks a started application to close and waits until it has.
    void closeLaunched(const msg_services::LaunchEntry& entry);
    int addContact(const std::string& name, const std::string& number);

    msg_app::compose::MCRecipientContentViewController* screen = nullptr;
};

#endif
