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

TEST_F(ObjectPoolTest, FillsToEightRunsDryTakesBackLastInFirstOutAndLetsGoOfDeletedBadges) {
    auto* pool = MLReusableObjectPool::getInstance();
    pool->init(window.win());
    pool->init(window.win());
    EXPECT_EQ(pool->getSize(), 8u) << "a second init never fills past eight";
    std::vector<Evas_Object*> taken;
    while (Evas_Object* obj = pool->getObject())
        taken.push_back(obj);
    ASSERT_EQ(taken.size(), 8u);
    const char* group = nullptr;
    elm_image_file_get(taken[0], nullptr, &group);
    EXPECT_STREQ(group, "img/list/noti1");

    // Giving back has no upper bound.
    Evas_Object* extra = MLReusableObjectPool::createBadge(window.win());
    for (Evas_Object* obj : taken)
        EXPECT_TRUE(MLReusableObjectPool::setObject(obj));
    EXPECT_TRUE(MLReusableObjectPool::setObject(extra));
    EXPECT_EQ(pool->getSize(), 9u);
    EXPECT_EQ(pool->getObject(), extra);
    evas_object_del(extra);
    EXPECT_FALSE(MLReusableObjectPool::setObject(nullptr));

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
