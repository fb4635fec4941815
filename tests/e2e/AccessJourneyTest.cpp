// The application as a blind user's screen reader walks it on the desktop: through the toolkit's
// accessibility bridge and the desktop's accessibility bus, by names, roles and reading order.
#include "AccessibilityBus.h"
#include "Journey.h"
#include "Json.h"
#include "Wait.h"

#include <atspi/atspi.h>

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define MSG_E2E_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MSG_E2E_LEAK_CHECK 1
#endif
#endif
#ifdef MSG_E2E_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace msg_e2e {
namespace {

std::string joined(const std::vector<std::string>& read) {
    std::string all;
    for (const std::string& line : read)
        all += "[" + line + "] ";
    return all;
}

// How long the bridge may take to show a screen on the bus on a busy machine.
constexpr double READ_SECONDS = 20.0;

struct Unref {
    void operator()(AtspiAccessible* obj) const { g_object_unref(obj); }
};
using Node = std::unique_ptr<AtspiAccessible, Unref>;

std::string text(gchar* owned) {
    std::string out = owned ? owned : "";
    g_free(owned);
    return out;
}
std::string roleOf(AtspiAccessible* obj) {
    return text(atspi_accessible_get_role_name(obj, nullptr));
}
std::string nameOf(AtspiAccessible* obj) {
    return text(atspi_accessible_get_name(obj, nullptr));
}
// What a reader says for an object: its description when it has one, else its name.
std::string spoken(AtspiAccessible* obj) {
    std::string description = text(atspi_accessible_get_description(obj, nullptr));
    return description.empty() ? nameOf(obj) : description;
}

// The first object under `obj` (itself included) that `match` takes, depth first.
Node find(AtspiAccessible* obj, const std::function<bool(AtspiAccessible*)>& match, int depth = 0) {
    if (match(obj))
        return Node(static_cast<AtspiAccessible*>(g_object_ref(obj)));
    int count = atspi_accessible_get_child_count(obj, nullptr);
    for (int i = 0; i < count && depth < 20; ++i) {
        Node child(atspi_accessible_get_child_at_index(obj, i, nullptr));
        if (Node found = child ? find(child.get(), match, depth + 1) : nullptr)
            return found;
    }
    return nullptr;
}

// The object a reader moves to from obj, by the flows-to (or flows-from) relation.
Node related(AtspiAccessible* obj, AtspiRelationType type) {
    GArray* relations = atspi_accessible_get_relation_set(obj, nullptr);
    Node target;
    for (guint i = 0; relations && i < relations->len && !target; ++i) {
        AtspiRelation* relation = g_array_index(relations, AtspiRelation*, i);
        if (atspi_relation_get_relation_type(relation) == type && atspi_relation_get_n_targets(relation) > 0)
            target.reset(atspi_relation_get_target(relation, 0));
    }
    for (guint i = 0; relations && i < relations->len; ++i)
        g_object_unref(g_array_index(relations, AtspiRelation*, i));
    if (relations)
        g_array_free(relations, TRUE);
    return target;
}

// A reader's move onto obj: the application brings a row it was not showing into view.
void moveOnto(AtspiAccessible* obj) {
    AtspiComponent* component = atspi_accessible_get_component_iface(obj);
    ASSERT_NE(component, nullptr);
    atspi_component_grab_focus(component, nullptr);
    g_object_unref(component);
}

// Whether `texts` (oldest first) are read in this order, the last of them right before the final
// line, whatever else (a day's line) comes between them.
bool readInOrder(const std::vector<std::string>& read, const std::vector<std::string>& texts) {
    auto contains = [](const std::string& line, const std::string& text) {
        return line.find(text) != std::string::npos;
    };
    if (read.size() < texts.size() + 1 || !contains(read[read.size() - 2], texts.back()))
        return false;
    size_t at = read.size() - 2;
    for (size_t k = texts.size() - 1; k-- > 0;) {
        while (at > 0 && !contains(read[--at], texts[k])) {
        }
        if (!contains(read[at], texts[k]))
            return false;
    }
    return true;
}

class AccessJourney : public Journey {
protected:
    static void SetUpTestSuite() {
        Journey::SetUpTestSuite();
#ifdef MSG_E2E_LEAK_CHECK
        // The accessibility client keeps a few bytes of its bus state past atspi_exit(); this
        // suite's own allocations are left out of the leak check (msg-app's are checked in it).
        __lsan_disable();
#endif
        _bus = std::make_unique<AccessibilityBus>();
        if (!_bus->start(&_startError))
            _display.reset();
        else
            atspi_init();
    }
    static void TearDownTestSuite() {
        if (_bus && _display)
            atspi_exit();
        _bus.reset();
#ifdef MSG_E2E_LEAK_CHECK
        __lsan_enable();
#endif
        Journey::TearDownTestSuite();
    }
    // The first object that `match` takes in msg-app's window, as the bus shows it.
    static Node inWindow(const std::function<bool(AtspiAccessible*)>& match) {
        Node desktop(atspi_get_desktop(0));
        int count = atspi_accessible_get_child_count(desktop.get(), nullptr);
        for (int i = 0; i < count; ++i) {
            Node app(atspi_accessible_get_child_at_index(desktop.get(), i, nullptr));
            Node win = app && nameOf(app.get()) == "msg-app"
                           ? find(app.get(), [](AtspiAccessible* obj) { return roleOf(obj) == "window"; })
                           : nullptr;
            if (win)
                return find(win.get(), match);
        }
        return nullptr;
    }

    static std::unique_ptr<AccessibilityBus> _bus;
};
std::unique_ptr<AccessibilityBus> AccessJourney::_bus;

} // namespace

TEST_F(AccessJourney, AReaderReadsTheListOpensAConversationAndReadsItsBubblesThenReply) {
    ASSERT_EQ(watch().sim({"set", "db/setting/accessibility/tts", "true", "--type", "bool"}).exitCode, 0);
    // The newest conversation's first message two days back and one more now: a day's line falls
    // among its three newest bubbles at any time of day.
    const std::string thread = std::to_string(watch().storeRows().front().id);
    int first = -1;
    std::string address;
    forEachObject(watch().sim({"list", "--thread", thread, "--json"}).out, [&](JsonObject* o) {
        if (first < 0) {
            first = intOf(o, "id");
            address = stringOf(o, "address");
        }
    });
    const std::string twoDaysBack = std::to_string(time(nullptr) - 2 * 24 * 3600);
    ASSERT_EQ(watch().sim({"retime", std::to_string(first), "--time", twoDaysBack}).exitCode, 0);
    ASSERT_EQ(watch().sim({"receive", "--from", address, "--text", "Walking over now"}).exitCode, 0);
    ASSERT_TRUE(watch().launch());
    const std::vector<Watch::Row> conversations = watch().storeRows();
    ASSERT_GE(conversations.size(), 2u);

    // The list: its rows named by what they show, newest first.
    Node list;
    auto rowOf = [&](const Watch::Row& conversation) {
        return find(list.get(), [&](AtspiAccessible* obj) {
            return roleOf(obj) == "list item" && nameOf(obj).find(conversation.text) != std::string::npos;
        });
    };
    ASSERT_TRUE(waitUntil(
        [&] {
            list = inWindow([](AtspiAccessible* obj) { return roleOf(obj) == "list"; });
            return list && rowOf(conversations[0]) && rowOf(conversations[1]);
        },
        READ_SECONDS));
    Node newest = rowOf(conversations[0]);
    int newestIndex = atspi_accessible_get_index_in_parent(newest.get(), nullptr);
    EXPECT_LT(newestIndex, atspi_accessible_get_index_in_parent(rowOf(conversations[1]).get(), nullptr));
    EXPECT_FALSE(spoken(newest.get()).empty());

    // A reader's activation of the row selects it, which opens the conversation.
    AtspiSelection* selection = atspi_accessible_get_selection_iface(list.get());
    ASSERT_NE(selection, nullptr);
    ASSERT_TRUE(atspi_selection_select_child(selection, newestIndex, nullptr));
    g_object_unref(selection);
    Node reply;
    ASSERT_TRUE(waitUntil(
        [&] {
            reply = inWindow([](AtspiAccessible* obj) {
                return roleOf(obj) == "push button" && nameOf(obj) == "Reply" &&
                       related(obj, ATSPI_RELATION_FLOWS_TO);
            });
            return reply != nullptr;
        },
        READ_SECONDS));

    // After the reply row, the option cue ends the reading.
    Node cue = related(reply.get(), ATSPI_RELATION_FLOWS_TO);
    ASSERT_NE(cue, nullptr);
    EXPECT_EQ(nameOf(cue.get()), "More options");

    // Backwards from the reply row, moving onto each row the chain leads to (which brings it into
    // view and links the rows before it), until the three newest messages are read in store order
    // (the store lists them oldest first), wherever a day's line falls between them.
    const std::vector<Watch::Row> messages =
        watch().storeRows({"--thread", std::to_string(conversations[0].id)});
    ASSERT_GE(messages.size(), 3u);
    std::vector<std::string> newestTexts;
    for (auto it = messages.end() - 3; it != messages.end(); ++it)
        newestTexts.push_back(it->text);
    std::vector<std::string> read{spoken(reply.get())};
    EXPECT_EQ(read.back(), "Reply");
    Node at = related(reply.get(), ATSPI_RELATION_FLOWS_FROM);
    while (at && read.size() < 20 && !readInOrder(read, newestTexts)) {
        read.insert(read.begin(), spoken(at.get()));
        moveOnto(at.get());
        Node earlier;
        waitUntil([&] { return (earlier = related(at.get(), ATSPI_RELATION_FLOWS_FROM)) != nullptr; },
                  READ_SECONDS);
        at = std::move(earlier);
    }
    EXPECT_TRUE(readInOrder(read, newestTexts)) << joined(read);
    // Every row says something: a day's line its date.
    for (const std::string& line : read)
        EXPECT_FALSE(line.empty()) << joined(read);
}

} // namespace msg_e2e
