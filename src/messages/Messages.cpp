#include "messages/Messages.h"

#include <cstdio>
#include <map>
#include <set>
#include <utility>

namespace quorvan {
namespace {

MessagePresenter g_presenter;
bool g_showing = false;
// The messages shown so far while a MessagesOnceEach lives; null while none does.
std::set<std::pair<unsigned, std::string>>* g_shownOnce = nullptr;
int g_lastMergedPage = 0;
int g_lastMergedVar = 0;

const char* const kPrintSupportFile =
    "-Unable to locate or read the RTF support file that is required for printing. You may need to "
    "reinstall. Make sure to leave Quorvan in the Applications folder: ";
const char* const kConversionError =
    ". An error occurred while Quorvan_16 was converting an entry to a real number. ";

// Texts of the messages that have their own wording; `true` marks the ones the extra text follows.
struct Entry {
    std::string text;
    bool withExtra;
};

const std::map<unsigned, Entry>& FixedMessages()
{
    static const std::map<unsigned, Entry> table = {
        {1101, {"1101-You should save client files with the extension fq6. The extension of this file is being changed to fq6. ", false}},
        {1102, {"1102-DeleteForm. Non-valid sender (neither TMenuItem or TTreeView). ", false}},
        {1103, {"1103-DeleteForm. Bad tag from sender. ", false}},
        {1104, {"1104-NewForm. Non-valid sender (neither TMenuItem or TTreeView). ", false}},
        {1105, {"1105-NewForm. Bad tag from sender. ", false}},
        {1106, {"1106 -An error occurred while attempting to View a continuation page. ", false}},
        {1107, {"1107-Error in New Form routine - ", true}},
        {1112, {"1112-Unable to locate or read the DAT support file that is required for printing. You may need to reinstall. Make sure to leave Quorvan in the Applications folder: ", true}},
        {1113, {std::string("1113") + kPrintSupportFile, true}},
        {1114, {std::string("1114") + kPrintSupportFile, true}},
        {1115, {"1115-Unable to locate or read the PSF support file that is required for displaying forms. You may need to reinstall. Make sure to leave Quorvan in the Applications folder: ", true}},
        {1126, {"1126-Error in Delete Form routine - ", true}},
        {1155, {"1155-Word Processing Error. Quorvan_16 is failing to detect or run your word processor. Note that you must have MS Word installed to preview and print on a Mac. Try using the Options menu and select Force Word or Force WordPad. ", false}},
        {1401, {"1401-Clear page error in Main. ", false}},
        {1601, {"1601-You did not enter a valid percentage. ", false}},
        {2101, {"2101-A line of a print support file does not hold the numbers the printing expects. ", false}},
        {2106, {"2106-GetNumFromText. Possible bad RTF template file. ", false}},
        {2107, {"2107-GetNumFromText. Possible bad RTF template file. ", false}},
        // The conversions name the text they could not take; a page field names itself too.
        {2119, {std::string("2119-Str2Float_0") + kConversionError, true}},
        {2120, {std::string("2120-Str2Float_2") + kConversionError, true}},
        {2970, {"2970-Form 2210. An entry cannot be used, and nothing is figured from it: ", true}},
        {2964, {"2964-Allocation worksheet: ", true}},
        {2963, {"2963-You have an override on Schedule G, Line 1, that is not compatible with Line 36 of the Schedule D Tax worksheet. ", false}},
        {3301, {"3301-An error occurred when Quorvan_16 attempted to open the client file. ", false}},
        {3302, {"3302-An error occurred when Quorvan_16 checked the version number. ", false}},
        {3303, {"3303-The client file ends before its last page. It has been read, and the answers it does not hold are empty: check the return before you save it over the file. ", true}},
        {3304, {"3304-The client file is damaged and was not read. ", true}},
        {3305, {"3305-Quorvan_16 could not read the file. ", true}},
        {3306, {"3306-A client file keeps Windows-1252 characters only. Characters it cannot keep were saved as the nearest letter or as \"?\"; the return on screen still holds them as typed: ", true}},
        {3307, {"3307-This client file was written as UTF-8 text by another program, not in the Windows-1252 characters of Quorvan_16. It has been read as UTF-8, so its letters are as they were written; saving writes it in Windows-1252: ", true}},
        {3308, {"3308-A client file keeps answers of up to 1,000 characters. Longer answers were saved cut to that length; the return on screen still holds them whole: ", true}},
        {3309, {"3309-Parts of the client file were damaged and have been repaired as it was read. Check the lines named before you save the return over the file: ", true}},
        {3310, {"3310-Lines of the settings file did not read. Their settings keep the values they had, the rest of the file was read, and the file is written whole at close: ", true}},
        {3320, {"3320-The data file was not imported, and nothing in the return has changed. Mend or remove the records named below and import the file again: ", true}},
        {2930, {"2930-Calculation Error. Line 18 of Schedule I, Part II must be a negative number. Quorvan is changing the entry on that line to zero. ", false}},
        {2933, {"2933-Schedule I, Part I, Line 2, Net operating loss must be entered as a positive number. Your entry is being changed to zero. ", false}},
        {2958, {"2958-Calculation Error. Schedule I, line 7. The net operating loss deduction must be entered as a positive number. ", false}},
    };
    return table;
}

// The place named by each "-Calculation Error. " message.
const std::map<unsigned, const char*>& CalculationPlaces()
{
    static const std::map<unsigned, const char*> table = {
        {2901, "Page 1. "}, {2902, "Page 2. "}, {2903, "Page 3. "}, {2904, "Page 4. "},
        {2905, "Schedule D - Page 1. "}, {2906, "Schedule D - Page 2. "},
        {2907, "Schedule J - Page 1. "}, {2908, "Schedule J - Page 2. "},
        {2909, "Schedule K-1. "}, {2910, "Form 1041-A. Page 1"}, {2911, "Form 1041-A. Page 2. "},
        {2912, "Form 1041-ES. Worksheet."}, {2913, "Form 1041-ES. Vouchers."},
        {2914, "Form 1041-QFT. "}, {2915, "Form 1041-T. "}, {2916, "Form 8960. "},
        {2917, "Form 2210. "}, {2923, "Allocation Worksheet. "},
        {2918, "Interest Continuation Schedule. "}, {2919, "Dividend Continuation Schedule. "},
        {2920, "Other Deductions Continuation Schedule. "},
        {2921, "Unrecaptured Section 1250 Gain Worksheet. "}, {2922, "Schedule D Tax Worksheet. "},
        {2924, "Page 5. "}, {2925, "Capital Loss Carryover Worksheet. "},
        {2926, "Other Deductions Subject to the 2% Floor. "}, {2927, "28% Rate Gain Worksheet. "},
        {2931, "Page 1. "}, {2932, "Page 2. "}, {2943, "1041-V Voucher. "},
        {2944, "Form 8949 - Box A. "}, {2945, "Form 8949 - Box B. "}, {2946, "Form 8949 - Box C. "},
        {2947, "Form 8949 - Box D. "}, {2948, "Form 8949 - Box E. "}, {2949, "Form 8949 - Box F. "},
        {2951, "Page 1. "}, {2952, "Page 1. "}, {2953, "Page 1. "}, {2954, "Page 1. "},
        {2955, "Page 2. "}, {2956, "Page 2. "}, {2957, "Page 2. "},
        {2959, "Page 3. "}, {2960, "Page 4. "},
        {2961, "Schedule D - Page 2. "}, {2962, "Schedule J - Page 1. "},
    };
    return table;
}

std::string InstructionText(unsigned index)
{
    switch (index) {
    case 1:
        return "One of Quorvan_16's internal RTF or DAT files may be corrupted. If restarting doesn't fix the problem it may be necessary to reinstall Quorvan_16. ";
    case 2:
        return "You can probably click OK and continue. If this error persists, restart Quorvan_16. If this is a date-related error, find the page and field and fix it. ";
    case 3:
        return "Possible memory error. Close any other programs. ";
    case 4:
        return "Possible disk access error. It may be necessary to reinstall Quorvan_16. ";
    case 7:
        return "Calculation Error. An error occurred as Quorvan_16 attempted to make the calculations on the schedule or form above.";
    default:
        return std::string();
    }
}

std::string FirstLine(unsigned number, const std::string& extra)
{
    if (number == 2118) {
        return "2118-Str2Float_P. An error occurred while Quorvan_16 was converting an entry to a real "
               "number. This can occur when a date field contains text that it cannot read. When in "
               "doubt, use MM/DD/YY format and let Quorvan_16 do the conversions. If available: Page - " +
               std::to_string(g_lastMergedPage) + "; Var - " + std::to_string(g_lastMergedVar) +
               (extra.empty() ? std::string() : ". " + extra);
    }
    // Form 1041-T reports a beneficiary's percentage above 100 under the number of the Capital
    // Loss Carryover Worksheet, with the percentage as extra text; it gets words of its own.
    if (number == 2925 && !extra.empty())
        return "2925-Calculation Error. Form 1041-T. The percentage " + extra +
               " allocated to a beneficiary is above 100. ";
    if (number == 2121)
        return "2121-Str2Int. An error occurred while Quorvan_16 was converting " + extra + " to an integer. ";
    const auto& fixed = FixedMessages();
    if (auto it = fixed.find(number); it != fixed.end())
        return it->second.withExtra ? it->second.text + extra : it->second.text;
    const auto& places = CalculationPlaces();
    if (auto it = places.find(number); it != places.end())
        return std::to_string(number) + "-Calculation Error. " + it->second;
    return "Unidentified error -  " + std::to_string(number);
}

void PresentOnStandardError(const TMessage& message)
{
    std::fprintf(stderr, "%s\n", MessageLine(message).c_str());
    std::fflush(stderr);
}

}  // namespace

TMessage BuildMessage(unsigned code, const std::string& extra)
{
    TMessage message;
    message.code = code;
    message.extra = extra;
    message.number = code / 10;
    message.instruction = code - 10 * message.number;
    const bool helpRange = message.number >= 3000 && message.number <= 3799;
    message.caption = helpRange ? "Help On This Item" : "Error Dialog";
    message.sound = !helpRange;
    message.firstLine = FirstLine(message.number, extra);
    message.secondLine = InstructionText(message.instruction);
    return message;
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    MessagePresenter previous = std::move(g_presenter);
    g_presenter = std::move(presenter);
    return previous;
}

void ShowMessageByCode(unsigned code, const std::string& extra)
{
    if (g_showing)
        return;
    if (g_shownOnce && !g_shownOnce->emplace(code, extra).second)
        return;
    g_showing = true;
    struct ClearOnExit {
        ~ClearOnExit() { g_showing = false; }
    } clear;
    const TMessage message = BuildMessage(code, extra);
    if (g_presenter)
        g_presenter(message);
    else
        PresentOnStandardError(message);
}

bool MessageShowing()
{
    return g_showing;
}

MessagesOnceEach::MessagesOnceEach() : outermost_(g_shownOnce == nullptr)
{
    if (outermost_)
        g_shownOnce = new std::set<std::pair<unsigned, std::string>>();
}

MessagesOnceEach::~MessagesOnceEach()
{
    if (!outermost_)
        return;
    delete g_shownOnce;
    g_shownOnce = nullptr;
}

std::string MessageLine(const TMessage& message)
{
    std::string line = std::to_string(message.code) + ": " + message.firstLine;
    if (!message.secondLine.empty())
        line += " | " + message.secondLine;
    return line;
}

void SetLastMergedVariable(int formType, int variable)
{
    g_lastMergedPage = formType;
    g_lastMergedVar = variable;
}

}  // namespace quorvan
