// In a process of its own: the language a change leaves set is the whole process's, and the
// tests after it would run in it.
#include "ViewerScreenFixture.h"

#include "EflTest.h"
#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "vconf.h"
#include "viewer/MVItem/MVItemReply.h"

using namespace msg_app::msg_viewer;

using LanguageChangeTest = ViewerScreenFixture;

// A change of language redraws every row in the other direction and its own sizes: the rows
// being read stay in the middle of the screen, at the end of the conversation or above it.
TEST_F(LanguageChangeTest, KeepsTheRowsBeingRead) {
    std::vector<int> ids = openThread(45);
    Evas_Object* genlist = listView()->getGenlist();
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(genlist, &x, &y, &w, &h);
    // The row's drawn centre in the middle half of the screen.
    auto nearMiddle = [&](Elm_Object_Item* item) {
        Evas_Object* content = elm_object_item_part_content_get(item, "elm.icon");
        int rowY = 0, rowH = 0;
        if (!content)
            return false;
        evas_object_geometry_get(content, nullptr, &rowY, nullptr, &rowH);
        int centre = rowY + rowH / 2;
        return centre >= y + h / 4 && centre <= y + h * 3 / 4;
    };
    Elm_Object_Item* end = listView()->getReplyItem()->getElmObjectItem();
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return listView()->getLoadedCount() == 30 && nearMiddle(end); }));
    msg_test::ToolkitErrors errors;
    for (bool atEnd : {true, false}) {
        Elm_Object_Item* shown =
            atEnd ? end : listView()->findBubble(ids[ids.size() - 12])->getElmObjectItem();
        if (!atEnd) {
            elm_genlist_item_show(shown, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
            ASSERT_TRUE(msg_test::runLoopUntil([&] { return nearMiddle(shown); }));
        }
        for (const char* language : {"ar_AE.UTF-8", "ko_KR.UTF-8", "en_US.UTF-8"}) {
            SCOPED_TRACE(language);
            ASSERT_EQ(vconf_set_str("db/menu_widget/language", language), 0);
            msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LANGUAGE_CHANGING);
            msg_app::common_ui_helper::set_language();
            msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LANGUAGE_CHANGED);
            EXPECT_TRUE(msg_test::runLoopUntil([&] { return nearMiddle(shown); }))
                << (atEnd ? "the end" : "a bubble above it") << " left the middle";
        }
    }
    EXPECT_EQ(errors.containing("valid object"), std::vector<std::string>{});
}
