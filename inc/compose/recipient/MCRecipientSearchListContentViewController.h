/*
 * Every match of a typed recipient: the contacts whose name or number holds
 * it, then the numbers of the call log that belong to no contact. Choosing
 * one hands its number back and closes the list.
 */
#ifndef MSG_APP_COMPOSE_MCRECIPIENTSEARCHLISTCONTENTVIEWCONTROLLER_H
#define MSG_APP_COMPOSE_MCRECIPIENTSEARCHLISTCONTENTVIEWCONTROLLER_H

#include "contacts.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WTimer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {
namespace compose {

class MCItemRcptSearch;

class MCRecipientSearchListContentViewController : public view_kit::WContentViewController {
public:
    static constexpr const char* NAME = "compose_rcpt_search_list";
    // The contacts the list shows at most; one more is asked for to know whether more exist.
    static constexpr int MAX_CONTACT_ITEMS = 100;
    static constexpr int MAX_LOG_ITEMS = 100;

    explicit MCRecipientSearchListContentViewController(const char* keyword);
    ~MCRecipientSearchListContentViewController() override;

    const char* getClassName() const override { return "MCRecipientSearchListContentViewController"; }
    void setOnSelectNumber(std::function<void(const char*)> cb) { _onSelect = std::move(cb); }
    // The rows shown once the list is built (the header aside).
    int getShownCount() const { return _shown; }
    bool isBuilt() const { return _built; }

protected:
    bool onCreate(void* param) override;
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onDestroy() override;

private:
    bool _appendItems();
    void _collectContacts(std::vector<MCItemRcptSearch*>& rows) const;
    void _collectLogs(std::vector<MCItemRcptSearch*>& rows) const;
    void _onSelected(Elm_Object_Item* item);
    static void _selectedCb(void* data, Evas_Object* obj, void* eventInfo);

    std::string _keyword;
    contacts_list_h _contacts = nullptr;
    contacts_list_h _logs = nullptr;
    Evas_Object* _genlist = nullptr;
    int _shown = 0;
    bool _built = false;
    std::weak_ptr<view_kit::WTimer> _appendIdler;
    std::weak_ptr<view_kit::WTimer> _destroyIdler;
    std::function<void(const char*)> _onSelect;
};

} // namespace compose
} // namespace msg_app

#endif
