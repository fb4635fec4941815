#include "ScreenRegistry.h"

#include <gtest/gtest.h>

using msg_app::shell::ScreenRegistry;

namespace {

TEST(ScreenRegistryTest, BuiltinScreensComeFirstAndNamesAreUnique) {
    msg_app::shell::registerBuiltinScreens();
    msg_app::shell::registerBuiltinScreens();
    ScreenRegistry& registry = ScreenRegistry::getInstance();
    std::vector<std::string> names = registry.names();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "demo");
    EXPECT_TRUE(registry.contains("demo-popup"));
    EXPECT_FALSE(registry.description("demo").empty());

    EXPECT_FALSE(registry.add("demo", "again", [] { return nullptr; }));
    EXPECT_FALSE(registry.add("", "no name", [] { return nullptr; }));
    EXPECT_FALSE(registry.add("empty", "no factory", nullptr));
    EXPECT_EQ(registry.create("no-such-screen"), nullptr);
    EXPECT_EQ(registry.names().size(), names.size());
}

} // namespace
