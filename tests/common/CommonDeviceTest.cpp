#include "CommonDeviceTest.h"

#include "DeviceProfiles.h"
#include "DeviceSettings.h"
#include "FeatureStore.h"
#include "device/Device.h"

#include <Ecore.h>

void CommonDeviceTest::SetUp() {
    ecore_init();
    // The previous test's device is closed so that this test's folder is used.
    msg_device::Device::closeDefault();
}

void CommonDeviceTest::TearDown() {
    msg_device::Device::closeDefault();
    ecore_shutdown();
}

void CommonDeviceTest::applyProfile(const std::string& name) {
    std::string error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply(name, &error)) << error;
}

void CommonDeviceTest::setFeature(const std::string& name, const std::string& value) {
    std::string error;
    ASSERT_TRUE(msg_services::FeatureStore::set(name, value, &error)) << error;
}

void CommonDeviceTest::set(const char* key, const std::string& text) {
    using msg_services::ValueType;
    msg_services::SettingValue value;
    // A key without a default has no type yet: the first type that reads the text.
    ValueType type = msg_services::DeviceSettings::typeOf(key);
    bool parsed = type != ValueType::None
                      ? msg_services::SettingValue::parse(type, text, value)
                      : msg_services::SettingValue::parse(ValueType::Int, text, value) ||
                            msg_services::SettingValue::parse(ValueType::Bool, text, value) ||
                            msg_services::SettingValue::parse(ValueType::String, text, value);
    ASSERT_TRUE(parsed) << key << "=" << text;
    ASSERT_EQ(VCONF_OK, msg_services::DeviceSettings::set(key, value)) << key;
}

void CommonDeviceTest::walk(std::initializer_list<Step> steps) {
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.key ? step.key : "-") + "=" + (step.value ? step.value : ""));
        if (step.key)
            set(step.key, step.value);
        EXPECT_EQ(step.expected, step.query());
    }
}
