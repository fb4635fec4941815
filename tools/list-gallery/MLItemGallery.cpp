// Renders the conversation list's rows, built by the real row classes over a
// fresh device, to PNG files, to look at them without a display:
//   msg-list-gallery [output folder]     (default: list-gallery)
// Scenes: the top of the list, the middle of the list, select mode, the
// hardest rows (long name and text, 1500 unread, right-to-left, alert) and
// the blocked list's title.
#include "CommandLine.h"
#include "MainLoop.h"
#include "ThemeFiles.h"

#include "TempDir.h"
#include "common/CommonUiHelper.h"
#include "common/MCommonMsgStore.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonI18n.h"
#include "common/ui/MCommonTheme.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLItem/MLItemGroupIndex.h"
#include "list/MLItem/MLItemMargin.h"
#include "list/MLItem/MLItemNoContent.h"
#include "list/MLItem/MLItemTitle.h"
#include "list/MLReusableObjectPool.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"

#include <Elementary.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace msg_app::msg_list;

namespace {

struct Conv {
    std::string from;
    std::string text;
    std::string subject;
    int unread;
    int64_t ageMinutes;
    std::string type = "sms";
};

// One conversation whose last `unread` messages are unread; its id.
int addConversation(const Conv& conv) {
    const int64_t nowMs = static_cast<int64_t>(time(nullptr)) * 1000;
    std::vector<msg_store::IncomingMessage> messages(std::max(conv.unread, 1));
    for (size_t i = 0; i < messages.size(); ++i) {
        messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, conv.from}};
        messages[i].text = conv.text;
        messages[i].subject = conv.subject;
        messages[i].msgType = conv.type;
        messages[i].isRead = conv.unread == 0;
        messages[i].time = nowMs - conv.ageMinutes * 60000 - static_cast<int64_t>(messages.size() - i);
    }
    std::vector<int> ids;
    if (msg_store::PhoneSide::insertMessages(messages, &ids) != msg_store::MSG_STORE_SUCCESS || ids.empty())
        return -1;
    msg_store::Message stored;
    msg_store::MessageManager().getMessage(ids.back(), stored);
    return stored.threadId;
}

void onRealized(void*, Evas_Object*, void* info) {
    auto* row = static_cast<MLItem*>(elm_object_item_data_get(static_cast<Elm_Object_Item*>(info)));
    if (row && row->getType() == MLItem::CONTENT)
        static_cast<MLItemContent*>(row)->realized();
}

void onUnrealized(void*, Evas_Object*, void* info) {
    auto* row = static_cast<MLItem*>(elm_object_item_data_get(static_cast<Elm_Object_Item*>(info)));
    if (row && row->getType() == MLItem::CONTENT) {
        static_cast<MLItemContent*>(row)->unrealized();
        static_cast<MLItemContent*>(row)->unswallow();
    }
}

// A genlist set up as the list screen sets up its own.
Evas_Object* listOf(Evas_Object* win) {
    Evas_Object* gl = elm_genlist_add(win);
    elm_genlist_homogeneous_set(gl, EINA_TRUE);
    elm_genlist_mode_set(gl, ELM_LIST_COMPRESS);
    evas_object_size_hint_weight_set(gl, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(win, gl);
    evas_object_smart_callback_add(gl, "realized", onRealized, nullptr);
    evas_object_smart_callback_add(gl, "unrealized", onUnrealized, nullptr);
    evas_object_show(gl);
    MLReusableObjectPool::getInstance()->init(gl);
    return gl;
}

struct Scene {
    const char* name;
    std::function<void(Evas_Object* gl)> build;
};

Elm_Object_Item* append(Evas_Object* gl, MLItem* row) {
    return wgenlist_item_append(gl, nullptr, row, ELM_GENLIST_ITEM_NONE);
}

MLItemContent* appendContent(Evas_Object* gl, int id, ListStyle style = LIST_STYLE_NORMAL,
                             bool checked = false) {
    static msg_app::MCommonMsgStore store;
    auto* row = new MLItemContent(THREAD, NONE, store);
    if (!row->init(id, nullptr)) {
        std::fprintf(stderr, "no conversation %d\n", id);
        delete row;
        return nullptr;
    }
    row->setStyle(style);
    if (checked)
        row->setCheck(true);
    append(gl, row);
    return row;
}

void appendHeader(Evas_Object* gl, ListStyle style) {
    append(gl, new MLItemMargin());
    auto* buttons = new MLItemButtonMenu();
    buttons->setStyle(style);
    append(gl, buttons);
    append(gl, new MLItemGroupIndex());
}

void showMiddle(Evas_Object* gl, int index) {
    Elm_Object_Item* item = elm_genlist_nth_item_get(gl, index);
    if (item)
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
}

} // namespace

int main(int argc, char** argv) {
    msg_cli::CommandLine commandLine(
        "msg-list-gallery", "[OUT_DIR]",
        "Renders the conversation list's rows to PNG files in OUT_DIR, for a look.");
    std::string outDir = "list-gallery";
    commandLine.positional("OUT_DIR", "the folder for the pictures (default list-gallery)", &outDir);
    if (!commandLine.parse(argc, argv))
        return commandLine.exitCode();
    setenv("ELM_ENGINE", "buffer", 0);
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS",
           "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0,ecore_con:0", 0);
    setenv("MSG_LOG_LEVEL", "error", 0);
    setenv("LANGUAGE", "en", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    mkdir(outDir.c_str(), 0755);
    elm_init(argc, argv);
    int failures = 0;
    {
        msg_test::TempDevice device;
        msg_store::ConnectionManager::connect();
        msg_app::common_ui_helper::set_textdomain();
        vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8");
        msg_device::Device* dev = msg_device::Device::getDefault();
        contacts_admin::addPerson(dev, "Mum", {"+15550101"}, nullptr);
        contacts_admin::addPerson(dev, "Alexandra Montgomery-Fitzgerald", {"+15550102"}, nullptr);
        contacts_admin::addPerson(dev, "Dentist", {"+15550103"}, nullptr);
        contacts_admin::addPerson(dev, "<b>Bo</b> &amp; Co", {"+15550150"}, nullptr);
        contacts_admin::addPerson(dev, "\xd7\x93\xd7\xa0\xd7\x94 \xd7\x9b\xd7\x94\xd7\x9f", {"+15550104"},
                                  nullptr);

        int mum = addConversation({"+15550101", "Dinner at seven? Bring the salad", "", 2, 3});
        int number = addConversation({"+15550199", "Your parcel is on its way", "", 0, 50});
        int longName = addConversation(
            {"+15550102", "See you at the station tomorrow morning, the train leaves at 8:15 sharp", "", 12,
             90});
        int dentist = addConversation(
            {"+15550103", "Reminder: check-up on Friday at 10:30", "Appointment", 0, 60 * 26});
        int flood = addConversation({"+15550120", "Another one", "", 1500, 60 * 24 * 3});
        int rtl = addConversation({"+15550104",
                                   "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d, \xd7\x9e\xd7\x94 "
                                   "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9e\xd7\x9a?",
                                   "", 1, 60 * 24 * 40});
        int empty = addConversation({"+15550130", "", "", 0, 60 * 24 * 400});
        int alert = addConversation({"+15550140", "Severe weather warning in your area", "", 1, 5, "cmas"});
        int hundred = addConversation({"+15550150", "Group photo <b>tonight</b>", "", 100, 60 * 24 * 9});
        const std::vector<int> all = {alert, mum, number, longName, dentist, flood, rtl, hundred, empty};

        // The whole list in a style, every other row checked in select mode; `middle` scrolls to a row.
        auto wholeList = [&](ListStyle style, int middle) {
            return [&all, style, middle](Evas_Object* gl) {
                appendHeader(gl, style);
                bool checked = true;
                for (int id : all) {
                    appendContent(gl, id, style, style == LIST_STYLE_SELECT && checked);
                    checked = !checked;
                }
                if (middle >= 0)
                    showMiddle(gl, middle);
            };
        };
        const std::vector<Scene> scenes = {
            {"list-top", wholeList(LIST_STYLE_NORMAL, -1)},
            {"list-middle", wholeList(LIST_STYLE_NORMAL, 5)},
            {"select-top", wholeList(LIST_STYLE_SELECT, -1)},
            {"select-middle", wholeList(LIST_STYLE_SELECT, 5)},
            {"list-hard-rows",
             [&](Evas_Object* gl) {
                 for (int id : {longName, hundred, flood, rtl, empty})
                     appendContent(gl, id);
                 showMiddle(gl, 2);
             }},
            {"blocked-title",
             [&](Evas_Object* gl) {
                 append(gl, new MLItemMargin());
                 append(gl, new MLItemTitle(LIST_TYPE_BLOCKED_MSG));
                 for (int id : {number, dentist})
                     appendContent(gl, id);
             }},
            {"empty",
             [&](Evas_Object* gl) {
                 appendHeader(gl, LIST_STYLE_NORMAL);
                 append(gl, new MLItemNoContent());
             }},
        };
        for (const Scene& scene : scenes) {
            Evas_Object* win = elm_win_add(nullptr, scene.name, ELM_WIN_BASIC);
            evas_object_resize(win, 360, 360);
            msg_app::MCommonTheme::getInstance()->init();
            Evas_Object* bg = evas_object_rectangle_add(evas_object_evas_get(win));
            evas_object_color_set(bg, 0, 0, 0, 255);
            elm_win_resize_object_add(win, bg);
            evas_object_show(bg);
            Evas_Object* gl = listOf(win);
            scene.build(gl);
            msg_test::addRoundFrame(win);
            evas_object_show(win);
            msg_test::pumpFor(0.8);
            std::string path = outDir + "/" + scene.name + ".png";
            if (!msg_test::saveWindowPngReporting(win, path))
                ++failures;
            evas_object_del(win);
            MLReusableObjectPool::destroy();
            msg_test::pumpFor(0.05);
        }
        msg_app::MCommonTheme::getInstance()->deinit();
        msg_app::MCommonAddrMgr::release();
        msg_app::MCommonI18n::release();
        msg_store::ConnectionManager::disconnect();
        msg_device::Device::closeDefault();
    }
    elm_shutdown();
    return failures ? EXIT_FAILURE : EXIT_SUCCESS;
}
