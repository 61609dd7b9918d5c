// Windows-1252 on disk, UTF-8 in memory: every byte survives, and what a client file cannot keep
// is told apart before it is lost.

#include "files/Cp1252.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

TEST(Cp1252, EveryByteMapsBothWays)
{
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(everyByte)), everyByte);
    EXPECT_EQ(Cp1252ToUtf8("\x80\x93\xE9"), "€“é");
}

struct FitCase {
    const char* name;
    const char* text;
    const char* unencodable;  // the characters a client file cannot keep
    const char* written;      // what Utf8ToCp1252 gives, read back
};

// name | text | characters it cannot keep | as written and read back
const FitCase kFitCases[] = {
    {"Ascii", "Smith Family Trust", "", "Smith Family Trust"},
    {"WesternLetters", "Zoë Müller — Église €5", "", "Zoë Müller — Église €5"},
    {"Polish", "Łódź Łukasz", "Łź", "Lódz Lukasz"},
    {"Hungarian", "Győr Erdős", "ő", "Györ Erdös"},
    {"Romanian", "Ștefan Țară", "ȘȚă", "Stefan Tara"},
    {"ExactInTheHighRange", "Œuvre Šárka Ÿ", "", "Œuvre Šárka Ÿ"},
    {"Chinese", "信託", "信託", "??"},
    {"Emoji", "Trust 🏠", "🏠", "Trust ?"},
    {"MinusSign", "−5", "−", "-5"},
    {"CutSequence", "\xC3", "\xEF\xBF\xBD", "?"},
    {"Overlong", "\xC0\xAF", "\xEF\xBF\xBD", "??"},
};

class Cp1252Fit : public testing::TestWithParam<FitCase> {};

TEST_P(Cp1252Fit, TellsWhatAClientFileCannotKeep)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(UnencodableCharacters(c.text), c.unencodable);
    EXPECT_EQ(FitsCp1252(c.text), std::string(c.unencodable).empty());
    EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(c.text)), c.written);
}

INSTANTIATE_TEST_SUITE_P(Cp1252, Cp1252Fit, testing::ValuesIn(kFitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvan
