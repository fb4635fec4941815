#include "Journey.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace msg_e2e {

void Journey::SetUpTestSuite() {
    _display = std::make_unique<VirtualDisplay>();
    std::string error;
    if (!_display->start(&error)) {
        _startError = error;
        _display.reset();
    }
}
void Journey::TearDownTestSuite() {
    _display.reset();
}

void Journey::SetUp() {
    ASSERT_TRUE(_display) << _startError;
    const char* base = std::getenv("MSG_E2E_ARTIFACTS");
    std::filesystem::path root = base && *base ? base : std::filesystem::temp_directory_path().string();
    std::filesystem::create_directories(root);
    std::string pattern = (root / "msg-e2e-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(pattern.data()));
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    _folder = pattern + "-" + info->name();
    std::filesystem::rename(pattern, _folder);
    _watch = std::make_unique<Watch>(*_display, _folder);
    ASSERT_EQ(_watch->sim({"seed"}).exitCode, 0);
}

void Journey::TearDown() {
    if (!_watch)
        return;
    bool failed = HasFailure();
    if (failed)
        std::printf("journey pictures and log: %s\n", _watch->keepPictures().c_str());
    _watch.reset();
    if (!failed) {
        std::error_code ec;
        std::filesystem::remove_all(_folder, ec);
    }
}

bool Journey::tapTo(const Frame& from, int x, int y, const std::string& name, Frame* shown) {
    watch().tap(x, y);
    return watch().waitForChange(from, from.whole(), OTHER_SCREEN, name, shown);
}

Frame Journey::openFirstConversation() {
    const Frame list = watch().settled("list");
    Frame conversation;
    EXPECT_TRUE(tapTo(list, Watch::CENTRE, ROW_Y, "conversation", &conversation));
    return conversation;
}

std::unique_ptr<VirtualDisplay> Journey::_display;
std::string Journey::_startError;

} // namespace msg_e2e
