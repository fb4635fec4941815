#include "list/MLReusableObjectPool.h"
#include "EflTest.h"
#include "common/ui/CommonUiHelperIcon.h"

#include <gtest/gtest.h>

using msg_app::msg_list::MLReusableObjectPool;

namespace {

class ObjectPoolTest : public ::testing::Test {
protected:
    void TearDown() override { MLReusableObjectPool::destroy(); }
    msg_test::TestWindow window;
};

} // namespace

TEST_F(ObjectPoolTest, FillsToEightTakesBackAndLetsGoOfDeletedBadges) {
    auto* pool = MLReusableObjectPool::getInstance();
    pool->init(window.win());
    pool->init(window.win());
    EXPECT_EQ(pool->getSize(), 8u) << "a second init never fills past eight";
    Evas_Object* badge = pool->getObject();
    const char* group = nullptr;
    elm_image_file_get(badge, nullptr, &group);
    EXPECT_STREQ(group, "img/list/noti1");
    EXPECT_TRUE(MLReusableObjectPool::setObject(badge));
    EXPECT_EQ(pool->getObject(), badge) << "the last given back is the first taken";
    evas_object_del(badge);

    // Other images are kept by their group: a SIM icon comes back for its own group only, and an
    // object of no image group is left to its caller.
    using namespace msg_app::common_ui_helper;
    const char* simGroup = sim_index_icon_group(msg_store::FOLDER_INBOX, 1);
    ASSERT_NE(simGroup, nullptr);
    Evas_Object* sim = create_sim_index_icon(window.win(), msg_store::FOLDER_INBOX, 1);
    size_t badges = pool->getSize();
    EXPECT_TRUE(MLReusableObjectPool::setObject(sim));
    EXPECT_EQ(pool->getSize(), badges);
    EXPECT_EQ(pool->getObject(sim_index_icon_group(msg_store::FOLDER_INBOX, 0)), nullptr);
    EXPECT_EQ(pool->getObject(simGroup), sim);
    Evas_Object* box = evas_object_rectangle_add(window.evas());
    EXPECT_FALSE(MLReusableObjectPool::setObject(box));
    evas_object_del(box);
    evas_object_del(sim);

    // A badge given back after the pool is gone stays with its caller.
    MLReusableObjectPool::destroy();
    Evas_Object* orphan = MLReusableObjectPool::createBadge(window.win());
    EXPECT_FALSE(MLReusableObjectPool::setObject(orphan));
    evas_object_del(orphan);

    // Badges deleted with their parent leave the pool.
    pool = MLReusableObjectPool::getInstance();
    Evas_Object* parent = elm_box_add(window.win());
    pool->init(parent);
    ASSERT_EQ(pool->getSize(), 8u);
    evas_object_del(parent);
    EXPECT_EQ(pool->getSize(), 0u);
    EXPECT_EQ(pool->getObject(), nullptr);
}
