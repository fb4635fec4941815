// A window on a fresh device whose sound plays silently in real time, with the demo clip in it.
#ifndef MSG_TESTS_VIEWER_MEDIA_MEDIAFIXTURE_H
#define MSG_TESTS_VIEWER_MEDIA_MEDIAFIXTURE_H

#include "EflTest.h"
#include "TempDir.h"
#include "msg_store/Content.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace msg_test {

class MediaFixture : public ::testing::Test {
protected:
    static constexpr int DEMO_MS = 1500;

    void SetUp() override;
    void TearDown() override;

    // A sound content of the file; the demo clip by default.
    msg_store::Content clip(int contentId, const std::string& path = "") const;
    // The power journal's entries since the test began: "lock 2 0", "unlock 2", ...
    std::vector<std::string> powerJournal() const;
    // Whether some text of the window's canvas contains the text (popups, toasts, parts).
    bool shows(const std::string& text) const;
    static void setSetting(const char* key, int value);
    static void setSetting(const char* key, const char* value);

    TempDevice device;
    std::unique_ptr<TestWindow> window;
    std::string demoClip;
};

} // namespace msg_test

#endif
