// The application as a blind user's screen reader walks it on the desktop: through the toolkit's
// accessibility bridge and the desktop's accessibility bus, by names, roles and reading order.
#include "AccessibilityBus.h"
#include "Journey.h"
#include "Wait.h"

#include <atspi/atspi.h>

#include <algorithm>
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
    // msg-app's window as the bus shows it.
    static Node window() {
        Node desktop(atspi_get_desktop(0));
        int count = atspi_accessible_get_child_count(desktop.get(), nullptr);
        for (int i = 0; i < count; ++i) {
            Node app(atspi_accessible_get_child_at_index(desktop.get(), i, nullptr));
            if (app && nameOf(app.get()) == "msg-app")
                return find(app.get(), [](AtspiAccessible* obj) { return roleOf(obj) == "window"; });
        }
        return nullptr;
    }

    static std::unique_ptr<AccessibilityBus> _bus;
};
std::unique_ptr<AccessibilityBus> AccessJourney::_bus;

} // namespace

TEST_F(AccessJourney, AReaderReadsTheListOpensAConversationAndReadsItsBubblesThenReply) {
    ASSERT_EQ(watch().sim({"set", "db/setting/accessibility/tts", "true", "--type", "bool"}).exitCode, 0);
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
            Node win = window();
            list =
                win ? find(win.get(), [](AtspiAccessible* obj) { return roleOf(obj) == "list"; }) : nullptr;
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
            Node win = window();
            reply = win ? find(win.get(),
                               [](AtspiAccessible* obj) {
                                   return roleOf(obj) == "push button" && nameOf(obj) == "Reply" &&
                                          related(obj, ATSPI_RELATION_FLOWS_TO);
                               })
                        : nullptr;
            return reply != nullptr;
        },
        READ_SECONDS));

    // Backwards from the reply row over the bubbles shown, then on to the option cue.
    std::vector<std::string> read{spoken(reply.get())};
    for (Node at = related(reply.get(), ATSPI_RELATION_FLOWS_FROM); at && read.size() < 20;
         at = related(at.get(), ATSPI_RELATION_FLOWS_FROM))
        read.insert(read.begin(), spoken(at.get()));
    Node cue = related(reply.get(), ATSPI_RELATION_FLOWS_TO);
    ASSERT_NE(cue, nullptr);
    read.push_back(nameOf(cue.get()));
    const std::vector<Watch::Row> messages =
        watch().storeRows({"--thread", std::to_string(conversations[0].id)});
    ASSERT_GE(messages.size(), 2u);
    ASSERT_GE(read.size(), 4u);
    EXPECT_EQ(read.back(), "More options");
    EXPECT_EQ(read[read.size() - 2], "Reply");
    // The newest message (the store lists them oldest first) right before the reply row; the one
    // before it, when its bubble is on screen too (a day's line may take its place after
    // midnight), earlier in the chain.
    const std::string& newestText = messages.back().text;
    EXPECT_NE(read[read.size() - 3].find(newestText), std::string::npos)
        << read[read.size() - 3] << " is not " << newestText << ": " << joined(read);
    const std::string& before = messages[messages.size() - 2].text;
    auto older = std::find_if(read.begin(), read.end() - 3, [&](const std::string& line) {
        return line.find(before) != std::string::npos;
    });
    auto newer = std::find_if(read.begin(), read.end(), [&](const std::string& line) {
        return line.find(newestText) != std::string::npos;
    });
    EXPECT_LE(older - read.begin(), newer - read.begin()) << joined(read);
}

} // namespace msg_e2e
