// Handing the print document over: the print file, the word processor chosen and its arguments,
// and the page margins written for WordPad.

#include "print/WordProcessor.h"

#include "support/MessageRecorder.h"
#include "support/PrintTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quorvan {
namespace {

using test::MessageRecorder;
using test::PrintTempFolder;
using test::ReadFileBytes;

const std::string kMarginsLine = "PageMargin=hex:d0,02,00,00,40,02,00,00,d0,02,00,00,68,01,00,00";

struct ChoiceCase {
    const char* name;
    bool wordFound;
    bool forceWord;
    bool forceWordPad;
    const char* program;
    bool marginsWritten;
};

class PrintWordProcessorChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(PrintWordProcessorChoice, StartsTheRightProgramOnTheBareFileName)
{
    const ChoiceCase& c = GetParam();
    MessageRecorder messages;
    PrintTempFolder temp;
    const std::string registry = temp.Write("registry.ini", "[" + std::string(kWordPadOptionsKey) + "]\r\n");
    WordProcessorChoice choice;
    choice.wordFound = c.wordFound;
    choice.writerPath = c.wordFound ? "/usr/lib/libreoffice/program/soffice" : "";
    choice.forceWord = c.forceWord;
    choice.forceWordPad = c.forceWordPad;

    const LaunchCommand command = StartWordProcessor(temp.PathOf("send_temp.RTF"), temp.Path(), choice, registry);

    EXPECT_EQ(command.program, c.program);
    EXPECT_EQ(command.arguments, std::vector<std::string>{"send_temp.RTF"});
    EXPECT_EQ(command.workingFolder, temp.Path());
    EXPECT_EQ(ReadFileBytes(registry).find(kMarginsLine) != std::string::npos, c.marginsWritten);
    EXPECT_TRUE(messages.Empty());
}

// name, Writer found, Force Word, Force WordPad, program, margins written
const ChoiceCase kChoiceCases[] = {
    {"NothingFoundOrForced", false, false, false, "xdg-open", true},
    {"WriterFound", true, false, false, "/usr/lib/libreoffice/program/soffice", false},
    {"ForceWordWithoutWriterRunsItByName", false, true, false, "soffice", false},
    {"ForceWordPadWinsOverFoundWriter", true, false, true, "xdg-open", true},
    {"BothForcedStartsWordPad", false, true, true, "xdg-open", true},
};

INSTANTIATE_TEST_SUITE_P(Print, PrintWordProcessorChoice, ::testing::ValuesIn(kChoiceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrintHandOff, MarginsNeedTheOptionsKeyAndReplaceAnEarlierValue)
{
    MessageRecorder messages;
    PrintTempFolder temp;
    const std::string registry = temp.Write("registry.ini", "[Other]\r\nPageMargin=hex:01\r\n");

    SetWordPadMargins(registry);
    EXPECT_EQ(messages.Codes(), std::vector<unsigned>{21400});
    EXPECT_EQ(ReadFileBytes(registry), "[Other]\r\nPageMargin=hex:01\r\n");

    messages.Clear();
    ASSERT_TRUE(CreateRegistryKey(registry, kWordPadOptionsKey));
    SetWordPadMargins(registry);
    SetWordPadMargins(registry);
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(ReadFileBytes(registry),
              "[Other]\r\nPageMargin=hex:01\r\n[" + std::string(kWordPadOptionsKey) + "]\r\n" + kMarginsLine + "\r\n");
}

TEST(PrintHandOff, PrintFileIsReplacedUnlessAWordProcessorHoldsIt)
{
    PrintTempFolder temp;
    const std::string usual = temp.PathOf("send_temp.RTF");
    temp.Write("send_temp.RTF", "old");

    EXPECT_EQ(PrintFilePath(temp.Path(), [] { return 0; }), usual);
    EXPECT_FALSE(std::filesystem::exists(usual));  // the old one is gone

    temp.Write("send_temp.RTF", "held");
    temp.Write(".~lock.send_temp.RTF#", "lock");
    EXPECT_EQ(PrintFilePath(temp.Path(), [] { return 1040; }), temp.PathOf("send_temp41.rtf"));
    EXPECT_EQ(ReadFileBytes(usual), "held");

    // A numbered file held from an earlier print is passed over too.
    temp.Write(".~lock.send_temp41.rtf#", "lock");
    int next = 41;
    EXPECT_EQ(PrintFilePath(temp.Path(), [&next] { return next++; }), temp.PathOf("send_temp42.rtf"));
}

TEST(PrintHandOff, PrintFilesOfTheSessionAreFoundForDeletion)
{
    PrintTempFolder temp;
    for (const char* name : {"send_temp.RTF", "send_temp41.rtf", "send_temp.rtf.bak", "other.rtf", "send_tem.rtf"})
        temp.Write(name, "");
    EXPECT_EQ(PrintFilesIn(temp.Path()),
              (std::vector<std::string>{temp.PathOf("send_temp.RTF"), temp.PathOf("send_temp41.rtf")}));
}

TEST(PrintHandOff, UndeletablePrintFileCountsAsHeld)
{
    PrintTempFolder temp;
    temp.Write("send_temp.RTF/inside", "a folder in the way cannot be deleted");
    EXPECT_EQ(PrintFilePath(temp.Path(), [] { return 7; }), temp.PathOf("send_temp7.rtf"));
}

TEST(PrintHandOff, PrintFileIsSevenBitWithCrLf)
{
    PrintTempFolder temp;
    std::string error;
    ASSERT_TRUE(WritePrintFile(temp.PathOf("send_temp.RTF"), "{\\rtf1 \xA7 Zo\\u235\\'eb}", error));
    EXPECT_EQ(ReadFileBytes(temp.PathOf("send_temp.RTF")), "{\\rtf1 \\'a7 Zo\\u235\\'eb}\r\n");
    EXPECT_FALSE(WritePrintFile(temp.PathOf("missing/send_temp.RTF"), "{}", error));
    EXPECT_FALSE(error.empty());
}

TEST(PrintHandOff, SendingWritesTheFileAndNamesItForTheProgram)
{
    MessageRecorder messages;
    PrintTempFolder temp;
    WordProcessorChoice choice;
    choice.wordFound = true;
    choice.writerPath = "/usr/bin/soffice";
    LaunchCommand command;
    std::string error;

    ASSERT_TRUE(SendDocument("{\\rtf1 page}", temp.Path(), choice, temp.PathOf("registry.ini"), command, error));

    EXPECT_EQ(ReadFileBytes(temp.PathOf("send_temp.RTF")), "{\\rtf1 page}\r\n");
    EXPECT_EQ(command.program, "/usr/bin/soffice");
    EXPECT_EQ(command.arguments, std::vector<std::string>{"send_temp.RTF"});
    EXPECT_EQ(command.workingFolder, temp.Path());
    EXPECT_FALSE(SendDocument("{}", temp.PathOf("missing"), choice, "", command, error));
    EXPECT_TRUE(messages.Empty());
}

TEST(PrintHandOff, WriterIsFoundInTheFirstInstallPlaceThatHasIt)
{
    PrintTempFolder temp;
    temp.Write("opt/libreoffice7.5/program/soffice", "");
    temp.Write("opt/libreoffice7.6/program/soffice", "");
    temp.Write("opt/libreoffice7.7/program/other", "");
    EXPECT_EQ(FindWriter({temp.PathOf("usr/bin/soffice"), temp.PathOf("opt/libreoffice*/program/soffice")}),
              temp.PathOf("opt/libreoffice7.6/program/soffice"));
    EXPECT_EQ(FindWriter({temp.PathOf("usr/bin/soffice")}), "");
}

// A LibreOffice built without windows opens the print file invisibly: it is refused before it
// starts. Anything that does not look like a LibreOffice program folder is given the benefit of
// the doubt.
TEST(PrintHandOff, WriterWithoutWindowPluginsIsRecognised)
{
    struct Case {
        const char* name;
        std::vector<const char*> files;  // in the folder of "program/soffice"
        bool opensWindows;
    };
    const Case cases[] = {
        // name                       files beside soffice                          opens windows
        {"with the X11 plugin", {"soffice.bin", "libvclplug_genlo.so"}, true},
        {"with the GTK plugin", {"soffice.bin", "libvclplug_gtk3lo.so"}, true},
        {"built without windows", {"soffice.bin", "libvcllo.so"}, false},
        {"not a LibreOffice folder", {"readme.txt"}, true},
    };
    for (const Case& c : cases) {
        PrintTempFolder temp;
        const std::string soffice = temp.Write("program/soffice", "#!/bin/sh\n");
        for (const char* file : c.files)
            temp.Write(std::string("program/") + file, "");
        EXPECT_EQ(WriterOpensWindows(soffice), c.opensWindows) << c.name;
        // Started through a link, as /usr/bin/soffice is: the link's target folder counts.
        std::filesystem::create_symlink(soffice, temp.PathOf("soffice-link"));
        EXPECT_EQ(WriterOpensWindows(temp.PathOf("soffice-link")), c.opensWindows) << c.name << " (link)";
    }
    EXPECT_TRUE(WriterOpensWindows("soffice"));  // by bare name: nothing known against it
    EXPECT_TRUE(WriterOpensWindows("/no/such/soffice"));
}

TEST(PrintHandOff, FailedStartShowsMessage1155)
{
    MessageRecorder messages;
    ReportWordProcessorStart(true);
    EXPECT_TRUE(messages.Empty());
    ReportWordProcessorStart(false);
    EXPECT_EQ(messages.Codes(), std::vector<unsigned>{11550});
}

}  // namespace
}  // namespace quorvan
