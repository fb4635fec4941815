#include "list/MLReusableObjectPool.h"
#include "EflTest.h"
#include "common/CommonUtilResource.h"

#include <gtest/gtest.h>

using msg_app::msg_list::MLReusableObjectPool;

TEST(ObjectPoolTest, FillsToEightTakesBackAndLetsGoOfDeletedBadges) {
    msg_test::TestWindow window;
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

    // Other images are kept by their group: a badge of two digits comes back for its own group
    // only, and an object of no image group is left to its caller.
    Evas_Object* wide = elm_image_add(window.win());
    ASSERT_TRUE(elm_image_file_set(wide, msg_app::common_util::get_image_edj().c_str(), "img/list/noti2"));
    size_t badges = pool->getSize();
    EXPECT_TRUE(MLReusableObjectPool::setObject(wide));
    EXPECT_EQ(pool->getSize(), badges);
    EXPECT_EQ(pool->getObject("img/list/noti3"), nullptr);
    EXPECT_EQ(pool->getObject("img/list/noti2"), wide);
    Evas_Object* box = evas_object_rectangle_add(window.evas());
    EXPECT_FALSE(MLReusableObjectPool::setObject(box));
    evas_object_del(box);
    evas_object_del(wide);

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
    MLReusableObjectPool::destroy();
}
