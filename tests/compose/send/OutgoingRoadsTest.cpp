// The carriers' road tables: every row, for every combination of roads that are up.
#include "compose/send/MCOutgoingRoads.h"

#include <gtest/gtest.h>

using namespace msg_app::compose;
using msg_app::connectivity::YoxConn;
using Roads = MCOutgoingRoads;

namespace {

constexpr SendBy N = SendBy::NONE;
constexpr SendBy P = SendBy::PHONE;
constexpr SendBy H = SendBy::HULM;
constexpr SendBy S = SendBy::NMS;

// Roads up, in the tables' column order: neither, device only, phone only, both.
Roads::Links links(int column, YoxConn conn = YoxConn::BT) {
    bool phone = column >= 2;
    return {phone, column == 1 || column == 3, phone ? conn : YoxConn::NONE};
}

TEST(OutgoingRoadsTest, NewMessageRoad) {
    const struct {
        const char* name;
        Roads::OutgoingType type;
        int status;
        YoxConn conn;
        int operatorId;
        SendBy columns[4];
    } rows[] = {
        {"number sync active", Roads::NUMBER_SYNC, 0, YoxConn::BT, 4, {N, S, P, S}},
        {"number sync other", Roads::NUMBER_SYNC, 3, YoxConn::BT, 4, {N, H, N, H}},
        {"sharing enabled", Roads::NUMBER_SHARING, 1, YoxConn::BT, 5, {N, H, P, H}},
        {"sharing other", Roads::NUMBER_SHARING, 2, YoxConn::BT, 5, {N, H, P, P}},
        {"general over Bluetooth", Roads::GENERAL, -1, YoxConn::BT, 0, {N, H, P, P}},
        {"general over the remote link", Roads::GENERAL, -1, YoxConn::RLX, 0, {N, H, P, H}},
        {"general remote, operator 6", Roads::GENERAL, -1, YoxConn::RLX, 6, {N, H, P, P}},
    };
    for (const auto& row : rows) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(row.columns[column],
                      Roads::newMessageRoad(row.type, row.status, links(column, row.conn), row.operatorId))
                << row.name << ", column " << column;
        }
    }
}

TEST(OutgoingRoadsTest, AvailableRoad) {
    const struct {
        const char* name;
        Roads::OutgoingType type;
        int status;
        SendBy preferred;
        int msgId;
        SendBy columns[4];
    } rows[] = {
        {"general, phone preferred", Roads::GENERAL, -1, P, 0, {N, H, P, P}},
        {"general, device preferred", Roads::GENERAL, -1, H, 0, {N, H, P, H}},
        {"general, no preference", Roads::GENERAL, -1, N, 0, {N, N, N, N}},
        {"sharing enabled, phone", Roads::NUMBER_SHARING, 1, P, 0, {N, H, P, H}},
        {"sharing disabled, phone", Roads::NUMBER_SHARING, 2, P, 0, {N, H, P, P}},
        {"sync active, device, reply", Roads::NUMBER_SYNC, 0, H, 7, {N, H, P, H}},
        {"sync active, device, new", Roads::NUMBER_SYNC, 0, H, 0, {N, S, P, S}},
        {"sync other, phone", Roads::NUMBER_SYNC, 3, P, 7, {N, H, N, H}},
    };
    for (const auto& row : rows) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(row.columns[column],
                      Roads::availableRoad(row.type, row.status, row.preferred, links(column), row.msgId))
                << row.name << ", column " << column;
        }
    }
}

} // namespace
