#ifndef MSG_TESTS_VIEWKIT_TESTCONTROLLERS_H
#define MSG_TESTS_VIEWKIT_TESTCONTROLLERS_H

#include "view_kit/WContentViewController.h"

#include <algorithm>
#include <string>
#include <vector>

namespace msg_test {

// The calls a test page receives, in order, shared by all pages of a test.
struct CallJournal {
    std::vector<std::string> calls;
    int alive = 0;
    bool hasCall(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

// A page whose view is a plain layout; it writes every framework call to the
// journal as "<name>:<call>", and checks in onDestroy that its view exists.
class JournalPage : public view_kit::WContentViewController {
public:
    JournalPage(CallJournal& journal, const char* name) : _journal(journal) {
        setName(name);
        ++_journal.alive;
    }
    ~JournalPage() override {
        --_journal.alive;
        _log("deleted");
    }

    bool failCreateView = false;
    bool refusePop = false;

protected:
    bool onCreate(void*) override { return _log("onCreate"); }
    Evas_Object* onCreateView(Evas_Object* parent, void*) override {
        _log("onCreateView");
        if (failCreateView)
            return nullptr;
        Evas_Object* layout = elm_layout_add(parent);
        elm_layout_theme_set(layout, "layout", "application", "content-back");
        return layout;
    }
    void onCreated() override { _log("onCreated"); }
    void onDestroy() override {
        bool viewExists =
            getEvasObject() && wviewcontroller_get_instance_from_evasobj(getEvasObject()) == this;
        _log(viewExists ? "onDestroy(view)" : "onDestroy(no view)");
    }
    void onPushed(Elm_Object_Item*) override { _log("onPushed"); }
    void onBecomeTop() override { _log("onBecomeTop"); }
    bool onPop() override { return _log("onPop") && !refusePop; }

private:
    // Writes the call to the journal; true, so that a hook that succeeds can return it.
    bool _log(const char* call) {
        _journal.calls.push_back(std::string(getName()) + ":" + call);
        return true;
    }
    CallJournal& _journal;
};

} // namespace msg_test

#endif
