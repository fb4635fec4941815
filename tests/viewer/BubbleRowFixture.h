#ifndef MSG_TESTS_VIEWER_BUBBLEROWFIXTURE_H
#define MSG_TESTS_VIEWER_BUBBLEROWFIXTURE_H

#include "ListRowFixture.h"
#include "ViewerTestSupport.h"
#include "viewer/MVItem/IMVBubbleActions.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListModel.h"

#include <memory>

// One bubble of a real conversation, realized alone in the genlist.
class BubbleRowFixture : public ListRowFixture {
protected:
    // The bubble of a new message, its taps handed to `actions` when given.
    msg_app::msg_viewer::MVItemBubble* bubbleOf(const msg_store::IncomingMessage& in,
                                                msg_app::msg_viewer::IMVBubbleActions* actions = nullptr) {
        using namespace msg_app::msg_viewer;
        elm_genlist_clear(genlist);
        int msgId = msg_test::storeMessages({in}).front();
        model = std::make_unique<MVListModel>(threadOf(msgId), store);
        model->load();
        auto* bubble = new MVItemBubble();
        EXPECT_TRUE(bubble->init(msgId, false, VIEW_TYPE_NORMAL, model.get()));
        if (actions)
            bubble->setActions(actions);
        EXPECT_NE(wgenlist_item_append(genlist, nullptr, bubble, ELM_GENLIST_ITEM_NONE), nullptr);
        EXPECT_TRUE(msg_test::pumpUntil([&] { return MVItemBubbleTestPeer::label(bubble) != nullptr; }));
        return bubble;
    }

    std::unique_ptr<msg_app::msg_viewer::MVListModel> model;
};

#endif
