#ifndef MSG_TESTS_LIST_LISTSCREENFIXTURE_H
#define MSG_TESTS_LIST_LISTSCREENFIXTURE_H

#include "ListRowFixture.h"
#include "list/MLListViewController.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WWindowController.h"

#include <memory>
#include <string>
#include <vector>

// The list inside a page of the watch's window, so that what it opens lands on a real naviframe.
class ListScreenFixture : public ListRowFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    void create(msg_app::msg_list::ListType type);
    Elm_Object_Item* itemOf(int id) const;
    msg_app::msg_list::MLItem* rowAt(int index) const;
    // A real press on the row, let go at once or once the list has taken it as a long press.
    void press(Elm_Object_Item* item, bool longPress);
    void tap(Elm_Object_Item* item) { press(item, false); }
    void longPress(Elm_Object_Item* item) { press(item, true); }
    void clickButton(Evas_Object* button);
    Evas_Object* countButton() const;
    // The texts of the popups of a class ("Elm.Popup", "Elm.Ctxpopup") on the window.
    std::vector<Evas_Object*> popups(const char* className) const;
    bool hasToast(const std::string& text) const;
    bool threadExists(int threadId) const;
    std::string topPageName() const;

    std::unique_ptr<view_kit::WWindowController> appWindow;
    msg_app::msg_list::MLListViewController* list = nullptr;
    std::vector<msg_app::msg_list::MLListViewController::Event> events;
};

#endif
