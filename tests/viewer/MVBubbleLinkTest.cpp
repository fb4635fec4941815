// Links in a bubble: a tap opens what the link is for, in the application of the watch that
// shows it; a sender's name is never one.
#include "ViewerActionFixture.h"

#include "FeatureStore.h"
#include "MainLoop.h"
#include "common/CommonUtil.h"
#include "common/MCommonCutlinkMgr.h"
#include "msg_store/MsgStore.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVItem/MVItemBubble.h"

#include <Elementary.h>

using namespace msg_app::msg_viewer;
using msg_services::LaunchEntry;

namespace {

constexpr const char* SENDER = "+15550100042";

class BubbleLinkTest : public ViewerActionFixture {
protected:
    // The anchors of the bubble's text, in order: their names as a tap reports them.
    static std::vector<std::string> anchors(const std::string& text) {
        std::vector<std::string> names;
        const std::string open = "<a href=";
        for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
            size_t end = text.find('>', at);
            names.push_back(text.substr(at + open.size(), end - at - open.size()));
        }
        return names;
    }
    std::string textOf(int msgId) {
        MVItemBubble* bubble = listView()->findBubble(msgId);
        // Only a bubble in view has its text widget.
        if (bubble)
            elm_genlist_item_show(bubble->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
        EXPECT_TRUE(bubble &&
                    msg_test::runLoopUntil([&] { return MVItemBubbleTestPeer::label(bubble) != nullptr; }));
        return bubble && MVItemBubbleTestPeer::label(bubble)
                   ? elm_object_text_get(MVItemBubbleTestPeer::label(bubble))
                   : "";
    }
    // A finger on the link, as the text widget reports it.
    void tapAnchor(int msgId, const std::string& name) {
        Elm_Entry_Anchor_Info info = {};
        info.name = name.c_str();
        evas_object_smart_callback_call(MVItemBubbleTestPeer::label(listView()->findBubble(msgId)),
                                        "anchor,clicked", &info);
    }
};

} // namespace

TEST_F(BubbleLinkTest, EachKindOfLinkOpensInTheApplicationForIt) {
    std::string error;
    ASSERT_TRUE(msg_services::FeatureStore::set("zeq/12", "here", &error)) << error;
    const struct {
        const char* text;
        const char* target; // null: the browser, whichever application that is
        const char* uri;
    } cases[] = {
        {"vorlaneapps://ProductDetail/app.one", "com.vorlane.hulmstore",
         "vorlaneapps://ProductDetail/app.one"},
        {"http://apps.vorlane.com/hulm/appDetail.as?appId=0001", "com.vorlane.hulmstore",
         "http://apps.vorlane.com/hulm/appDetail.as?appId=0001"},
        // The link "Send my location" sends, west of Greenwich.
        {"https://share.here.com/l/40.712800,-74.006000?z=13", "com.vorlane.mapcontrol",
         "geo:40.712800,-74.006000"},
        // A location page opens in a web view of our own, or in the browser without a web engine.
        {"https://glympse.com/AB12-CD3", nullptr, "https://glympse.com/AB12-CD3"},
        {"www.example.com/page", nullptr, "http://www.example.com/page"},
        {"HTTPS://EXAMPLE.COM/X", nullptr, "HTTPS://EXAMPLE.COM/X"},
    };
    std::vector<std::string> texts;
    for (const auto& c : cases)
        texts.push_back(std::string("see ") + c.text);
    std::vector<int> ids = watchThread({SENDER}, texts);
    // The link manager reads the watch's applications and carrier once: anew for this watch.
    msg_app::MCommonCutlinkMgr::release();
    open(threadId);
    for (size_t i = 0; i < ids.size(); ++i) {
        SCOPED_TRACE(cases[i].text);
        std::vector<std::string> names = anchors(textOf(ids[i]));
        ASSERT_EQ(names.size(), 1u) << textOf(ids[i]);
        int64_t since = lastLaunchId();
        tapAnchor(ids[i], names.front());
        if (std::string(cases[i].text).find("glympse") != std::string::npos &&
            msg_app::common_util::is_web_engine_available()) {
            EXPECT_NE(topPageName(), "msg_viewer") << "no web view";
            appWindow->getNaviframeController()->pop();
            continue;
        }
        LaunchEntry launched = waitLaunchTo("", since);
        ASSERT_NE(launched.id, 0) << "nothing launched";
        if (cases[i].target) {
            EXPECT_EQ(launched.target, cases[i].target);
        }
        EXPECT_EQ(launched.uri, cases[i].uri);
    }
}

TEST_F(BubbleLinkTest, AGroupSendersNumberIsANameNotALink) {
    std::vector<int> ids =
        watchThread({SENDER, "+15550100043"}, std::vector<std::string>{"call +15550100099 later"});
    open(threadId);
    std::string text = textOf(ids[0]);
    size_t nameEnd = text.find("</sender>");
    ASSERT_NE(nameEnd, std::string::npos) << text;
    EXPECT_EQ(text.rfind("<a ", nameEnd), std::string::npos) << text;
    std::vector<std::string> names = anchors(text);
    ASSERT_EQ(names.size(), 1u) << text;
    EXPECT_NE(names.front().find("+15550100099"), std::string::npos) << text;
}
