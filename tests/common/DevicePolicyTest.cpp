// Device and policy queries on a watch without telephony of its own.
#include "CommonDeviceTest.h"

#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/Preference.h"

using namespace msg_app;
using connectivity::YoxConn;

namespace {

using DevicePolicyTest = CommonDeviceTest;

TEST_F(DevicePolicyTest, MmsThroughTheMakersPhoneOnlyOutsideRetailMode) {
    // A fresh device: the store client has not said what the phone can do.
    EXPECT_TRUE(common_util::is_support_MMS());
    applyProfile("default");
    EXPECT_FALSE(common_util::is_sta_enabled());
    walk({{"db/wms/host_status/vendor", "vorlaneMass", common_util::is_support_MMS, true},
          {"db/wms/host_status/vendor", "LO", common_util::is_support_MMS, false},
          {"db/wms/host_status/vendor", "", common_util::is_support_MMS, false},
          {"db/wms/host_status/vendor", "vorlane", common_util::is_support_MMS, true}});
    ASSERT_TRUE(preference::set("consumer_preference_bool_support_sending_mms", false));
    EXPECT_FALSE(common_util::is_support_MMS());

    applyProfile("retail");
    EXPECT_TRUE(common_util::is_retail_mode_enabled());
    EXPECT_TRUE(common_util::is_support_MMS());
    EXPECT_EQ(YoxConn::BT, connectivity::get_yox_connect());
}

TEST_F(DevicePolicyTest, LinkTypesByVendor) {
    setString("db/wms/host_status/vendor", "vorlane");
    const std::pair<int, YoxConn> cases[] = {
        {0, YoxConn::NONE}, {1, YoxConn::BT}, {5, YoxConn::BT}, {16, YoxConn::RLX}, {2, YoxConn::NONE}};
    for (const auto& [type, conn] : cases) {
        setInt("memory/private/yox/conn_type", type);
        EXPECT_EQ(conn, connectivity::get_yox_connect()) << type;
    }
    // Another vendor's phone counts as Bluetooth once its phone manager is connected.
    setInt("memory/private/yox/conn_type", 0);
    setString("db/wms/host_status/vendor", "LO");
    EXPECT_EQ(YoxConn::NONE, connectivity::get_yox_connect());
    setBool("memory/wms/wmanager_connected", true);
    EXPECT_EQ(YoxConn::BT, connectivity::get_yox_connect());
    setString("db/wms/host_status/vendor", "other");
    EXPECT_EQ(YoxConn::NONE, connectivity::get_yox_connect());
}

// Whether sending goes through the phone over that link; the link it names is none when it does not.
template <YoxConn link> bool sendsBy() {
    YoxConn out = link == YoxConn::BT ? YoxConn::RLX : YoxConn::BT;
    return connectivity::is_sendby_phone_available(&out) == (link != YoxConn::NONE) && out == link;
}

TEST_F(DevicePolicyTest, SendingThroughThePhoneNeedsARealConnectionAndNoNumberSharing) {
    applyProfile("phone-bt");
    EXPECT_TRUE(sendsBy<YoxConn::BT>());
    ASSERT_TRUE(preference::set("consumer_preference_int_peer_connection_status", 0));
    EXPECT_TRUE(sendsBy<YoxConn::NONE>());
    ASSERT_TRUE(preference::set("consumer_preference_int_peer_connection_status", 1));

    setInt("memory/private/yox/conn_type", 16);
    setInt("memory/dnet/status", 1);
    bool (*const noLinkAsked)() = [] { return connectivity::is_sendby_phone_available(nullptr); };
    walk({
        {"memory/private/fabrel/service_state/3", "3", sendsBy<YoxConn::RLX>, true},
        // Cellular data while mobile data is restricted cannot carry it.
        {"memory/dnet/status", "2", sendsBy<YoxConn::RLX>, true},
        {"db/setting/data_restriction", "1", sendsBy<YoxConn::NONE>, true},
        {"db/setting/data_restriction", "0", connectivity::is_yox_connected, true},
        {"memory/private/fabrel/service_state/3", "0", connectivity::is_yox_connected, false},
        {"memory/private/fabrel/service_state/3", "3", connectivity::is_yox_connected, true},
        // Active number sharing blocks the link, on the one carrier that shares numbers.
        {"db/private/merrowin/status", "0", noLinkAsked, true},
        {"db/zeq/salescode", "ATT", sendsBy<YoxConn::NONE>, true},
        {"db/private/merrowin/status", "4", sendsBy<YoxConn::RLX>, true},
    });
    // Without the messaging capability nothing goes through the phone.
    setFeature("capability/messaging", "false");
    EXPECT_TRUE(sendsBy<YoxConn::NONE>());
}

TEST_F(DevicePolicyTest, ModesAndRestrictionsFollowTheirSettings) {
    using namespace common_util;
    bool (*const rtlLanguage)() = [] { return is_rtl_supported(LANGUAGE); };
    bool (*const rtlRegion)() = [] { return is_rtl_supported(REGION_FORMAT); };
    const auto mdm = is_mdm_text_messaging_restricted;
    // Each step changes one setting (none for the first) and reads the mode it drives.
    walk({
        {nullptr, nullptr, is_power_saving_mode, false},
        {"db/setting/psmode", "3", is_power_saving_mode, false},
        {"db/setting/psmode", "4", is_power_saving_mode, true},
        {nullptr, nullptr, is_wpc_mode, false},
        {"db/setup_wizard/standalone", "2", is_wpc_mode, true},
        {nullptr, nullptr, is_screen_reader_enabled, false},
        {"db/setting/accessibility/tts", "true", is_screen_reader_enabled, true},
        // Without telephony of its own the watch has no SIM to speak of.
        {"memory/telephony/sim_slot", "1", connectivity::is_sim_insert, false},
        {nullptr, nullptr, rtlLanguage, false},
        {"db/menu_widget/language", "ar_AE.UTF-8", rtlLanguage, true},
        {nullptr, nullptr, rtlRegion, false},
        {"db/menu_widget/regionformat", "fa_IR.UTF-8", rtlRegion, true},
        // Device management restricts text messages on either SIM, while it is there.
        {nullptr, nullptr, mdm, false},
        {"db/private/mdm/text_messaging/SIM1", "1", mdm, true},
        {"db/private/mdm/text_messaging/SIM1", "0", mdm, false},
        {"db/private/mdm/text_messaging/peer", "1", mdm, true},
        {"db/private/mdm/available", "false", mdm, false},
    });
}

} // namespace
