#ifndef MSG_APP_SHELL_SCREENSNAPSHOT_H
#define MSG_APP_SHELL_SCREENSNAPSHOT_H

#include <Elementary.h>

#include <string>
#include <vector>

namespace msg_app {
namespace shell {

// What a window shows, read from its canvas the way a screen reader reads it: the pages of its
// naviframe, every screen, panel and popup on it (by controller), the rows of its lists that are in
// view with the texts and checks drawn in them, and the other texts in view. Nothing is asked of
// the screens themselves, so the snapshot tells what is drawn, not what a screen believes it drew.
class ScreenSnapshot {
public:
    struct Box {
        int x = 0, y = 0, w = 0, h = 0;
    };
    struct Text {
        std::string text;
        Box box;
    };
    struct View {
        std::string className;
        std::string name;
        Box box;
        bool seen = false;
        std::vector<Text> texts;
    };
    struct Row {
        int index = 0;
        std::string style;
        Box box;
        std::vector<Text> texts;
        int checked = -1; // -1 without a check, else its state
    };
    // Consecutive items of one style, so that a list of thousands stays short.
    struct StyleRun {
        std::string style;
        int first = 0;
        int count = 0;
    };
    struct List {
        std::string view; // the controller the list belongs to
        Box box;
        int count = 0;
        std::vector<StyleRun> styles;
        std::vector<Row> rows; // realized rows, in list order
    };

    // Reads the whole canvas of `window`.
    explicit ScreenSnapshot(Evas_Object* window);

    const std::vector<std::string>& pages() const { return _pages; }
    const std::vector<View>& views() const { return _views; }
    const std::vector<List>& lists() const { return _lists; }
    const std::vector<Text>& otherTexts() const { return _otherTexts; }
    std::string toJson(const std::string& appState) const;

private:
    struct Place {
        int view = -1;
        int list = -1;
    };
    void _readPages(Evas_Object* naviframe);
    void _walk(Evas_Object* obj, Place place);
    int _addList(Evas_Object* genlist, int view);
    void _addText(Evas_Object* obj, const std::string& text, Place place);
    void _addCheck(Evas_Object* obj, Place place);
    Row* _rowAt(int list, const Box& box);

    Box _screen;
    std::vector<std::string> _pages;
    std::vector<View> _views;
    std::vector<List> _lists;
    std::vector<Text> _otherTexts;
};

} // namespace shell
} // namespace msg_app

#endif
