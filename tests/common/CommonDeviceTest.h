// A fresh device and an Ecore main loop for each test of the common services.
#ifndef MSG_TESTS_COMMON_COMMONDEVICETEST_H
#define MSG_TESTS_COMMON_COMMONDEVICETEST_H

#include "MainLoop.h"
#include "TempDir.h"
#include "vconf.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

class CommonDeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Applies a named device profile, failing the test when it cannot.
    void applyProfile(const std::string& name);
    void setFeature(const std::string& name, const std::string& value);
    void setInt(const char* key, int value) { ASSERT_EQ(VCONF_OK, vconf_set_int(key, value)) << key; }
    void setBool(const char* key, bool value) { ASSERT_EQ(VCONF_OK, vconf_set_bool(key, value)) << key; }
    void setString(const char* key, const char* s) { ASSERT_EQ(VCONF_OK, vconf_set_str(key, s)) << key; }
    // Sets a setting from its text, read as the setting's own type, so tables can mix types.
    void set(const char* key, const std::string& text);

    // A step of a table: the setting it changes (none when the key is null) and what the query
    // answers after it.
    struct Step {
        const char* key;
        const char* value;
        bool (*query)();
        bool expected;
    };
    void walk(std::initializer_list<Step> steps);

    msg_test::TempDevice device;
};

#endif
