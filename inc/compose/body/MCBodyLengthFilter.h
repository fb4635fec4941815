/*
 * Cuts what is inserted into the message text so that the text stays within
 * its limit. Inserting where the cursor is, it keeps the longest front part
 * of the insertion that fits, found by halving: a long paste costs a few
 * measurements of the text, not one per character removed.
 */
#ifndef MSG_APP_COMPOSE_BODY_MCBODYLENGTHFILTER_H
#define MSG_APP_COMPOSE_BODY_MCBODYLENGTHFILTER_H

#include <functional>
#include <string>

namespace msg_app {
namespace compose {

class MCBodyLengthFilter {
public:
    // Whether a whole plain text is over the limit.
    using OverLimit = std::function<bool(const std::string& text)>;

    struct Result {
        std::string kept; // the front of the insertion that fits, plain UTF-8
        bool cut = false; // part or all of the insertion did not fit
    };

    explicit MCBodyLengthFilter(OverLimit overLimit) : _overLimit(std::move(overLimit)) {}

    // before and after are the text on each side of the cursor.
    Result fit(const std::string& before, const std::string& insertion, const std::string& after) const;

    // The plain text of an entry's markup: pre-edit text of an input method left out, entities
    // and line breaks read as the characters they stand for.
    static std::string toPlainText(const char* markup);
    // Whether markup carries an input method's pre-edit text.
    static bool hasPreedit(const char* markup);
    // The byte offset of the character at a character position (the end when past it).
    static size_t byteOffset(const std::string& text, int position);

private:
    OverLimit _overLimit;
};

} // namespace compose
} // namespace msg_app

#endif
