#include "list/MLReusableObjectPool.h"
#include "EflTest.h"
#include "LogCapture.h"
#include "common/CommonUtil.h"

#include <gtest/gtest.h>

using msg_app::msg_list::MLReusableObjectPool;

namespace {

class ObjectPoolTest : public ::testing::Test {
protected:
    void TearDown() override { MLReusableObjectPool::destroy(); }
    msg_test::TestWindow window;
};

} // namespace

TEST_F(ObjectPoolTest, InitFillsToEightHoweverOftenCalled) {
    auto* pool = MLReusableObjectPool::getInstance();
    pool->init(window.win());
    EXPECT_EQ(pool->getSize(), 8u);
    pool->init(window.win());
    EXPECT_EQ(pool->getSize(), 8u);

    Evas_Object* badge = pool->getObject();
    ASSERT_TRUE(badge);
    const char* file = nullptr;
    const char* group = nullptr;
    elm_image_file_get(badge, &file, &group);
    ASSERT_TRUE(group);
    EXPECT_STREQ(group, "img/list/noti1");
    EXPECT_EQ(pool->getSize(), 7u);
    pool->init(window.win());
    EXPECT_EQ(pool->getSize(), 8u);
    evas_object_del(badge);

    msg_test::LogCapture log;
    pool->init(nullptr);
    EXPECT_TRUE(log.contains("parent is null"));
}

TEST_F(ObjectPoolTest, RunningDryAndGivingBack) {
    auto* pool = MLReusableObjectPool::getInstance();
    pool->init(window.win());
    std::vector<Evas_Object*> taken;
    while (Evas_Object* obj = pool->getObject())
        taken.push_back(obj);
    EXPECT_EQ(taken.size(), 8u);
    {
        msg_test::LogCapture log;
        EXPECT_EQ(pool->getObject(), nullptr);
        EXPECT_TRUE(log.contains("pool is empty"));
    }

    // Last in, first out; and giving back has no upper bound.
    Evas_Object* extra = MLReusableObjectPool::createBadge(window.win());
    ASSERT_TRUE(extra);
    for (Evas_Object* obj : taken)
        EXPECT_TRUE(MLReusableObjectPool::setObject(obj));
    EXPECT_TRUE(MLReusableObjectPool::setObject(extra));
    EXPECT_EQ(pool->getSize(), 9u);
    EXPECT_EQ(pool->getObject(), extra);
    evas_object_del(extra);

    msg_test::LogCapture log;
    EXPECT_FALSE(MLReusableObjectPool::setObject(nullptr));
    EXPECT_TRUE(log.contains("obj is null"));
    MLReusableObjectPool::destroy();
    Evas_Object* orphan = MLReusableObjectPool::createBadge(window.win());
    EXPECT_FALSE(MLReusableObjectPool::setObject(orphan));
    EXPECT_TRUE(log.contains("_instance is null"));
    evas_object_del(orphan);
}

TEST_F(ObjectPoolTest, BadgesDeletedWithTheirParentLeaveThePool) {
    auto* pool = MLReusableObjectPool::getInstance();
    Evas_Object* box = elm_box_add(window.win());
    pool->init(box);
    ASSERT_EQ(pool->getSize(), 8u);
    evas_object_del(box);
    EXPECT_EQ(pool->getSize(), 0u);
    EXPECT_EQ(pool->getObject(), nullptr);
}
