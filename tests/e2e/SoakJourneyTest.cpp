// A restless user for minutes or hours: a seeded random user drives msg-app in its real window
// (taps, long presses, drags, the bezel, Page keys, back, the option panel, select mode, replies
// typed in the input selector) while msg-sim's phone receives, delivers, fails, blocks, renames
// contacts and switches languages. After every step the screen, as msg-app tells it, is held to
// the store; a failure prints the seed and the steps, which replay the run exactly.
//
// MSG_SOAK_SECONDS how long (180 by default), MSG_SOAK_SEED which run, MSG_SOAK_STEPS a replay of
// that many steps (the time then does not count), MSG_SOAK_TRACE each step as it goes. scripts/soak
// sets them.
#include "Journey.h"
#include "Json.h"
#include "SoakChecks.h"
#include "SoakScript.h"
#include "Wait.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace msg_e2e {
namespace {

using Clock = std::chrono::steady_clock;
using Kind = SoakStep::Kind;

// The run of the suite: a seed whose first SUITE_STEPS steps were seen to pass, so that a faster
// machine, which takes more steps in the time, meets no step that was never tried. Other seeds
// are run by hand (scripts/soak), and those that found faults are replayed there.
constexpr uint32_t SUITE_SEED = 5;
constexpr int SUITE_STEPS = 300;
// The suite's share of CI time; scripts/soak runs for as long as asked.
#ifdef MSG_SOAK_SANITIZED
// Every step costs several times as much in the sanitized tree: a shorter run keeps CI in budget.
constexpr double SUITE_SECONDS = 40;
#else
constexpr double SUITE_SECONDS = 90;
#endif
// How long the screen may take to catch up with a step or a change of the store.
constexpr double CATCH_UP_SECONDS = 15.0;
// An answer slower than this is a stall the user feels; it is reported, not failed, since a
// loaded machine stalls too.
constexpr long STALL_MS = 1000;
// The pictures of the last steps are kept for a failure.
constexpr size_t PICTURES_KEPT = 60;
// The steps printed with a failure; the seed replays all of them.
constexpr size_t STEPS_PRINTED = 150;
constexpr const char* INPUT_SELECTOR = "com.vorlane.w-input-selector";
// The windows of the device's other applications that a step can bring up over msg-app.
const char* const OTHER_WINDOWS[] = {"msg-compose", "msg-send"};

struct SoakPlan {
    uint32_t seed = SUITE_SEED;
    double seconds = SUITE_SECONDS;
    int steps = 0;               // a replay of exactly this many; 0: as many as the time allows
    int mostSteps = SUITE_STEPS; // 0: no bound
    bool trace = false;          // each step and the screen after it, printed as it goes

    static SoakPlan fromEnvironment() {
        SoakPlan plan;
        if (const char* seed = std::getenv("MSG_SOAK_SEED"); seed && *seed) {
            plan.seed = static_cast<uint32_t>(std::strtoul(seed, nullptr, 10));
            plan.mostSteps = 0;
        }
        if (const char* seconds = std::getenv("MSG_SOAK_SECONDS"); seconds && *seconds)
            plan.seconds = std::strtod(seconds, nullptr);
        if (const char* steps = std::getenv("MSG_SOAK_STEPS"); steps && *steps)
            plan.steps = std::atoi(steps);
        plan.trace = std::getenv("MSG_SOAK_TRACE") != nullptr;
        return plan;
    }
    bool goesOn(int done, double elapsed) const {
        if (steps)
            return done < steps;
        return elapsed < seconds && (!mostSteps || done < mostSteps);
    }
};

bool listsString(JsonObject* o, const char* member, const std::string& value) {
    JsonArray* list = json_object_has_member(o, member) ? json_object_get_array_member(o, member) : nullptr;
    for (guint i = 0; list && i < json_array_get_length(list); ++i) {
        if (value == json_array_get_string_element(list, i))
            return true;
    }
    return false;
}

class Soak : public Journey {
protected:
    void SetUp() override {
        Journey::SetUp();
        // The phone is paired and connected: replies are sent through it.
        ASSERT_EQ(watch().sim({"profile", "phone-bt"}).exitCode, 0);
        watch().keepNewestPictures(PICTURES_KEPT);
    }

    // A step as the user can take it on what is up now: a selector window takes the finger, a
    // backgrounded application is first come back to.
    SoakStep adapt(SoakStep step) {
        if (!step.byUser())
            return step;
        if (_display->findWindow("msg-input")) {
            bool cancel = step.kind == Kind::BACK;
            step = SoakStep(Kind::ANSWER);
            step.down = !cancel;
            step.text = "soak reply " + std::to_string(_done.size() + 1);
        } else if (_shown.state == "paused" && step.kind != Kind::ANSWER) {
            step = SoakStep(Kind::HOME);
            step.down = true;
        }
        return step;
    }

    void perform(const SoakStep& step) {
        Watch& w = watch();
        switch (step.kind) {
        case Kind::TAP:
            w.tap(step.x, step.y);
            break;
        case Kind::PRESS:
            w.press(step.x, step.y, step.count / 1000.0);
            break;
        case Kind::DRAG:
            w.drag(step.x, step.y, step.toY);
            break;
        case Kind::WHEEL:
            w.wheel(step.down, step.count);
            break;
        case Kind::PAGE_KEYS:
            w.key(step.down ? "Next" : "Prior", step.count);
            break;
        case Kind::BACK:
            w.key("Escape");
            break;
        case Kind::HOME:
            w.focusApp(step.down);
            break;
        case Kind::ANSWER:
            // A reply typed from the open conversation is followed until the user moves the view.
            if (answerSelector(step) && step.down && _shown.topPage() == "MVContentViewController")
                _sentReply = step.text;
            break;
        case Kind::RECEIVE:
            w.sim({"receive", "--from", step.number, "--text", step.text});
            break;
        case Kind::PHONE:
            // The oldest message waiting.
            if (auto ids = idsWhere(w.sim({"outbox", "--json"}).out, [](JsonObject*) { return true; });
                !ids.empty())
                w.sim({step.down ? "deliver" : "fail", std::to_string(ids.front())});
            break;
        case Kind::BLOCK:
        case Kind::UNBLOCK:
            w.sim({"block", step.kind == Kind::BLOCK ? "add" : "remove", step.number});
            break;
        case Kind::RENAME:
            rename(step);
            break;
        case Kind::LANGUAGE:
            if (w.sim({"set", "db/menu_widget/language", step.text}).exitCode == 0)
                _locale = step.text;
            break;
        }
    }

    // The input selector's request still open, answered as its window would; false when none was.
    bool answerSelector(const SoakStep& step) {
        std::vector<int> open = idsWhere(watch().sim({"launches", "--json"}).out, [](JsonObject* o) {
            return stringOf(o, "target") == INPUT_SELECTOR && stringOf(o, "status") == "started";
        });
        if (open.empty())
            return false;
        // The newest is the one on the screen.
        std::vector<std::string> answer = {"select", std::to_string(open.back())};
        if (step.down)
            answer.insert(answer.end(), {"--text", step.text});
        else
            answer.push_back("--cancel");
        return watch().sim(answer).exitCode == 0;
    }

    void rename(const SoakStep& step) {
        std::string name = "Soak " + std::to_string(step.count);
        std::vector<int> ids = idsWhere(watch().sim({"contact", "list", "--json"}).out, [&](JsonObject* o) {
            return listsString(o, "numbers", step.number);
        });
        if (!ids.empty())
            watch().sim({"contact", "edit", std::to_string(ids.front()), "--name", name});
        else
            watch().sim({"contact", "add", "--name", name, "--number", step.number});
    }

    // A window of another application of the device over msg-app: the user's step goes to it, and
    // anything but a tap is its back key.
    bool performElsewhere(const SoakStep& step) {
        for (const char* program : OTHER_WINDOWS) {
            if (!_display->findWindow(program) || !watch().switchTo(program))
                continue;
            if (step.kind == Kind::TAP)
                watch().tap(step.x, step.y);
            else
                watch().key("Escape");
            watch().settled(std::string("in-") + program);
            watch().switchTo("msg-app");
            return true;
        }
        return false;
    }

    // The conversation a tap on the list opens: the thread of the row under the finger.
    int threadUnder(const SoakStep& step) const {
        if (step.kind != Kind::TAP || _shown.pages != std::vector<std::string>{"MLContentViewController"})
            return 0;
        const ShownScreen::List* list = _shown.listOf("MLListViewController");
        if (!list)
            return 0;
        for (const ShownScreen::Row* row : list->shownRows("list.4text.custom")) {
            size_t at = static_cast<size_t>(row->index - list->firstOf("list.4text.custom"));
            if (step.y >= row->box.y && step.y < row->box.y + row->box.h && at < _threads.size())
                return _threads[at].id;
        }
        return 0;
    }

    // What is wrong now, or "".
    std::string checkOnce() {
        Watch& w = watch();
        if (!w.running())
            return "msg-app ended: " + w.ending();
        std::string log = newLog();
        for (const std::string& line : badLogLines(log))
            _badLines.push_back(line);
        if (!_badLines.empty())
            return "the log says: " + _badLines.front();
        if (!w.inspect(&_shown))
            return "msg-app did not say what its screen shows";
        if (_shown.answerMs > STALL_MS)
            _stalls.push_back("step " + std::to_string(_done.size()) + ": " +
                              std::to_string(_shown.answerMs) + " ms");
        if (!parseStoreThreads(w.sim({"list", "--json"}).out, &_threads))
            return "the store's conversations cannot be read";
        // A list in the background catches up when the user comes back.
        if (_shown.state == "paused")
            return "";
        std::string wrong = checkConversationList(_shown, _threads);
        if (wrong.empty() && _openThread > 0 && _shown.topPage() == "MVContentViewController") {
            std::vector<StoreMessage> messages;
            bool exists = std::any_of(_threads.begin(), _threads.end(),
                                      [&](const StoreThread& t) { return t.id == _openThread; });
            if (exists &&
                parseStoreMessages(w.sim({"list", "--thread", std::to_string(_openThread), "--json"}).out,
                                   &messages))
                wrong = checkConversation(_shown, messages);
        }
        if (wrong.empty() && !_sentReply.empty())
            wrong = checkSentInView(_shown, _sentReply);
        if (wrong.empty())
            wrong = checkRowsFillTheList(_shown);
        if (wrong.empty())
            wrong = checkLanguage(_shown, _locale);
        return wrong.empty() ? checkSelectCount(_shown) : wrong;
    }

    std::string check() {
        std::string wrong;
        waitUntil(
            [&] {
                wrong = checkOnce();
                // An ended process or a bad log line does not heal.
                return wrong.empty() || !watch().running() || !_badLines.empty();
            },
            CATCH_UP_SECONDS);
        return wrong;
    }

    std::string newLog() {
        std::ifstream in(watch().logPath(), std::ios::binary);
        in.seekg(static_cast<std::streamoff>(_logOffset));
        std::stringstream text;
        text << in.rdbuf();
        _logOffset += text.str().size();
        return text.str();
    }

    void report(const SoakPlan& plan, const std::string& wrong) {
        std::string steps;
        size_t first = _done.size() > STEPS_PRINTED ? _done.size() - STEPS_PRINTED : 0;
        if (first)
            steps += "  (" + std::to_string(first) + " steps before)\n";
        for (size_t i = first; i < _done.size(); ++i)
            steps += "  " + std::to_string(i + 1) + " " + _done[i] + "\n";
        ADD_FAILURE() << "soak seed " << plan.seed << " failed after step " << _done.size() << ": " << wrong
                      << "\nscreen: " << _shown.describe() << "\nreplay: scripts/soak --seed " << plan.seed
                      << " --steps " << _done.size() << "\nsteps:\n"
                      << steps;
    }

    // What the user saw after each step, counted: how much of the application the run reached.
    void countScreen() {
        std::string seen = _shown.state == "paused" ? "in the background" : _shown.topPage();
        for (const char* view : {"MCommonCountBtnViewController", "MCommonPopup", "MCommonProgressPopup"}) {
            if (_shown.seenView(view))
                seen += std::string(" + ") + view;
        }
        const ShownScreen::View* panel = _shown.seenView("MCommonMoreOptionViewController");
        if (panel && !panel->texts.empty())
            seen += " + options";
        ++_screens[seen];
    }

    std::vector<std::string> _done;
    std::map<std::string, int> _screens;
    std::vector<std::string> _stalls;
    std::vector<std::string> _badLines;
    std::vector<StoreThread> _threads;
    ShownScreen _shown;
    int _openThread = 0;
    std::string _sentReply;
    std::string _locale = "en_US.UTF-8"; // a fresh device's
    size_t _logOffset = 0;
};

TEST_F(Soak, ARandomUserFindsTheScreenTrueToTheStoreAfterEveryStep) {
    const SoakPlan plan = SoakPlan::fromEnvironment();
    ASSERT_TRUE(watch().launch());
    // Started by the user: the application is in front.
    watch().focusApp(true);
    std::string wrong = check();
    ASSERT_EQ(wrong, "") << "before the first step";

    SoakScript script(plan.seed);
    auto start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    while (plan.goesOn(static_cast<int>(_done.size()), elapsed())) {
        SoakStep step = adapt(script.next());
        int opening = threadUnder(step);
        _done.push_back(step.describe());
        // The phone's reports on a reply (sent, failed) must not scroll it away; the user's own
        // steps and a message coming in may.
        if (step.byUser() || step.kind == Kind::RECEIVE)
            _sentReply.clear();
        if (!(step.byUser() && step.kind != Kind::ANSWER && performElsewhere(step)))
            perform(step);
        watch().settled("step-" + std::to_string(_done.size()));
        wrong = check();
        if (!wrong.empty())
            break;
        countScreen();
        if (plan.trace)
            std::printf("%zu %s -> %s\n", _done.size(), _done.back().c_str(), _shown.describe().c_str());
        if (_shown.topPage() != "MVContentViewController")
            _openThread = 0;
        else if (opening && _shown.pages.size() == 2)
            _openThread = opening;
    }
    if (!wrong.empty())
        report(plan, wrong);
    std::printf("soak seed %u: %zu steps in %.0f s%s\n", plan.seed, _done.size(), elapsed(),
                wrong.empty() ? ", every check held" : "");
    for (const auto& [screen, steps] : _screens)
        std::printf("  %4d steps ended on %s\n", steps, screen.c_str());
    for (const std::string& stall : _stalls)
        std::printf("  slow answer at %s\n", stall.c_str());
}

} // namespace
} // namespace msg_e2e
