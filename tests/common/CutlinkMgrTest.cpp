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
#include <vector>

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

    // What each link of the text opens ("href=_kind:target"), in order.
    static std::vector<std::string> links(const std::string& out) {
        std::vector<std::string> found;
        for (size_t at = out.find("<a "); at != std::string::npos; at = out.find("<a ", at + 1))
            found.push_back(out.substr(at + 3, out.find('>', at) - at - 3));
        return found;
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
    EXPECT_EQ(links(out),
              (std::vector<std::string>{"href=_tel:010-1234-5678", "href=_uri:https://example.com/page",
                                        "href=_vorlaneapps:vorlaneapps://ProductDetail/app.one"}))
        << "dates, times and network paths stay plain: " << out;

    // Without a browser only what an application of the watch opens is a link: a store page, a
    // map share where the carrier's map service is that one, location pages where a web view can
    // be made.
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.browser", false));
    const char* text =
        "https://example.com/x https://glympse.com/AB12-CD3 https://www.google.com/maps/@1,2 "
        "http://apps.vorlane.com/hulm/appDetail.as?appId=0001 https://share.here.com/l/52.5,-13.4?z=13 "
        "vorlaneapps://ProductDetail/app.one";
    std::vector<std::string> web;
    if (common_util::is_web_engine_available())
        web = {"href=_uri:https://glympse.com/AB12-CD3", "href=_uri:https://www.google.com/maps/@1,2"};
    const std::string store = "href=_uri:http://apps.vorlane.com/hulm/appDetail.as?appId=0001";
    const std::string app = "href=_vorlaneapps:vorlaneapps://ProductDetail/app.one";
    const std::string here = "href=_uri:https://share.here.com/l/52.5,-13.4?z=13";
    std::vector<std::string> expected = web;
    expected.insert(expected.end(), {store, app});
    EXPECT_EQ(links(linked(text)), expected);
    std::string error;
    ASSERT_TRUE(msg_services::FeatureStore::set("zeq/12", "here", &error)) << error;
    expected.insert(expected.end() - 1, here);
    EXPECT_EQ(links(linked(text)), expected);
    // Without the store and the map application their links are plain text too.
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.hulmstore", false));
    ASSERT_TRUE(msg_services::AppRegistry::setEnabled("com.vorlane.mapcontrol", false));
    EXPECT_EQ(links(linked(text)), web);

    // Power saving links phone numbers only.
    ASSERT_EQ(VCONF_OK, vconf_set_int("db/setting/psmode", 4));
    EXPECT_EQ(links(linked("010-1234-5678 https://glympse.com/AB12-CD3 vorlaneapps://ProductDetail/app.one")),
              std::vector<std::string>{"href=_tel:010-1234-5678"});

    EXPECT_EQ(nullptr, MCommonCutlinkMgr::getInstance()->create(nullptr, nullptr, nullptr));
}

} // namespace
