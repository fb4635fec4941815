// The watch's window over a fresh device with a connected store, for the blocked-message viewer:
// blocked messages arrive through the phone side and the viewer is pushed on the naviframe.
#ifndef MSG_TESTS_BLOCK_BLOCKVIEWFIXTURE_H
#define MSG_TESTS_BLOCK_BLOCKVIEWFIXTURE_H

#include "JournalStore.h"
#include "SimSeedMedia.h"
#include "WatchScreenTest.h"
#include "block/MBContentViewController.h"
#include "block/MBItem/MBItem.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonI18n.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

class BlockViewFixture : public WatchScreenTest {
protected:
    using MBItem = msg_app::msg_block::MBItem;

    static void SetUpTestSuite() {
        setenv("LANGUAGE", "en", 1);
        std::setlocale(LC_ALL, "C.UTF-8");
    }
    void SetUp() override {
        WatchScreenTest::SetUp();
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8");
    }
    void TearDown() override {
        window->destroy();
        msg_app::MCommonAddrMgr::release();
        msg_app::MCommonI18n::release();
        settle();
        msg_store::ConnectionManager::disconnect();
        WatchScreenTest::TearDown();
    }

    // A message from `from` in the watch's spam folder unless the record says otherwise; its id.
    int receive(msg_store::IncomingMessage message, const std::string& from = "+15550100") {
        message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
        message.time = message.time ? message.time : 1700000000000;
        int msgId = -1;
        EXPECT_EQ(msg_store::PhoneSide::insertMessage(message, &msgId), msg_store::MSG_STORE_SUCCESS);
        return msgId;
    }
    static msg_store::IncomingMessage sms(const std::string& text) {
        msg_store::IncomingMessage message;
        message.folderType = msg_store::FOLDER_WATCH_SPAM;
        message.text = text;
        return message;
    }
    static msg_store::IncomingMessage mms(const std::string& subject, std::vector<msg_store::Content> parts) {
        msg_store::IncomingMessage message = sms("");
        message.msgType = "mms";
        message.subject = subject;
        message.contents = std::move(parts);
        return message;
    }
    static msg_store::Content part(msg_store::Content::MediaType type, const std::string& mime,
                                   const std::string& fileName) {
        msg_store::Content content;
        content.mediaType = type;
        content.mimeType = mime;
        content.fileName = fileName;
        content.transferStatus = msg_store::Content::TRANSFER_DOWNLOADED;
        return content;
    }
    // A real PNG of the given size in the device folder; its path.
    std::string writePng(const std::string& name, int width, int height) {
        std::string path = device.file(name);
        EXPECT_TRUE(msg_sim::simWritePng(path, width, height, 120)) << path;
        return path;
    }

    // Pushes the viewer of the message over the host page and lets it lay out.
    void open(int msgId) {
        viewer = new msg_app::msg_block::MBContentViewController(msgId);
        viewerWeak = viewer->getWeakPtr();
        bool pushed = false;
        EXPECT_TRUE(doAndWaitForTransition(
            [&] { pushed = window->getNaviframeController()->push(viewer, "msg_block"); }));
        EXPECT_TRUE(pushed);
    }
    std::vector<MBItem*> rows() const {
        std::vector<MBItem*> out;
        Evas_Object* genlist = viewerWeak.expired() ? nullptr : viewer->getGenlist();
        for (Elm_Object_Item* it = genlist ? elm_genlist_first_item_get(genlist) : nullptr; it;
             it = elm_genlist_item_next_get(it))
            out.push_back(static_cast<MBItem*>(elm_object_item_data_get(it)));
        return out;
    }
    std::vector<MBItem::Type> rowTypes() const {
        std::vector<MBItem::Type> types;
        for (MBItem* row : rows())
            types.push_back(row->getType());
        return types;
    }

    // The text a row gives its text part, read as plain text: for rows taller than the screen, which
    // the genlist draws only while they are in view.
    static std::string rowText(MBItem* row, const char* part = "elm.text") {
        Elm_Object_Item* item = row->getElmObjectItem();
        const Elm_Genlist_Item_Class* itc = elm_genlist_item_item_class_get(item);
        char* markup = itc && itc->func.text_get
                           ? itc->func.text_get(row, elm_object_item_widget_get(item), part)
                           : nullptr;
        std::string out = plainOf(markup);
        std::free(markup);
        return out;
    }

    // What the canvas draws for a text part of the row, scrolled into view: the text object of the
    // part in the row's view, found where the row is; its own text, or a textblock's markup read
    // as the plain text a reader sees.
    static std::string shownPlain(MBItem* row, const char* part = "elm.text") {
        Elm_Object_Item* item = row->getElmObjectItem();
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_IN);
        const Evas_Object* shown = nullptr;
        msg_test::runLoopUntil(
            [&] {
                Evas_Object* track = elm_object_item_track(item);
                int x = 0, y = 0, w = 0, h = 0;
                evas_object_geometry_get(track, &x, &y, &w, &h);
                elm_object_item_untrack(item);
                Evas_Object* view = findView(elm_object_item_widget_get(item), x, y, w, h, part);
                shown = view ? edje_object_part_object_get(view, part) : nullptr;
                return shown != nullptr;
            },
            2.0);
        if (shown && std::string(evas_object_type_get(shown)) == "text") {
            const char* text = evas_object_text_text_get(shown);
            return text ? text : "";
        }
        return plainOf(shown ? evas_object_textblock_text_markup_get(const_cast<Evas_Object*>(shown))
                             : nullptr);
    }

    // Opens the option panel and taps its entry; the entry's text, empty when the panel did not open.
    std::string tapOption(int index) {
        Evas_Object* panel = elm_object_part_content_get(viewer->getEvasObject(), "elm.swallow.content");
        auto* more = dynamic_cast<msg_app::MCommonMoreOptionViewController*>(
            wviewcontroller_get_instance_from_evasobj(panel));
        if (!more)
            return "";
        more->open();
        auto* item = static_cast<Eext_Object_Item*>(eina_list_nth(eext_more_option_items_get(panel), index));
        if (!item ||
            !msg_test::runLoopUntilPartState(elm_layout_edje_get(panel), "eext.swallow.panel", "opened"))
            return "";
        std::string text = eext_more_option_item_part_text_get(item, "selector,main_text");
        clickCenter(item->obj);
        return text;
    }
    // Runs the loop until the viewer has left the naviframe; popViewer() first asks it to leave.
    bool waitPopped() {
        return msg_test::runLoopUntil(
            [&] { return window->getNaviframeController()->getPageCount() == 1 && viewerWeak.expired(); },
            5.0);
    }
    bool popViewer() {
        viewer->popOut();
        return waitPopped();
    }
    // The platform journal's texts, oldest first.
    static std::vector<std::string> journal() {
        std::vector<std::string> texts;
        for (const auto& entry : msg_services::JournalStore::list("journal"))
            texts.push_back(entry.category + " " + entry.text);
        return texts;
    }

    msg_app::msg_block::MBContentViewController* viewer = nullptr;
    std::weak_ptr<view_kit::WViewController> viewerWeak;

private:
    // Markup as the plain text a reader sees.
    static std::string plainOf(const char* markup) {
        char* plain = markup ? evas_textblock_text_markup_to_utf8(nullptr, markup) : nullptr;
        std::string out = plain ? plain : "";
        std::free(plain);
        return out;
    }
    // The edje object among the smart members below obj at that geometry which has the part.
    static Evas_Object* findView(Evas_Object* obj, int x, int y, int w, int h, const char* part) {
        int ox = 0, oy = 0, ow = 0, oh = 0;
        evas_object_geometry_get(obj, &ox, &oy, &ow, &oh);
        if (ox == x && oy == y && ow == w && oh == h && std::string(evas_object_type_get(obj)) == "edje" &&
            edje_object_part_object_get(obj, part))
            return obj;
        Evas_Object* found = nullptr;
        Eina_List* members = evas_object_smart_members_get(obj);
        for (Eina_List* l = members; l && !found; l = eina_list_next(l))
            found = findView(static_cast<Evas_Object*>(eina_list_data_get(l)), x, y, w, h, part);
        eina_list_free(members);
        return found;
    }
};

#endif
