// The text fetch's marker rule and the probe's address, without the network.
#include <gtest/gtest.h>

#include "online/fetch_rules.h"

namespace quorva {
namespace {

TEST(FetchRules, MarkerTextIsWhatFollowsItInTheFirstChunk) {
    struct Case {
        std::string body, marker;
        std::optional<std::string> text;
    } cases[] = {
        {"VER:1.2.3", "VER:", "1.2.3"},
        {"VER:1.2.3\r\n", "VER:", "1.2.3\r\n"},                    // the line break stays
        {"model X\nVER:2.0\nVER:3.0", "VER:", "2.0\nVER:3.0"},     // first occurrence, to the end
        {"version 1.2.3", "VER:", std::nullopt},                   // no marker: failure
        {std::string(1030, 'x') + "VER:9", "VER:", std::nullopt},  // beyond the first chunk
        {"plain text", "", "plain text"},
        {"", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FetchedText(c.body, c.marker), c.text) << c.body;
}

TEST(FetchRules, TextIsCutAtTheBufferWithoutSplittingACharacter) {
    EXPECT_EQ(FetchedText(std::string(400, 'a'), "")->size(), kFetchTextLimit);
    // 258 ASCII bytes then a two-byte character: cutting at 259 would split it.
    const std::string body = std::string(258, 'a') + "\xC3\xA9" + "tail";
    EXPECT_EQ(*FetchedText(body, ""), std::string(258, 'a'));
}

TEST(FetchRules, ProbeAsksTileZeroOfTheTemplate) {
    EXPECT_EQ(TileProbeUrl("https://tile.example.org/{z}/{x}/{y}.png"),
              "https://tile.example.org/0/0/0.png");
    EXPECT_EQ(TileProbeUrl("http://127.0.0.1:8080/t/{z}-{x}-{y}?style=plain"),
              "http://127.0.0.1:8080/t/0-0-0?style=plain");
    EXPECT_EQ(TileProbeUrl("https://{s}.tiles.example/{z}/{x}/{y}.png"),
              "https://a.tiles.example/0/0/0.png");
    for (const char* bad : {"", "tile.example.org/{z}/{x}/{y}.png", "ftp://h/{z}/{x}/{y}",
                            "https://h/{z}/{x}.png", "file:///tiles/{z}/{x}/{y}.png"}) {
        EXPECT_FALSE(TileProbeUrl(bad)) << bad;
    }
    EXPECT_EQ(TileUrl("http://h/{z}/{x}/{y}.png", 16, 58210, 25806), "http://h/16/58210/25806.png");
}

}  // namespace
}  // namespace quorva
