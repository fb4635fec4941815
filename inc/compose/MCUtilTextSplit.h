/*
 * Cutting a long text into SMS pages or MMS pages without cutting a character.
 * Reached as MCUtil, which gathers the composer's helper groups.
 */
#ifndef MSG_APP_COMPOSE_MCUTILTEXTSPLIT_H
#define MSG_APP_COMPOSE_MCUTILTEXTSPLIT_H

#include <string>
#include <vector>

namespace msg_app {
namespace compose {

struct MCUtilTextSplit {
    // Cuts text into SMS pages, appended to pages; none is empty and no
    // character is cut.
    static void getSmsSizeTextList(std::vector<std::string>& pages, std::string& text, bool reducedLimit);
    // Cuts text into MMS pages of 1000 characters and a last SMS page when the
    // rest fits in one; counts them and appends the pages when pages is not null.
    static void getMmsSizeTextList(std::string& text, int* smsPageCount, int* mmsPageCount, bool reducedLimit,
                                   std::vector<std::string>* pages);
};

} // namespace compose
} // namespace msg_app

#endif
