#include "common/SingletonRelease.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace msg_app;

namespace {

std::vector<std::string> released;

const singleton_release::Release releaseA = [] { released.push_back("a"); };
const singleton_release::Release releaseB = [] { released.push_back("b"); };
const singleton_release::Release releaseD = [] { released.push_back("d"); };
// A service whose release reaches another one, created on the way.
const singleton_release::Release releaseC = [] {
    released.push_back("c");
    singleton_release::add(releaseD);
};

TEST(SingletonRelease, RunsNewestFirstOnceEachIncludingThoseAddedMeanwhile) {
    singleton_release::run_all();
    released.clear();
    singleton_release::add(releaseA);
    singleton_release::add(releaseB);
    singleton_release::add(releaseA); // created again after a release: now the newest
    singleton_release::add(releaseC);
    singleton_release::add(nullptr);
    singleton_release::run_all();
    EXPECT_EQ(released, (std::vector<std::string>{"c", "d", "a", "b"}));

    singleton_release::run_all();
    EXPECT_EQ(released.size(), 4u);
}

} // namespace
