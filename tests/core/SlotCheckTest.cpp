// The check that keeps slot numbers and form-type aliases out of the calculators, the review, the
// window and the tests: what each rule catches, what it lets pass (rates, loop bounds, page
// indexes, named slots, comments and texts), and the raw-cell escape of the answer-grid tests.
#include "SlotCheck.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Rules(const std::string& code)
{
    std::vector<std::string> rules;
    for (const slotcheck::Finding& f : slotcheck::CheckSource(code))
        rules.push_back(f.rule);
    return rules;
}

struct CheckCase {
    const char* name;
    const char* code;
    std::vector<std::string> rules;
};

const CheckCase kCases[] = {
    // name | source | rules found
    {"AliasOfAFormType", "constexpr int F1 = ftForm1041Page1;", {"alias"}},
    {"QualifiedAlias", "const int D2 = quorvan::ftScheduleDPage2;", {"alias"}},
    {"MacroAlias", "#define K1 ftScheduleK1", {"alias"}},
    {"SlotNumberRead", "double x = Amt(ftForm1041Page1, 56);", {"literal"}},
    {"SlotNumberOfAPage", "r.Set(ftScheduleK1, k, 29, \"1,000\");", {"literal"}},
    {"SlotNumberThroughAnAlias", "EXPECT_EQ(r.Get(F1, 0, 41), \"621\");", {"literal"}},
    {"SlotArithmetic", "PutAlways(t, k, 8 * row + 12, gain);", {"literal"}},
    {"SlotOfAVariableType", "store.SetOvRide(box.formType, 2, 8, true);", {"literal"}},
    {"NumberedStoreCall", "store->Text(1, 0, 11);", {"literal"}},
    {"SlotConstant", "constexpr int kTotalSlot = 86;", {"constant"}},
    {"SlotArray", "constexpr std::array<int, 3> kAllocatedK1Slots = {29, 30, 31};", {"constant"}},
    {"ConstantHandedAsASlot", "constexpr int kLine9 = 41;\nbool f() { return store.OvRide(ftForm1041Page1, 0, kLine9); }",
     {"constant"}},
    {"EnumeratorHandedAsASlot", "enum : int { line8 = 22 };\nvoid g() { PutAlways(J1, line8 + c, 0); }", {"constant"}},
    {"NamedSlot", "PutGuarded(f1::line22Taxable, Amt(f1::line17Adjusted) - Amt(f1::line21Total));", {}},
    {"NamedSlotOfAPage", "r.Set(k1::box1Interest, 3, \"900\");", {}},
    {"TableCell", "Amt(t, k, sales::Slot(1, sales::gain));", {}},
    {"NamedSlotNumber", "store.Text(ftScheduleK1, 1, k1::itemGName.slot);", {}},
    {"RateAndBound", "const double tax = Amt(line) * 0.15; for (int c = 0; c < 5; ++c) total += 1000;", {}},
    {"FormTypeOfATable", "const Box box = {ftForm8949A, 29447, line1b};", {}},
    {"LoopSlotFromAName", "for (int slot = tw::line20.slot; slot <= tw::line39.slot; ++slot)", {}},
    {"NumberInAComment", "Amt(line); // Text(ftForm1041Page1, 56) was line 22", {}},
    {"NumberInAText", "ShowMessageByCode(29500, \"Text(ftForm1041Page1, 56)\");", {}},
    {"OtherSetCall", "settings.Set(\"zoom\", 2); widget.setText(QString::number(5));", {}},
    {"RawCellOfTheGrid", "store.Text(39, 0, 100);  // slot-check: raw, the last cell", {}},
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class SlotCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(SlotCheck, FindsHandWrittenSlotsOnly)
{
    EXPECT_EQ(Rules(GetParam().code), GetParam().rules) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(Sources, SlotCheck, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SlotCheck, NamesTheLineOfEachFinding)
{
    const std::string code = "void F()\n{\n    PutAlways(ftForm1041Page1, line22Taxable, 0);\n"
                             "    PutAlways(ftForm1041Page1, 57, 0);\n}\n";
    const std::vector<slotcheck::Finding> findings = slotcheck::CheckSource(code);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].line, 4);
    EXPECT_EQ(findings[0].text, "PutAlways(ftForm1041Page1, 57, 0)");
}

}  // namespace
