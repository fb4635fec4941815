#ifndef MSG_TESTS_E2E_SHOWNSCREEN_H
#define MSG_TESTS_E2E_SHOWNSCREEN_H

#include "Frame.h"

#include <string>
#include <vector>

namespace msg_e2e {

// What msg-app's window shows, as the application's inspection port tells it (`msg-sim inspect
// --json`, msg-app started with MSG_INSPECT=1): the pages, the screens and panels drawn, the rows of
// its lists in view with their texts and checks. Texts are those a user can see.
struct ShownScreen {
    struct Text {
        std::string text;
    };
    struct View {
        std::string className;
        std::string name; // the controller's own name; a panel's class may be a generic one
        bool seen = false;
        std::vector<Text> texts;
    };
    struct Row {
        int index = 0;
        std::string style;
        Rect box;
        std::vector<Text> texts;
        int checked = -1; // -1: no check drawn
    };
    struct StyleRun {
        std::string style;
        int first = 0;
        int count = 0;
    };
    struct List {
        std::string view;
        Rect box;
        int count = 0;
        std::vector<StyleRun> styles;
        std::vector<Row> rows;
        // How many items of `style` the list holds, and where the first is (-1: none).
        int countOf(const std::string& style) const;
        int firstOf(const std::string& style) const;
        // The realized rows of `style` that show some text.
        std::vector<const Row*> shownRows(const std::string& style) const;
    };

    long answerMs = -1;
    std::string state;
    std::vector<std::string> pages;
    std::vector<View> views;
    std::vector<List> lists;
    std::vector<Text> texts;

    // False when `json` is not an inspection answer.
    static bool parse(const std::string& json, ShownScreen* out);

    std::string topPage() const { return pages.empty() ? std::string() : pages.back(); }
    // The first view of that class or name drawn on the screen; null when none is.
    const View* seenView(const std::string& classOrName) const;
    // The first list of the screen or panel of that class; null when none.
    const List* listOf(const std::string& viewClass) const;
    // Every text a user sees, in one line (for messages).
    std::string describe() const;
};

} // namespace msg_e2e

#endif
