#include "TestControllers.h"

#include <algorithm>

namespace msg_test {

bool CallJournal::hasCall(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

JournalPage::JournalPage(CallJournal& journal, const char* name) : _journal(journal) {
    setName(name);
    ++_journal.alive;
}

JournalPage::~JournalPage() {
    --_journal.alive;
    _log("deleted");
}

bool JournalPage::_log(const char* call) {
    _journal.calls.push_back(std::string(getName()) + ":" + call);
    return true;
}

Evas_Object* JournalPage::onCreateView(Evas_Object* parent, void*) {
    _log("onCreateView");
    if (failCreateView)
        return nullptr;
    Evas_Object* layout = elm_layout_add(parent);
    elm_layout_theme_set(layout, "layout", "application", "content-back");
    return layout;
}

void JournalPage::onDestroy() {
    bool viewExists = getEvasObject() && wviewcontroller_get_instance_from_evasobj(getEvasObject()) == this;
    _log(viewExists ? "onDestroy(view)" : "onDestroy(no view)");
}

} // namespace msg_test
