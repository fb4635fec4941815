// Our first frames against the toolkit's floor, measured side by side: each case starts the real
// program and its floor (floor_window, the same screen on the bare toolkit) in turn, A B A B ..., and
// takes the ratio pair by pair, so that a machine whose speed drifts moves both alike. Printed as
// one table: figure, target, value (medians), ratio (the median of the pairs' ratios).
//   floor_bench [--runs N] [--case start-up|list-10000|list-50000|conversation|composer] [--no-header]
#include "AppFirstFrame.h"
#include "HeadlessEnv.h"
#include "Measure.h"

#include "Programs.h"
#include "TempDir.h"
#include "app_control.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using msg_bench::ProcessSample;

namespace {

struct Case {
    const char* key; // what --case names
    const char* name;
    const char* frameTarget;                    // the first frame's ratio to the floor
    const char* memoryTarget;                   // the peak memory's, over the floor's
    std::vector<std::vector<std::string>> seed; // msg-sim commands that build its device
    std::vector<std::string> floorArgs;
    std::function<bool(const std::string& device, ProcessSample&)> run;
};

bool runApp(const std::vector<std::string>& args, const std::string& device, ProcessSample& sample) {
    std::vector<std::string> argv = {msg_test::binDir() + "/msg-app", "--device", device};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back("--exit-after-first-frame");
    return msg_bench::runToFirstFrame(argv, {}, false, sample);
}

// msg-compose for a shared text, as a launch request brings it; it waits for its user, so it is
// ended at its first frame.
bool runComposer(const std::string& device, ProcessSample& sample) {
    std::string request = std::string("{\"app_id\":\"com.vorlane.message.appcontrol.compose\",\"caller\":"
                                      "\"com.example.bench\",\"launch_mode\":0,\"operation\":\"") +
                          APP_CONTROL_OPERATION_SHARE_TEXT + "\",\"uri\":\"sms:+15550100001\",\"extra\":{\"" +
                          APP_CONTROL_DATA_TEXT + "\":\"Shared from the benchmark\"}}";
    return msg_bench::runToFirstFrame({msg_test::binDir() + "/msg-compose"},
                                      {"MSG_DEVICE_DIR=" + device, "MSG_APP_CONTROL=" + request,
                                       "MSG_APP_ID=com.vorlane.message.appcontrol.compose",
                                       "MSG_SEND_TIMING=1"},
                                      true, sample);
}

std::vector<Case> cases() {
    using Seed = std::vector<std::vector<std::string>>;
    auto app = [](std::vector<std::string> args) {
        return
            [args](const std::string& device, ProcessSample& sample) { return runApp(args, device, sample); };
    };
    const Seed demo = {{"seed"}, {"seed-contacts"}};
    // One screen of the list's rows, and of a conversation's bubbles (what the viewer puts in first).
    const std::vector<std::string> listScreen = {"--rows", "30"};
    const std::vector<std::string> bubbleScreen = {"--rows", "6", "--bubbles"};
    return {
        {"start-up", "start-up, demo device", "1.3x", "", demo, listScreen, app({})},
        {"list-10000",
         "list, 10,000 conversations",
         "1.3x",
         "floor + 20 MiB",
         {{"seed", "--conversations", "10000"}},
         listScreen,
         app({})},
        {"list-50000",
         "list, 50,000 conversations",
         "1.3x",
         "floor + 60 MiB",
         {{"seed", "--conversations", "50000"}},
         listScreen,
         app({})},
        {"conversation",
         "conversation, 5,000 messages",
         "1.3x",
         "",
         {{"seed", "--conversations", "1", "--messages-per-conversation", "5000"}},
         bubbleScreen,
         app({"--thread", "1"})},
        {"composer", "composer", "1.3x", "", demo, {"--entry"}, runComposer},
    };
}

struct Pairs {
    std::vector<ProcessSample> app, floor;
    double ratio(double ProcessSample::*field) const {
        std::vector<double> ratios;
        for (size_t i = 0; i < app.size(); ++i)
            ratios.push_back(app[i].*field / floor[i].*field);
        return msg_bench::median(ratios);
    }
    double medianOf(const std::vector<ProcessSample>& samples, double ProcessSample::*field) const {
        std::vector<double> values;
        for (const ProcessSample& sample : samples)
            values.push_back(sample.*field);
        return msg_bench::median(values);
    }
};

void printRow(const std::string& figure, const std::string& target, const std::string& value,
              const std::string& ratio) {
    std::printf("| %-52s | %-17s | %-30s | %-6s |\n", figure.c_str(), target.c_str(), value.c_str(),
                ratio.c_str());
}

void printRow(const std::string& figure, const std::string& target, const std::string& value, double ratio) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2fx", ratio);
    printRow(figure, target, value, std::string(text));
}

void printCase(const Case& c, const Pairs& pairs) {
    auto value = [&](double ProcessSample::*field, const char* unit, double scale) {
        char text[64];
        std::snprintf(text, sizeof(text), "%.0f %s (floor %.0f)", pairs.medianOf(pairs.app, field) * scale,
                      unit, pairs.medianOf(pairs.floor, field) * scale);
        return std::string(text);
    };
    std::string name = c.name;
    printRow(name + ": first frame", std::string("<= ") + c.frameTarget,
             value(&ProcessSample::firstFrameMs, "ms", 1), pairs.ratio(&ProcessSample::firstFrameMs));
    printRow(name + ": CPU to the first frame", "", value(&ProcessSample::cpuMs, "ms", 1),
             pairs.ratio(&ProcessSample::cpuMs));
    char memory[64];
    double app = pairs.medianOf(pairs.app, &ProcessSample::peakMib);
    double floor = pairs.medianOf(pairs.floor, &ProcessSample::peakMib);
    std::snprintf(memory, sizeof(memory), "%.0f MiB (floor %.0f, +%.0f)", app, floor, app - floor);
    printRow(name + ": peak memory", c.memoryTarget[0] ? std::string("<= ") + c.memoryTarget : "", memory,
             pairs.ratio(&ProcessSample::peakMib));
}

bool measure(const Case& c, int runs, Pairs& pairs) {
    msg_test::TempDir device("msg-floor-bench");
    for (std::vector<std::string> command : c.seed) {
        command.insert(command.begin(), {"--device", device.path()});
        if (msg_test::runProgram("msg-sim", command).exitCode != 0) {
            std::fprintf(stderr, "%s: cannot build the device (msg-sim %s)\n", c.name, command[2].c_str());
            return false;
        }
    }
    std::vector<std::string> floorArgv = {msg_test::binDir() + "/../bench/floor_window"};
    floorArgv.insert(floorArgv.end(), c.floorArgs.begin(), c.floorArgs.end());
    // The first pair warms the file cache and is not counted.
    for (int i = 0; i <= runs; ++i) {
        ProcessSample app, floor;
        if (!c.run(device.path(), app) || !msg_bench::runToFirstFrame(floorArgv, {}, false, floor)) {
            std::fprintf(stderr, "%s: run %d drew no first frame\n", c.name, i);
            return false;
        }
        if (i > 0) {
            pairs.app.push_back(app);
            pairs.floor.push_back(floor);
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    const char* only = "";
    bool header = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--case") && i + 1 < argc) {
            only = argv[++i];
        } else if (!std::strcmp(argv[i], "--no-header")) {
            header = false;
        } else {
            std::fprintf(stderr, "usage: floor_bench [--runs N] [--case KEY] [--no-header]\n");
            return 2;
        }
    }
    msg_bench::setHeadlessEnvironment("error");
    std::vector<Case> chosen;
    for (const Case& c : cases()) {
        if (!*only || !std::strcmp(c.key, only))
            chosen.push_back(c);
    }
    if (chosen.empty()) {
        std::fprintf(stderr, "floor_bench: no case %s\n", only);
        return 2;
    }
    if (header) {
        printRow("figure", "target", "value (median)", "ratio");
        printRow(std::string(52, '-'), std::string(17, '-'), std::string(30, '-'), std::string(6, '-'));
    }
    int status = 0;
    for (const Case& c : chosen) {
        Pairs pairs;
        if (measure(c, runs, pairs))
            printCase(c, pairs);
        else
            status = 1;
        std::fflush(stdout);
    }
    return status;
}
