#include "EflTest.h"
#include "FeatureStore.h"
#include "TempDir.h"

#include "AppRegistry.h"
#include "common/CommonUtil.h"
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
        // A new manager and cut link each time, so that they read the settings of this step.
        qel_cut_link_delete(link);
        MCommonCutlinkMgr::release();
        link = MCommonCutlinkMgr::getInstance()->create(entry, nullptr, nullptr);
        EXPECT_NE(nullptr, link);
        if (!link)
            return "";
        EXPECT_EQ(QEL_CUT_LINK_ERROR_NONE, qel_cut_link_set_text(link, text, 0));
        return qel_cut_link_get_text(link);
    }

    static int anchors(const std::string& out) {
        int count = 0;
        for (size_t at = out.find("<a "); at != std::string::npos; at = out.find("<a ", at + 1))
            ++count;
        return count;
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

TEST_F(CutlinkMgrTest, LinksCarryTheThemeColoursAndFollowTheBrowserMapsAndPowerSaving) {
    std::string out =
        linked("Call 010-1234-5678 or see https://example.com/page, get "
               "vorlaneapps://ProductDetail/app.one on 2024-05-01 at 10:30, file \\\\server\\share");
    const std::string prefix =
        "<pressed_color=#1a4a80c0><color=#3da5ffff underline=on underline_color=#3da5ffff>";
    const std::string postfix = "<underline=off></color></pressed_color>";
    EXPECT_NE(std::string::npos, out.find(prefix + "010-1234-5678" + postfix)) << out;
    EXPECT_TRUE(anchored(out, "uri:https://example.com/page")) << out;
    EXPECT_TRUE(anchored(out, "vorlaneapps:vorlaneapps://ProductDetail/app.one")) << out;
    EXPECT_EQ(3, anchors(out)) << "dates, times and network paths stay plain: " << out;

    // Without a browser only what an application of the watch opens is a link: a store page, a
    // map share where the carrier's map service is that one, location pages where a web view can
    // be made.
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.browser", false));
    const char* links =
        "https://example.com/x https://glympse.com/AB12-CD3 https://www.google.com/maps/@1,2 "
        "http://apps.vorlane.com/hulm/appDetail.as?appId=0001 https://share.here.com/l/52.5,-13.4?z=13 "
        "vorlaneapps://ProductDetail/app.one";
    out = linked(links);
    bool webView = common_util::is_web_engine_available();
    EXPECT_FALSE(anchored(out, "uri:https://example.com/x")) << out;
    EXPECT_EQ(anchored(out, "uri:https://glympse.com/AB12-CD3"), webView) << out;
    EXPECT_EQ(anchored(out, "uri:https://www.google.com/maps/@1,2"), webView) << out;
    EXPECT_TRUE(anchored(out, "uri:http://apps.vorlane.com/hulm/appDetail.as?appId=0001")) << out;
    EXPECT_TRUE(anchored(out, "vorlaneapps:vorlaneapps://ProductDetail/app.one")) << out;
    EXPECT_FALSE(anchored(out, "uri:https://share.here.com/l/52.5,-13.4?z=13")) << out;
    std::string error;
    ASSERT_TRUE(msg_services::FeatureStore::set("zeq/12", "here", &error)) << error;
    EXPECT_TRUE(anchored(linked(links), "uri:https://share.here.com/l/52.5,-13.4?z=13"));
    // Without the store and the map application their links are plain text too.
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.hulmstore", false));
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.mapcontrol", false));
    out = linked(links);
    EXPECT_EQ(anchors(out), webView ? 2 : 0) << out;

    // Power saving links phone numbers only.
    ASSERT_EQ(VCONF_OK, vconf_set_int("db/setting/psmode", 4));
    out = linked("010-1234-5678 https://glympse.com/AB12-CD3 vorlaneapps://ProductDetail/app.one");
    EXPECT_TRUE(anchored(out, "tel:010-1234-5678")) << out;
    EXPECT_EQ(1, anchors(out)) << out;

    EXPECT_EQ(nullptr, MCommonCutlinkMgr::getInstance()->create(nullptr, nullptr, nullptr));
}

} // namespace
