#include "telephony.h"
#include "vconf.h"

#include "CommonDeviceTest.h"

namespace {

class TelephonyTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        handle = tel_init(nullptr);
        ASSERT_NE(handle, nullptr);
    }
    void TearDown() override {
        if (handle)
            tel_deinit(handle);
        CommonDeviceTest::TearDown();
    }

    // The property as this client, or another one (c), reads it.
    int intProperty(const char* property, TapiHandle* c = nullptr) {
        int value = -100;
        EXPECT_EQ(tel_get_property_int(c ? c : handle, property, &value), TAPI_API_SUCCESS) << property;
        return value;
    }

    TapiHandle* handle = nullptr;
};

// Modem power, roaming and the network code as the application reads them are checked through its
// telephony service; these are what it does not reach.
TEST_F(TelephonyTest, ModemFollowsTheSettingsAndPowerCommandsAndRefusesBadInput) {
    // Off by default: no service, no network name.
    EXPECT_EQ(intProperty(TAPI_PROP_MODEM_POWER), TAPI_PHONE_POWER_STATUS_OFF);
    char* text = nullptr;
    EXPECT_NE(tel_get_property_string(handle, TAPI_PROP_NETWORK_PLMN, &text), TAPI_API_SUCCESS);
    EXPECT_EQ(text, nullptr);
    ASSERT_EQ(vconf_set_int("db/telephony/modem_always_on", 1), VCONF_OK);
    // On, but without a SIM there is still no service.
    EXPECT_EQ(intProperty(TAPI_PROP_NETWORK_SERVICE_TYPE), TAPI_NETWORK_SERVICE_TYPE_NO_SERVICE);
    ASSERT_EQ(vconf_set_int("memory/telephony/sim_slot", 1), VCONF_OK);
    EXPECT_GE(intProperty(TAPI_PROP_NETWORK_SERVICE_TYPE), TAPI_NETWORK_SERVICE_TYPE_2G);
    ASSERT_EQ(tel_process_power_command(handle, TAPI_PHONE_POWER_LOW, nullptr, nullptr), TAPI_API_SUCCESS);
    EXPECT_EQ(intProperty(TAPI_PROP_NETWORK_SERVICE_TYPE), TAPI_NETWORK_SERVICE_TYPE_NO_SERVICE);
    // Another client sees the same modem.
    TapiHandle* other = tel_init(nullptr);
    EXPECT_EQ(intProperty(TAPI_PROP_MODEM_POWER, other), TAPI_PHONE_POWER_STATUS_LOW);
    tel_deinit(other);

    // Flight mode keeps the modem from switching on, and the state stays.
    ASSERT_EQ(vconf_set_bool("db/telephony/flight_mode", 1), VCONF_OK);
    EXPECT_EQ(tel_process_power_command(handle, TAPI_PHONE_POWER_ON, nullptr, nullptr),
              TAPI_API_OPERATION_FAILED);
    EXPECT_EQ(intProperty(TAPI_PROP_MODEM_POWER), TAPI_PHONE_POWER_STATUS_LOW);

    // Bad input: one of each kind, and the caller's value stays.
    int value = 7;
    EXPECT_EQ(tel_get_property_int(nullptr, TAPI_PROP_MODEM_POWER, &value), TAPI_API_INVALID_PTR);
    EXPECT_EQ(tel_get_property_int(handle, "org.orvex.telephony.Modem:nothing", &value),
              TAPI_API_INVALID_INPUT);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(tel_get_property_string(handle, TAPI_PROP_MODEM_POWER, &text), TAPI_API_INVALID_INPUT);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(tel_process_power_command(handle, static_cast<tapi_power_phone_cmd_t>(9), nullptr, nullptr),
              TAPI_API_INVALID_INPUT);
}

void responseCb(TapiHandle*, int result, void*, void* userData) {
    *static_cast<int*>(userData) = result + 1;
}

TEST_F(TelephonyTest, ResponseArrivesOnTheMainLoopWhileTheHandleLives) {
    int answered = 0;
    ASSERT_EQ(tel_process_power_command(handle, TAPI_PHONE_POWER_OFF, responseCb, &answered),
              TAPI_API_SUCCESS);
    EXPECT_EQ(answered, 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return answered != 0; }));
    EXPECT_EQ(answered, TAPI_API_SUCCESS + 1);

    int late = 0;
    ASSERT_EQ(tel_process_power_command(handle, TAPI_PHONE_POWER_OFF, responseCb, &late), TAPI_API_SUCCESS);
    tel_deinit(handle);
    handle = nullptr;
    // The answer is a job of the main loop: once the loop is idle, it has had its turn.
    EXPECT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_EQ(late, 0);
}

} // namespace
