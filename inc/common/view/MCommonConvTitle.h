/*
 * The name a conversation's page goes by: its display name as plain text,
 * and that name as the screen reader says it (a number read out digit by
 * digit).
 */
#ifndef MSG_APP_COMMON_VIEW_MCOMMONCONVTITLE_H
#define MSG_APP_COMMON_VIEW_MCOMMONCONVTITLE_H

#include <Elementary.h>

#include <string>

namespace msg_app {

class MCommonConvTitle {
public:
    MCommonConvTitle() = delete;

    // The display name of the thread's conversation without markup; empty when it is unknown.
    static std::string get(int threadId);
    // The display name as the screen reader says it: a number digit by digit.
    static std::string getSpoken(int threadId);
    // Names the page item after the conversation for the screen reader.
    static void setAccessName(Elm_Object_Item* naviItem, int threadId);
};

} // namespace msg_app

#endif
