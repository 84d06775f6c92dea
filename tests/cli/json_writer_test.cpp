#include "cli/json_writer.h"

#include <gtest/gtest.h>

namespace quorva::cli {
namespace {

TEST(JsonWriter, SeparatesMembersAndNestsContainers) {
    JsonWriter w;
    w.BeginObject().Field("a", 1).Key("b").BeginArray().Int(1).Double(0.5).Null().EndArray();
    w.Field("c", true).Key("d").BeginObject().EndObject().EndObject();
    EXPECT_EQ(w.str(), R"({"a":1,"b":[1,0.5,null],"c":true,"d":{}})");
}

TEST(JsonWriter, WritesNumbersInTheirShortestExactFormAndNoNonFiniteNumbers) {
    JsonWriter w;
    w.BeginArray().Double(35.652057).Double(0.1f).Double(1.0 / 0.0).UInt(18446744073709551615u);
    w.EndArray();
    EXPECT_EQ(w.str(), "[35.652057,0.10000000149011612,null,18446744073709551615]");
}

TEST(JsonEscape, EscapesControlsAndKeepsOnlyWellFormedUtf8) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"a\"b\\c", R"("a\"b\\c")"},
        {"\n\r\t\x01", R"("\n\r\t\u0001")"},
        {"常時", "\"常時\""},                          // three-byte sequences pass
        {"\xF0\x9F\x9A\x97", "\"\xF0\x9F\x9A\x97\""},  // four-byte sequence passes
        {"A\xFF"
         "B",
         R"("A\ufffdB")"},                            // stray byte
        {"\xE5\xB8", R"("\ufffd\ufffd")"},            // cut sequence
        {"\xC0\xAF", R"("\ufffd\ufffd")"},            // overlong form
        {"\xED\xA0\x80", R"("\ufffd\ufffd\ufffd")"},  // surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(JsonEscape(c.in), c.out) << c.in;
}

TEST(ShortestOfFloat, GivesTheShortestDecimalOfSinglePrecisionValuesOnly) {
    JsonWriter w;
    w.BeginArray().Double(ShortestOfFloat(0.6f)).Double(ShortestOfFloat(66.666664f));
    w.Double(ShortestOfFloat(0.1)).EndArray();  // not a float: kept whole
    EXPECT_EQ(w.str(), "[0.6,66.666664,0.1]");
}

}  // namespace
}  // namespace quorva::cli
