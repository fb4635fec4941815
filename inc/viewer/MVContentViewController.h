/*
 * The conversation screen as this build has it: the conversation's name and
 * its latest messages as plain text, read-only. The full viewer, with bubbles,
 * options and reply, replaces it under the same name; the list opens it for a
 * tapped conversation and the back key closes it.
 */
#ifndef MSG_APP_VIEWER_MVCONTENTVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MVCONTENTVIEWCONTROLLER_H

#include "view_kit/WContentViewController.h"

#include <string>

namespace msg_app {
namespace msg_viewer {

class MVContentViewController : public view_kit::WContentViewController {
public:
    // At most this many of the newest messages are shown.
    static constexpr size_t MAX_SHOWN_MESSAGES = 5;

    explicit MVContentViewController(int threadId);
    ~MVContentViewController() override;

    const char* getClassName() const override { return "MVContentViewController"; }
    int getThreadId() const { return _threadId; }
    // What the title shows: the display name of the conversation.
    const std::string& getTitle() const { return _title; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;

private:
    Evas_Object* _addLabel(Evas_Object* box, const std::string& markup);

    const int _threadId;
    std::string _title;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
