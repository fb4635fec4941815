/*
 * The input selector's window: who the text goes to, the message being
 * answered, a few quick replies, an entry for the desktop keyboard (Enter
 * sends) and the choice to write in the composer instead. Whatever the user
 * picks answers the request; back cancels it.
 */
#ifndef MSG_INPUT_INPUTSELECTORSCREEN_H
#define MSG_INPUT_INPUTSELECTORSCREEN_H

#include "app_control.h"
#include "view_kit/WContentViewController.h"

#include <string>
#include <vector>

namespace msg_app {
namespace input {

class InputSelectorScreen : public view_kit::WContentViewController {
public:
    static constexpr const char* NAME = "input-selector";

    // The screen keeps its own copy of the request.
    explicit InputSelectorScreen(app_control_h request);
    ~InputSelectorScreen() override;
    const char* getClassName() const override { return "InputSelectorScreen"; }

    // The quick replies: the preference's lines, else the built-in ones.
    static std::vector<std::string> quickReplies();

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    bool onPop() override;

private:
    Evas_Object* _addLabel(Evas_Object* box, const std::string& text, const char* style);
    void _addQuickReply(Evas_Object* box, const std::string& text);
    void _addKeyboardChoice(Evas_Object* box);
    Evas_Object* _addEntry(Evas_Object* box);
    void _finish(bool answered);
    static void _entryActivatedCb(void* data, Evas_Object* obj, void* info);
    static void _quickReplyCb(void* data, Evas_Object* obj, void* info);
    static void _keyboardCb(void* data, Evas_Object* obj, void* info);

    app_control_h _request = nullptr;
    bool _answered = false;
};

} // namespace input
} // namespace msg_app

#endif
