#include "SoakChecks.h"

#include "Json.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace msg_e2e {

namespace {

// The theme's item styles: a conversation of the list, a message of a conversation.
constexpr const char* THREAD_ROW = "list.4text.custom";
constexpr const char* BUBBLE_ROW = "message.bubble";
// The list's title and the conversation's reply label: words of the application, not of the user.
constexpr const char* TITLE_ROW = "groupindex";
constexpr const char* REPLY_LABEL_ROW = "message.reply_text";
constexpr const char* LIST_PAGE = "MLContentViewController";
constexpr const char* LIST_VIEW = "MLListViewController";
constexpr const char* CONVERSATION_PAGE = "MVContentViewController";
constexpr const char* CONVERSATION_VIEW = "MVListViewController";
constexpr const char* COUNT_BUTTON = "MCommonCountBtnViewController";
// Blank space taller than this inside a list, between its rows, is a hole in it.
constexpr int MOST_BLANK = 40;
// The list's badge stops counting here.
constexpr int MOST_UNREAD_SHOWN = 999;

// Decodes one UTF-8 sequence at `i`, moving past it; U+FFFD for a broken one.
char32_t nextChar(const std::string& s, size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (!length || i + length > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t code = length == 1 ? c : c & (0x7F >> length);
    for (int k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += length;
    return code;
}

void appendUtf8(std::string& out, char32_t c) {
    gchar buffer[8];
    out.append(buffer, g_unichar_to_utf8(c, buffer));
}

bool isDirectionMark(char32_t c) {
    return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

std::string ordinal(size_t index) {
    return "#" + std::to_string(index + 1);
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string textsOf(const ShownScreen::Row& row) {
    std::string joined;
    for (const auto& t : row.texts)
        joined += (joined.empty() ? "" : " | ") + plainText(t.text);
    return quoted(joined);
}

// A row cut by the edge of its list (or of the screen) may show only some of its texts.
bool wholeIn(const ShownScreen::Row& row, const ShownScreen::List& list) {
    int top = std::max(list.box.y, 0), bottom = std::min(list.box.y + list.box.h, 360);
    return row.box.y >= top && row.box.y + row.box.h <= bottom;
}

// Whether a text of the row is `text` (or, not `whole`, holds it), as a reader compares them.
bool rowShows(const ShownScreen::Row& row, const std::string& text, bool whole = true) {
    std::string wanted = plainText(text);
    return std::any_of(row.texts.begin(), row.texts.end(), [&](const ShownScreen::Text& t) {
        std::string shown = plainText(t.text);
        return whole ? shown == wanted : shown.find(wanted) != std::string::npos;
    });
}

// The list of `view` on top is the last one drawn; null when none is.
const ShownScreen::List* topList(const ShownScreen& shown, const char* view) {
    const ShownScreen::List* list = nullptr;
    for (const ShownScreen::List& l : shown.lists) {
        if (l.view == view)
            list = &l;
    }
    return list;
}

} // namespace

bool parseStoreThreads(const std::string& json, std::vector<StoreThread>* threads) {
    std::vector<StoreThread> parsed;
    bool ok = forEachObject(json, [&](JsonObject* o) {
        parsed.push_back(
            {intOf(o, "id"), stringOf(o, "snippet"), stringOf(o, "subject"), intOf(o, "unread")});
    });
    if (ok)
        *threads = std::move(parsed);
    return ok;
}

bool parseStoreMessages(const std::string& json, std::vector<StoreMessage>* messages) {
    std::vector<StoreMessage> parsed;
    bool ok = forEachObject(json, [&](JsonObject* o) {
        parsed.push_back({intOf(o, "id"), json_object_get_int_member_with_default(o, "time", 0),
                          stringOf(o, "text"), stringOf(o, "subject")});
    });
    std::stable_sort(parsed.begin(), parsed.end(), [](const StoreMessage& a, const StoreMessage& b) {
        return a.time != b.time ? a.time < b.time : a.id < b.id;
    });
    if (ok)
        *messages = std::move(parsed);
    return ok;
}

std::string plainText(const std::string& text) {
    std::string out;
    bool space = false;
    for (size_t i = 0; i < text.size();) {
        char32_t c = nextChar(text, i);
        if (isDirectionMark(c) || c == 0xFFFC)
            continue;
        if (g_unichar_isspace(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        int digit = g_unichar_digit_value(c);
        if (digit >= 0)
            out += static_cast<char>('0' + digit);
        else
            appendUtf8(out, c);
    }
    return out;
}

std::string checkConversationList(const ShownScreen& shown, const std::vector<StoreThread>& threads) {
    if (shown.pages != std::vector<std::string>{LIST_PAGE})
        return "";
    const ShownScreen::List* list = shown.listOf(LIST_VIEW);
    if (!list)
        return "the conversation list has no list";
    int rows = list->countOf(THREAD_ROW);
    if (rows != static_cast<int>(threads.size()))
        return "the list has " + std::to_string(rows) + " conversations, the store " +
               std::to_string(threads.size());
    int first = list->firstOf(THREAD_ROW);
    for (const ShownScreen::Row* row : list->shownRows(THREAD_ROW)) {
        if (!wholeIn(*row, *list))
            continue;
        size_t at = static_cast<size_t>(row->index - first);
        const StoreThread& thread = threads[at];
        if (!rowShows(*row, thread.snippet) && !(!thread.subject.empty() && rowShows(*row, thread.subject)))
            return "list row " + ordinal(at) + " shows " + textsOf(*row) + ", the store's conversation " +
                   ordinal(at) + " (thread " + std::to_string(thread.id) + ") is " +
                   quoted(plainText(thread.snippet));
        if (thread.unread > 0 && !rowShows(*row, std::to_string(std::min(thread.unread, MOST_UNREAD_SHOWN))))
            return "list row " + ordinal(at) + " (thread " + std::to_string(thread.id) + ") shows " +
                   textsOf(*row) + " without its " + std::to_string(thread.unread) + " unread";
    }
    return "";
}

std::string checkConversation(const ShownScreen& shown, const std::vector<StoreMessage>& messages) {
    if (shown.topPage() != CONVERSATION_PAGE)
        return "";
    const ShownScreen::List* list = topList(shown, CONVERSATION_VIEW);
    if (!list)
        return "the conversation has no list";
    int bubbles = list->countOf(BUBBLE_ROW);
    if (bubbles != static_cast<int>(messages.size()))
        return "the conversation has " + std::to_string(bubbles) + " bubbles, the store " +
               std::to_string(messages.size()) + " messages";
    std::vector<const ShownScreen::Row*> shownBubbles = list->shownRows(BUBBLE_ROW);
    if (messages.empty() || shownBubbles.empty())
        return "";
    const ShownScreen::Row* last = shownBubbles.back();
    if (last->index != list->firstOf(BUBBLE_ROW) + bubbles - 1)
        return ""; // the newest is out of view
    const StoreMessage& newest = messages.back();
    std::string wanted = plainText(newest.text.empty() ? newest.subject : newest.text);
    if (rowShows(*last, wanted, false) || !wholeIn(*last, *list))
        return "";
    return "the last bubble shows " + textsOf(*last) + ", the store's newest message (" +
           std::to_string(newest.id) + ") is " + quoted(wanted);
}

std::string checkSentInView(const ShownScreen& shown, const std::string& text) {
    const ShownScreen::List* list = topList(shown, CONVERSATION_VIEW);
    if (shown.topPage() != CONVERSATION_PAGE || !list)
        return "";
    std::string wanted = plainText(text);
    for (const ShownScreen::Row* bubble : list->shownRows(BUBBLE_ROW)) {
        if (!rowShows(*bubble, wanted, false))
            continue;
        bool fills =
            bubble->box.y <= list->box.y && bubble->box.y + bubble->box.h >= list->box.y + list->box.h;
        if (wholeIn(*bubble, *list) || fills)
            return "";
        return "the message just sent, " + quoted(wanted) + ", is cut by the edge at y " +
               std::to_string(bubble->box.y) + " (" + std::to_string(bubble->box.h) + " px tall)";
    }
    return "the message just sent, " + quoted(wanted) + ", is out of view";
}

std::string checkRowsFillTheList(const ShownScreen& shown) {
    bool onList = shown.topPage() == LIST_PAGE;
    if (!onList && shown.topPage() != CONVERSATION_PAGE)
        return "";
    const ShownScreen::List* list = topList(shown, onList ? LIST_VIEW : CONVERSATION_VIEW);
    if (!list || list->count == 0)
        return "";
    int top = std::max(list->box.y, 0), bottom = std::min(list->box.y + list->box.h, 360);
    std::vector<std::pair<int, int>> covered;
    for (const ShownScreen::Row& row : list->rows) {
        // Before the first row and after the last the list may end.
        int from = row.index == 0 ? top : row.box.y;
        int to = row.index == list->count - 1 ? bottom : row.box.y + row.box.h;
        covered.emplace_back(from, to);
    }
    std::sort(covered.begin(), covered.end());
    int reached = top, blankTo = bottom;
    for (const auto& [from, to] : covered) {
        if (from - reached > MOST_BLANK) {
            blankTo = from;
            break;
        }
        reached = std::max(reached, to);
    }
    if (blankTo - reached <= MOST_BLANK)
        return "";
    return std::string(onList ? "the conversation list" : "the conversation") + " of " +
           std::to_string(list->count) + " rows is blank from y " + std::to_string(reached) + " to " +
           std::to_string(blankTo);
}

std::string checkLanguage(const ShownScreen& shown, const std::string& locale) {
    GUnicodeScript wanted = locale.rfind("ko", 0) == 0   ? G_UNICODE_SCRIPT_HANGUL
                            : locale.rfind("ar", 0) == 0 ? G_UNICODE_SCRIPT_ARABIC
                                                         : G_UNICODE_SCRIPT_LATIN;
    std::vector<std::string> words;
    for (const ShownScreen::List& list : shown.lists) {
        for (const ShownScreen::Row& row : list.rows) {
            if (row.style == TITLE_ROW || row.style == REPLY_LABEL_ROW)
                for (const auto& t : row.texts)
                    words.push_back(t.text);
        }
    }
    for (const ShownScreen::View& view : shown.views) {
        if (view.seen && view.className == LIST_VIEW)
            for (const auto& t : view.texts)
                words.push_back(t.text);
    }
    for (const std::string& word : words) {
        // The first letter tells the script; digits and marks are common to all.
        for (size_t i = 0; i < word.size();) {
            char32_t c = nextChar(word, i);
            if (!g_unichar_isalpha(c))
                continue;
            GUnicodeScript script = g_unichar_get_script(c);
            if (script != wanted)
                return "the application shows " + quoted(plainText(word)) + " in " + locale;
            break;
        }
    }
    return "";
}

std::string checkSelectCount(const ShownScreen& shown) {
    const ShownScreen::View* button = shown.seenView(COUNT_BUTTON);
    if (!button || button->texts.empty())
        return "";
    bool onList = shown.topPage() == LIST_PAGE;
    const ShownScreen::List* list = shown.listOf(onList ? LIST_VIEW : CONVERSATION_VIEW);
    if (!list)
        return "";
    std::string text = plainText(button->texts.front().text);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(c); }))
        return "the select count shows " + quoted(text);
    int count = std::stoi(text);
    const char* style = onList ? THREAD_ROW : BUBBLE_ROW;
    int rows = list->countOf(style);
    int checked = 0, withCheck = 0;
    for (const ShownScreen::Row& row : list->rows) {
        if (row.style == style && row.checked >= 0) {
            ++withCheck;
            checked += row.checked;
        }
    }
    bool allInView = withCheck == rows;
    if (count < checked || count > rows || (allInView && count != checked))
        return "the select count shows " + std::to_string(count) + " with " + std::to_string(checked) +
               " of " + std::to_string(rows) + " rows checked (" + std::to_string(withCheck) + " in view)";
    return "";
}

std::vector<std::string> badLogLines(const std::string& log) {
    // The toolkit's words for an object used when it is not one (any more).
    static const std::regex bad("not a valid object|not pointing to a valid object|been freed|been deleted|"
                                "deleted obj|too many unrefs|zombie object|internal refcount",
                                std::regex::icase);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos)
            end = log.size();
        std::string line = log.substr(start, end - start);
        if (std::regex_search(line, bad))
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace msg_e2e
