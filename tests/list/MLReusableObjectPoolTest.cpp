#include "list/MLReusableObjectPool.h"
#include "EflTest.h"

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

    // A badge given back after the pool is gone stays with its caller.
    MLReusableObjectPool::destroy();
    Evas_Object* orphan = MLReusableObjectPool::createBadge(window.win());
    EXPECT_FALSE(MLReusableObjectPool::setObject(orphan));
    evas_object_del(orphan);

    // Badges deleted with their parent leave the pool.
    pool = MLReusableObjectPool::getInstance();
    Evas_Object* box = elm_box_add(window.win());
    pool->init(box);
    ASSERT_EQ(pool->getSize(), 8u);
    evas_object_del(box);
    EXPECT_EQ(pool->getSize(), 0u);
    EXPECT_EQ(pool->getObject(), nullptr);
}
