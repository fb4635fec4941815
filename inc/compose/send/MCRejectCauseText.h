/*
 * The texts telling why the watch's network refused a message, by carrier:
 * one table for one Korean carrier, and a domestic and a roaming table for
 * another. Rows name string ids; the texts are translated when composed.
 */
#ifndef MSG_APP_COMPOSE_MCREJECTCAUSETEXT_H
#define MSG_APP_COMPOSE_MCREJECTCAUSETEXT_H

#include <string>

namespace msg_app {
namespace compose {

class MCRejectCauseText {
public:
    enum Table : int {
        TABLE_NONE = 0, // any other carrier
        TABLE_KT = 1,
        TABLE_LG_DOMESTIC = 2,
        TABLE_LG_ROAMING = 3,
    };
    enum Flag : int {
        FLAG_CAUSE = 1,
        FLAG_CODE = 2,
        FLAG_EXTRA = 4,
    };
    struct Row {
        int cause;
        const char* text;
        const char* mmsText; // the MMS text, or the roaming table's second line; may be null
        int flags;
        const char* code;
        const char* extraText;
    };

    MCRejectCauseText() = delete;

    // The table of the carrier (by sales code) where the watch now is.
    static Table tableOf(const std::string& salesCode, bool lgDomestic);
    // The plain (not markup) text for the cause; never empty.
    static std::string compose(Table table, int cause, int msgType);

private:
    static const Row* _find(Table table, int cause);
    static std::string _formatRow(Table table, const Row& row, int cause, int msgType);
};

} // namespace compose
} // namespace msg_app

#endif
