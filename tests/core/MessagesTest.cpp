#include "messages/Messages.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

struct MessageCase {
    const char* name;
    unsigned code;
    const char* extra;
    const char* firstLine;
    const char* secondLine;
    const char* caption;
};

// name | code | extra | first line | second line | caption
const MessageCase kMessageCases[] = {
    {"UnlistedNumber", 11340, "", "Unidentified error -  1134", "", "Error Dialog"},
    {"UnlistedWithInstruction", 11533, "", "Unidentified error -  1153",
     "Possible memory error. Close any other programs. ", "Error Dialog"},
    {"UnlistedIgnoresExtra", 29500, "ignored", "Unidentified error -  2950", "", "Error Dialog"},
    {"HelpRange", 33010, "", "3301-An error occurred when Quorvan_16 attempted to open the client file. ", "",
     "Help On This Item"},
    {"CalculationMessage", 29017, "", "2901-Calculation Error. Page 1. ",
     "Calculation Error. An error occurred as Quorvan_16 attempted to make the calculations on the schedule or form above.",
     "Error Dialog"},
    {"CalculationPlaceWithoutTrailingBlank", 29107, "", "2910-Calculation Error. Form 1041-A. Page 1",
     "Calculation Error. An error occurred as Quorvan_16 attempted to make the calculations on the schedule or form above.",
     "Error Dialog"},
    {"ExtraInsideText", 21212, "12a", "2121-Str2Int. An error occurred while Quorvan_16 was converting 12a to an integer. ",
     "You can probably click OK and continue. If this error persists, restart Quorvan_16. If this is a date-related error, find the page and field and fix it. ",
     "Error Dialog"},
    {"CarryoverWorksheet", 29257, "", "2925-Calculation Error. Capital Loss Carryover Worksheet. ",
     "Calculation Error. An error occurred as Quorvan_16 attempted to make the calculations on the schedule or form above.",
     "Error Dialog"},
    {"Form1041TPercentage", 29257, "120.00%",
     "2925-Calculation Error. Form 1041-T. The percentage 120.00% allocated to a beneficiary is above 100. ",
     "Calculation Error. An error occurred as Quorvan_16 attempted to make the calculations on the schedule or form above.",
     "Error Dialog"},
    {"ExtraAppended", 11070, "Interest", "1107-Error in New Form routine - Interest", "", "Error Dialog"},
    {"ExtraNotShownWhereNotMarked", 11010, "x",
     "1101-You should save client files with the extension fq6. The extension of this file is being changed to fq6. ", "",
     "Error Dialog"},
    {"SameTextOtherNumber", 11141, "/p/page1.rtf",
     "1114-Unable to locate or read the RTF support file that is required for printing. You may need to reinstall. Make sure to leave Quorvan in the Applications folder: /p/page1.rtf",
     "One of Quorvan_16's internal RTF or DAT files may be corrupted. If restarting doesn't fix the problem it may be necessary to reinstall Quorvan_16. ",
     "Error Dialog"},
    {"InstructionFiveIsEmpty", 33015, "", "3301-An error occurred when Quorvan_16 attempted to open the client file. ", "",
     "Help On This Item"},
};

class MessageTable : public testing::TestWithParam<MessageCase> {};

TEST_P(MessageTable, BuildsDialogContents)
{
    const MessageCase& c = GetParam();
    const TMessage message = BuildMessage(c.code, c.extra);
    EXPECT_EQ(message.firstLine, c.firstLine);
    EXPECT_EQ(message.secondLine, c.secondLine);
    EXPECT_EQ(message.caption, c.caption);
    EXPECT_EQ(message.number, c.code / 10);
    EXPECT_EQ(message.instruction, c.code % 10);
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageTable, testing::ValuesIn(kMessageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Messages, HelpRangeIsSilentOtherwiseSound)
{
    EXPECT_FALSE(BuildMessage(30000).sound);
    EXPECT_FALSE(BuildMessage(37990).sound);
    EXPECT_TRUE(BuildMessage(38000).sound);
    EXPECT_TRUE(BuildMessage(29017).sound);
}

TEST(Messages, Conversion2118NamesTheLastMergedVariable)
{
    SetLastMergedVariable(0, 0);
    EXPECT_NE(BuildMessage(21182).firstLine.find("If available: Page - 0; Var - 0"), std::string::npos);
    SetLastMergedVariable(5, 17);
    EXPECT_NE(BuildMessage(21182).firstLine.find("If available: Page - 5; Var - 17"), std::string::npos);
    SetLastMergedVariable(0, 0);
}

TEST(Messages, MessageRaisedWhileOneIsShowingIsDropped)
{
    std::vector<unsigned> shown;
    MessagePresenter previous = SetMessagePresenter([&shown](const TMessage& message) {
        shown.push_back(message.code);
        // A recalculation set off while the dialog is open raises another message.
        ShowMessageByCode(29017);
        EXPECT_TRUE(MessageShowing());
    });
    ShowMessageByCode(33010);
    ShowMessageByCode(33020);
    SetMessagePresenter(std::move(previous));
    EXPECT_EQ(shown, (std::vector<unsigned>{33010, 33020}));
    EXPECT_FALSE(MessageShowing());
}

TEST(Messages, OnceEachScopeDropsRepeatsUntilItEnds)
{
    std::vector<std::string> shown;
    MessagePresenter previous = SetMessagePresenter(
        [&shown](const TMessage& message) { shown.push_back(std::to_string(message.code) + message.extra); });
    {
        MessagesOnceEach once;
        ShowMessageByCode(21192, "a");
        ShowMessageByCode(21192, "a");
        ShowMessageByCode(21192, "b");
        ShowMessageByCode(21202, "a");
        {
            MessagesOnceEach inner;  // the outer scope still decides
            ShowMessageByCode(21192, "b");
        }
        ShowMessageByCode(21192, "b");
    }
    ShowMessageByCode(21192, "a");
    SetMessagePresenter(std::move(previous));
    EXPECT_EQ(shown, (std::vector<std::string>{"21192a", "21192b", "21202a", "21192a"}));
}

TEST(Messages, StandardErrorLineJoinsBothLines)
{
    EXPECT_EQ(MessageLine(BuildMessage(11533)),
              "11533: Unidentified error -  1153 | Possible memory error. Close any other programs. ");
    EXPECT_EQ(MessageLine(BuildMessage(11340)), "11340: Unidentified error -  1134");
}

}  // namespace
}  // namespace quorvan
