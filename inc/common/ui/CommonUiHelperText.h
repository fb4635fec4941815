/*
 * The text domain and language, and message text made safe to lay out and to show as label markup.
 * Main loop only.
 */
#ifndef MSG_APP_COMMON_UI_COMMONUIHELPERTEXT_H
#define MSG_APP_COMMON_UI_COMMONUIHELPERTEXT_H

#include <Elementary.h>
#include <string>
#include <vector>

namespace msg_app {
namespace common_ui_helper {

constexpr const char* TEXT_DOMAIN = "message";

// Binds the "message" domain to the compiled translations, makes it current and applies the
// device language.
bool set_textdomain();
// Applies the device language to Elementary (and so to every translatable text).
void set_language();
// The translation of a string id in the "message" domain.
const char* get_text(const char* id);

// Marks kept on one character when text from outside is laid out; the rest are not drawn. No
// language stacks more than five (Tibetan, Hebrew with accents); a taller stack is drawn far
// over the lines and bubbles around it, and past what the font can place, as empty boxes.
constexpr size_t MAX_MARKS_PER_CHAR = 8;

// Text from outside (messages, names, file names, shared text) as the text engine can lay out
// in bounded time, for every wrap mode: invalid UTF-8 is replaced, a combining mark with no
// character to sit on (at the start, or after a space, a tab or a line break) sits on a no-break
// space, and marks past MAX_MARKS_PER_CHAR on one character are dropped. Text of real languages,
// whose marks sit on letters, comes back unchanged.
std::string to_layout_safe(const std::string& text);
// What to insert of `insertion` typed or pasted after `before` (text made safe already), so that
// the whole stays safe to lay out.
std::string to_layout_safe_insertion(const std::string& before, const std::string& insertion);
// A markup filter of an entry that takes text typed or pasted (elm_entry_markup_filter_append):
// what goes in at the cursor goes in safe to lay out. An input method's proposal is left alone
// until it is committed.
void layout_safe_filter_cb(void* data, Evas_Object* entry, char** text);

// Where a text too long to lay out at once is cut into parts of at most maxChars characters: the
// byte offsets at which the parts begin, the first being 0. A part ends after a space or line
// break where one is near its end, and never leaves a character's marks to the next part.
// Invalid UTF-8 counts as one character a byte.
std::vector<size_t> text_part_starts(const std::string& text, size_t maxChars);

// Message text as label markup: made safe for layout (above), control characters that would draw
// as boxes become spaces (a multi-line label keeps line breaks and tabs and drops carriage
// returns), text longer than maxBytes (0: any length) is cut at a character with an ellipsis,
// and markup characters are escaped, so that the text shows as written.
std::string to_label_markup(const std::string& text, bool multiLine, size_t maxBytes = 0);

// A textblock's DEFAULT style in the size of a font code and the colour of a colour code, both
// read from the theme's tables, followed by more attributes ("align=center"). A code the tables
// lack leaves that attribute out, with a log line.
std::string theme_text_style(const char* fontCode, const char* colorCode, const char* more = "");

// The native width of markup text in a textblock of the given style; 0 for null text.
int getTextblockWidth(Evas_Object* obj, const char* text, const char* style);

} // namespace common_ui_helper
} // namespace msg_app

#endif
