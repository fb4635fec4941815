#include "ServicesFixture.h"

#include "device/Device.h"

#include <Ecore.h>
#include <glib.h>
#include <sys/wait.h>

void ServicesTest::SetUp() {
    ecore_init();
    // The device of the previous test is closed, so that this test's folder is used.
    msg_device::Device::closeDefault();
}

void ServicesTest::TearDown() {
    msg_device::Device::closeDefault();
    ecore_shutdown();
}

std::string ServicesTest::binDir() {
    const char* dir = g_getenv("MSG_BIN_DIR");
    return dir ? dir : "";
}

int ServicesTest::runProgram(const std::vector<std::string>& args, const std::string& program) {
    std::string path = binDir() + "/" + program;
    std::vector<gchar*> argv{const_cast<gchar*>(path.c_str())};
    for (const auto& arg : args)
        argv.push_back(const_cast<gchar*>(arg.c_str()));
    argv.push_back(nullptr);
    gint status = -1;
    GError* error = nullptr;
    gchar* out = nullptr;
    gchar* err = nullptr;
    bool ok = g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, &out, &err,
                           &status, &error);
    EXPECT_TRUE(ok) << path << ": " << (error ? error->message : "");
    g_clear_error(&error);
    lastOutput = out ? out : "";
    lastError = err ? err : "";
    g_free(out);
    g_free(err);
    return ok && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
