#include "viewer/MVLocationLink.h"

#include <gtest/gtest.h>

using msg_app::msg_viewer::MVLocationLink;

// What the location picker answers comes from another application: only a web link or
// coordinates in range become the link that is sent.
TEST(LocationLinkTest, PickerAnswersBecomeALinkOnlyWhenUsable) {
    struct Case {
        const char* url;
        const char* coord;
        const char* expected; // null: refused
    } cases[] = {
        {"https://maps.example/p/1", "", "https://maps.example/p/1"},
        {"", "geo:37.5665,126.978", "https://share.here.com/l/37.566500,126.978000?z=13"},
        {"", "geo:-33.8688,151.2093;u=35", "https://share.here.com/l/-33.868800,151.209300?z=13"},
        {"", "geo:91,0", nullptr},
        {"", "geo:0,181", nullptr},
        {"", "geo:1e3,2", nullptr},
        {"", "geo:nan,2", nullptr},
        {"", "37.5,126.9", nullptr},
        {"", "", nullptr},
        {"javascript:alert(1)", "geo:1,2", nullptr},
        {"https://x/<b>", "", nullptr},
        {"https://x/a b", "", nullptr},
    };
    for (const Case& c : cases) {
        std::string out = "unchanged";
        bool made = MVLocationLink::make(c.url, c.coord, out);
        EXPECT_EQ(made, c.expected != nullptr) << c.url << " " << c.coord;
        EXPECT_EQ(out, c.expected ? c.expected : "unchanged") << c.url << " " << c.coord;
    }
    std::string tooLong = "https://x/" + std::string(MVLocationLink::MAX_URL, 'a');
    std::string out;
    EXPECT_FALSE(MVLocationLink::make(tooLong, "", out));
}
