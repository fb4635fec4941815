#include "EflTest.h"
#include "FeatureStore.h"
#include "LogCapture.h"
#include "TempDir.h"

#include "AppRegistry.h"
#include "common/MCommonCutlinkMgr.h"
#include "device/Device.h"
#include "vconf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace msg_app;

namespace {

class CutlinkMgrTest : public ::testing::Test {
protected:
    void SetUp() override {
        msg_device::Device::closeDefault();
        std::ofstream(dir.file("colors.xml")) << R"(<?xml version="1.0"?>
<ChangeableColorTable><Theme style="Dark">
  <ChangeableColorInfo id="AT0271" color="#3DA5FFFF"/>
  <ChangeableColorInfo id="AT0271P" color="#1A4A80C0"/>
</Theme></ChangeableColorTable>)";
        colors = qel_theme_color_table_new(dir.file("colors.xml").c_str());
        ASSERT_NE(nullptr, colors);
        ASSERT_TRUE(qel_theme_color_table_set(colors));
        entry = elm_entry_add(window.win());
        elm_entry_editable_set(entry, EINA_FALSE);
    }
    void TearDown() override {
        qel_cut_link_delete(link);
        MCommonCutlinkMgr::release();
        qel_theme_color_table_free(colors);
        msg_device::Device::closeDefault();
    }

    std::string linked(const char* text) {
        if (!link)
            link = MCommonCutlinkMgr::getInstance()->create(entry, nullptr, nullptr);
        EXPECT_NE(nullptr, link);
        if (!link)
            return "";
        EXPECT_EQ(QEL_CUT_LINK_ERROR_NONE, qel_cut_link_set_text(link, text, 0));
        return qel_cut_link_get_text(link);
    }

    static bool anchored(const std::string& out, const std::string& href) {
        return out.find("<a href=_" + href + ">") != std::string::npos;
    }

    msg_test::TempDevice device;
    msg_test::TempDir dir;
    msg_test::TestWindow window;
    Qel_Theme_Color_Table* colors = nullptr;
    Evas_Object* entry = nullptr;
    Qel_Cut_Link* link = nullptr;
};

TEST_F(CutlinkMgrTest, LinksCarryTheThemeColoursAndUnderline) {
    std::string out = linked("Call 010-1234-5678 or see https://example.com/page");
    const std::string prefix =
        "<pressed_color=#1a4a80c0><color=#3da5ffff underline=on underline_color=#3da5ffff>";
    const std::string postfix = "<underline=off></color></pressed_color>";
    EXPECT_NE(std::string::npos, out.find(prefix + "010-1234-5678" + postfix)) << out;
    EXPECT_TRUE(anchored(out, "uri:https://example.com/page")) << out;
}

TEST_F(CutlinkMgrTest, DatesAndNetworkPathsStayPlain) {
    std::string out = linked("Meet 2024-05-01 at 10:30, file \\\\server\\share");
    EXPECT_EQ(std::string::npos, out.find("<a ")) << out;
}

TEST_F(CutlinkMgrTest, WithoutABrowserOnlyKnownLinksAreTappable) {
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.browser", false));
    std::string out =
        linked("https://example.com/x https://glympse.com/AB12-CD3 https://www.google.com/maps/@1,2 "
               "http://apps.vorlane.com/hulm/appDetail.as?appId=0001 https://share.here.com/l/52.5,13.4");
    EXPECT_FALSE(anchored(out, "uri:https://example.com/x")) << out;
    EXPECT_TRUE(anchored(out, "uri:https://glympse.com/AB12-CD3")) << out;
    EXPECT_TRUE(anchored(out, "uri:https://www.google.com/maps/@1,2")) << out;
    EXPECT_TRUE(anchored(out, "uri:http://apps.vorlane.com/hulm/appDetail.as?appId=0001")) << out;
    // Map shares are tappable only where the carrier's map service is that one.
    EXPECT_FALSE(anchored(out, "uri:https://share.here.com/l/52.5,13.4")) << out;
}

TEST_F(CutlinkMgrTest, HereMapSharesWithTheCarriersMapService) {
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.browser", false));
    std::string error;
    ASSERT_TRUE(msg_services::FeatureStore::set("zeq/12", "here", &error)) << error;
    std::string out = linked("at https://share.here.com/l/52.5,13.4");
    EXPECT_TRUE(anchored(out, "uri:https://share.here.com/l/52.5,13.4")) << out;
}

TEST_F(CutlinkMgrTest, PowerSavingLinksPhoneNumbersOnly) {
    ASSERT_EQ(VCONF_OK, vconf_set_int("db/setting/psmode", 4));
    std::string out = linked("010-1234-5678 https://example.com vorlaneapps://ProductDetail/app.one");
    EXPECT_TRUE(anchored(out, "tel:010-1234-5678")) << out;
    EXPECT_EQ(out.find("<a "), out.rfind("<a ")) << out;
}

TEST_F(CutlinkMgrTest, StoreSchemeIsLinked) {
    std::string out = linked("get vorlaneapps://ProductDetail/app.one now");
    EXPECT_TRUE(anchored(out, "vorlaneapps:vorlaneapps://ProductDetail/app.one")) << out;
}

TEST_F(CutlinkMgrTest, NoEntryNoCutLink) {
    msg_test::LogCapture log;
    EXPECT_EQ(nullptr, MCommonCutlinkMgr::getInstance()->create(nullptr, nullptr, nullptr));
    EXPECT_TRUE(log.contains("obj is nullptr"));
}

} // namespace
