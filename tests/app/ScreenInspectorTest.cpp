// What the inspection port tells of a window: the texts a user sees (not the hidden, transparent or
// scrolled-out ones), the rows of a list with their checks, and the pages; and the port itself,
// which answers a request only in a process started to be inspected.
#include "ScreenInspector.h"
#include "Application.h"
#include "EflTest.h"
#include "ScreenSnapshot.h"
#include "ShotScreens.h"
#include "TempDir.h"
#include "app_common.h"
#include "device/Device.h"
#include "message_port.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using msg_app::shell::ScreenInspector;
using msg_app::shell::ScreenSnapshot;

namespace {

constexpr int ROWS = 30;

char* rowTextCb(void* data, Evas_Object*, const char* part) {
    return strcmp(part, "elm.text")
               ? nullptr
               : strdup(("row " + std::to_string(reinterpret_cast<intptr_t>(data))).c_str());
}

// Every third row carries a check, on for every sixth.
Evas_Object* rowCheckCb(void* data, Evas_Object* obj, const char* part) {
    auto n = reinterpret_cast<intptr_t>(data);
    if (strcmp(part, "elm.swallow.end") || n % 3)
        return nullptr;
    Evas_Object* check = elm_check_add(obj);
    elm_check_state_set(check, n % 6 == 0);
    return check;
}

std::vector<std::string> textsOf(const std::vector<ScreenSnapshot::Text>& texts) {
    std::vector<std::string> plain;
    for (const auto& t : texts)
        plain.push_back(t.text);
    return plain;
}

TEST(ScreenSnapshotTest, ItTellsTheRowsInViewWithTheirTextsAndChecksAndOnlyTheTextsSeen) {
    msg_test::TestWindow window;
    Evas_Object* genlist = elm_genlist_add(window.win());
    evas_object_resize(genlist, 360, 360);
    evas_object_show(genlist);
    static Elm_Genlist_Item_Class itc = [] {
        Elm_Genlist_Item_Class c{};
        c.version = ELM_GENLIST_ITEM_CLASS_VERSION;
        c.item_style = "default";
        c.func.text_get = rowTextCb;
        c.func.content_get = rowCheckCb;
        return c;
    }();
    for (intptr_t n = 0; n < ROWS; ++n)
        elm_genlist_item_append(genlist, &itc, reinterpret_cast<void*>(n), nullptr, ELM_GENLIST_ITEM_NONE,
                                nullptr, nullptr);
    // Three labels over the list: one shown, one hidden, one drawn transparent.
    const struct {
        const char* text;
        bool shown;
        int alpha;
    } labels[] = {{"shown label", true, 255}, {"hidden label", false, 255}, {"clear label", true, 0}};
    for (const auto& l : labels) {
        Evas_Object* label = elm_label_add(window.win());
        elm_object_text_set(label, l.text);
        evas_object_color_set(label, 0, 0, 0, l.alpha);
        evas_object_move(label, 100, 300);
        evas_object_resize(label, 150, 40);
        if (l.shown)
            evas_object_show(label);
    }
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return elm_genlist_realized_items_get(genlist) != nullptr; }));
    msg_test::runLoopUntilIdle();

    ScreenSnapshot snapshot(window.win());
    ASSERT_EQ(snapshot.lists().size(), 1u);
    const ScreenSnapshot::List& list = snapshot.lists().front();
    EXPECT_EQ(list.count, ROWS);
    ASSERT_EQ(list.styles.size(), 1u);
    EXPECT_EQ(list.styles.front().style + " " + std::to_string(list.styles.front().count),
              "default " + std::to_string(ROWS));
    ASSERT_FALSE(list.rows.empty());
    int inView = 0;
    for (const ScreenSnapshot::Row& row : list.rows) {
        SCOPED_TRACE("row " + std::to_string(row.index));
        bool seen = row.box.y < 360 && row.box.y + row.box.h > 0;
        // A realized row below the list's edge shows nothing.
        EXPECT_EQ(!row.texts.empty(), seen);
        if (!seen)
            continue;
        ++inView;
        EXPECT_EQ(textsOf(row.texts), std::vector<std::string>{"row " + std::to_string(row.index)});
        EXPECT_EQ(row.checked, row.index % 3 ? -1 : row.index % 6 == 0 ? 1 : 0);
    }
    EXPECT_GT(inView, 2);
    EXPECT_LT(inView, ROWS) << "the rows past the screen are not in view";
    EXPECT_EQ(textsOf(snapshot.otherTexts()), std::vector<std::string>{"shown label"});
}

class ScreenInspectorTest : public ::testing::Test {
protected:
    void SetUp() override { msg_device::Device::closeDefault(); }
    void TearDown() override {
        unsetenv("MSG_INSPECT");
        msg_device::Device::closeDefault();
    }
    msg_test::TempDevice device;
};

struct Answer {
    std::string token;
    std::string screen;
};

void answerCb(int, const char*, const char*, bool, bundle* message, void* data) {
    auto* answer = static_cast<Answer*>(data);
    char* value = nullptr;
    if (bundle_get_str(message, "token", &value) == 0 && value)
        answer->token = value;
    if (bundle_get_str(message, "screen", &value) == 0 && value)
        answer->screen = value;
}

TEST_F(ScreenInspectorTest, TheApplicationAnswersOnlyWhenStartedToBeInspected) {
    msg_app::shell::registerBuiltinScreens();
    for (bool inspected : {false, true}) {
        SCOPED_TRACE(inspected ? "inspected" : "ordinary start");
        if (inspected)
            setenv("MSG_INSPECT", "1", 1);
        msg_app::shell::Application::Options options;
        options.screen = "demo";
        msg_app::shell::Application app(options);
        ASSERT_TRUE(app.start());
        msg_test::runLoopUntilIdle();

        Answer answer;
        int port = message_port_register_local_port(ScreenInspector::ANSWER_PORT, answerCb, &answer);
        ASSERT_GT(port, 0);
        // This process asks itself, as msg-sim asks msg-app.
        char* self = nullptr;
        ASSERT_EQ(app_get_id(&self), 0);
        bundle* request = bundle_create();
        bundle_add_str(request, "token", "t-1");
        int sent = message_port_send_message(self, ScreenInspector::PORT, request);
        bundle_free(request);
        free(self);
        ASSERT_EQ(sent, MESSAGE_PORT_ERROR_NONE);
        bool answered = msg_test::runLoopUntil([&] { return !answer.screen.empty(); }, inspected ? 5.0 : 1.0);
        EXPECT_EQ(answered, inspected);
        if (inspected) {
            EXPECT_EQ(answer.token, "t-1");
            EXPECT_NE(answer.screen.find("\"pages\":[\"DemoScreen\"]"), std::string::npos)
                << answer.screen.substr(0, 300);
        }
        message_port_unregister_local_port(port);
        app.stop();
    }
}

} // namespace
