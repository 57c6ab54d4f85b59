#include "host/HostOutputWriter.h"

#include <gtest/gtest.h>

namespace {

HostValue Sample() {
    HostValue root = HostValue::Object();
    root.Set("printer", HostValue::Text("QV \"Colour\"\\1"));
    root.Set("count", HostValue::Number(-2));
    root.Set("duplex", HostValue::Bool(true));
    root.Set("none", HostValue());
    HostValue ids = HostValue::List();
    ids.Append(HostValue::Number(1));
    ids.Append(HostValue::Number(9));
    root.Set("ids", std::move(ids));
    HostValue sizes = HostValue::List();
    HostValue size = HostValue::Object();
    size.Set("width", HostValue::Number(2159));
    size.Set("height", HostValue::Number(2794));
    sizes.Append(std::move(size));
    root.Set("sizes", std::move(sizes));
    root.Set("empty", HostValue::List());
    return root;
}

TEST(HostOutputWriter, JsonKeepsMemberOrderAndEscapesTexts) {
    EXPECT_EQ(HostOutputWriter::Json(Sample()), "{\n"
                                                "  \"printer\": \"QV \\\"Colour\\\"\\\\1\",\n"
                                                "  \"count\": -2,\n"
                                                "  \"duplex\": true,\n"
                                                "  \"none\": null,\n"
                                                "  \"ids\": [\n"
                                                "    1,\n"
                                                "    9\n"
                                                "  ],\n"
                                                "  \"sizes\": [\n"
                                                "    {\n"
                                                "      \"width\": 2159,\n"
                                                "      \"height\": 2794\n"
                                                "    }\n"
                                                "  ],\n"
                                                "  \"empty\": []\n"
                                                "}\n");
}

TEST(HostOutputWriter, TextPutsPlainListsOnOneLineAndNestsTheRest) {
    EXPECT_EQ(HostOutputWriter::Text(Sample()), "printer: QV \"Colour\"\\1\n"
                                                "count: -2\n"
                                                "duplex: yes\n"
                                                "none: -\n"
                                                "ids: 1, 9\n"
                                                "sizes:\n"
                                                "  [1]\n"
                                                "    width: 2159\n"
                                                "    height: 2794\n"
                                                "empty:\n");
}

TEST(HostOutputWriter, JsonStringEscapesEveryControlCharacterAndKeepsUtf8) {
    EXPECT_EQ(HostOutputWriter::JsonString(std::string("a\nb\tc\rd\x01\x1f", 9)),
              "\"a\\nb\\tc\\rd\\u0001\\u001f\"");
    EXPECT_EQ(HostOutputWriter::JsonString("Gr\xC3\xB6\xC3\x9F"
                                           "e"),
              "\"Gr\xC3\xB6\xC3\x9F"
              "e\"");
}

TEST(HostValue, SettingAMemberAgainReplacesItInPlace) {
    HostValue object = HostValue::Object();
    object.Set("a", HostValue::Number(1));
    object.Set("b", HostValue::Number(2));
    object.Set("a", HostValue::Number(3));
    ASSERT_EQ(object.Members().size(), 2u);
    EXPECT_EQ(object.Members()[0].first, "a");
    EXPECT_EQ(object.Find("a")->GetNumber(), 3);
    EXPECT_EQ(object.Find("c"), nullptr);
}

} // namespace
