#pragma once
// Handing the print document to a word processor: the print file in the temporary folder, the
// choice between "Word" (LibreOffice Writer) and "WordPad" (the desktop's application for RTF
// documents), and the WordPad page margins kept in the program's own key-value registry file.
// Starting the program is the caller's: it runs the returned command detached.

#include <functional>
#include <string>
#include <vector>

namespace quorvan {

// A program to start: run `program` with `arguments` in `workingFolder`.
struct LaunchCommand {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingFolder;
};

// Where LibreOffice Writer is looked for; "*" in a folder name matches any text.
const std::vector<std::string>& WriterInstallPlaces();
// The first of `places` that exists (with several matches of a "*", the highest name, i.e. the
// newest version); empty when there is none. "Word found" is a non-empty result.
std::string FindWriter(const std::vector<std::string>& places = WriterInstallPlaces());

// False when `soffice` is a LibreOffice built without windows: its program folder holds
// "soffice.bin" but no window plugin ("libvclplug_*"). Such a build opens the print file
// invisibly and never shows it. True when the folder is not a LibreOffice program folder, or the
// program is given by bare name: nothing is known against it.
bool WriterOpensWindows(const std::string& soffice);

constexpr const char* kPrintFileName = "send_temp.RTF";

// True while a word processor holds the print file: it cannot be deleted, or LibreOffice keeps
// its lock file (".~lock.<name>#") beside it.
bool PrintFileHeld(const std::string& path);

// The path the next print file is written to: "send_temp.RTF" in `folder`, deleted first; while
// that file is held, "send_temp" + a number from 0 to 998 (from `randomNumber`) + ".rtf".
std::string PrintFilePath(const std::string& folder, const std::function<int()>& randomNumber);
std::string PrintFilePath(const std::string& folder);

// Every print file in `folder` ("send_temp*.rtf", the name compared without regard to case, so
// "send_temp.RTF" and the numbered ones alike), for deleting them when the program closes.
std::vector<std::string> PrintFilesIn(const std::string& folder);

// Writes the document as 7-bit text (see SevenBitRtf) with CR LF line ends, through
// WriteFileAtomically: an earlier file of that name stays whole until the new one is complete.
// Errors: false with the reason in `error`.
bool WritePrintFile(const std::string& path, const std::string& document, std::string& error);

struct WordProcessorChoice {
    bool wordFound = false;   // FindWriter found Writer at start-up
    std::string writerPath;   // what it found
    bool forceWord = false;
    bool forceWordPad = false;  // wins over forceWord
};

// The program for the print file at `path`, started in `folder` with the bare file name as its
// one argument (the working folder makes it resolve). Choosing WordPad first sets its margins in
// the registry file `registryPath`.
LaunchCommand StartWordProcessor(const std::string& path, const std::string& folder,
                                 const WordProcessorChoice& choice, const std::string& registryPath);

// Writes the document to the next print file in `tempFolder` and gives the command that opens it:
// the steps of printing up to starting the program, which the caller does (then reports the
// outcome with ReportWordProcessorStart). Errors: false with the reason in `error`.
bool SendDocument(const std::string& document, const std::string& tempFolder, const WordProcessorChoice& choice,
                  const std::string& registryPath, LaunchCommand& command, std::string& error);

// The registry key and value that hold WordPad's page margins: four 32-bit little-endian
// integers 720, 576, 720 and 360 (twips).
constexpr const char* kWordPadOptionsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\WordPad\\Options";
constexpr const char* kPageMarginValue = "PageMargin";
std::vector<unsigned char> WordPadPageMargins();

// Writes the margins when the registry file has the WordPad options key; otherwise shows
// message 2140 (code 21400) and writes nothing.
void SetWordPadMargins(const std::string& registryPath);

// Registry file: "[key]" lines, each followed by "name=hex:xx,xx,..." values, CR LF line ends.
bool RegistryKeyExists(const std::string& registryPath, const std::string& key);
// Errors: false when the file cannot be written.
bool WriteRegistryBytes(const std::string& registryPath, const std::string& key, const std::string& name,
                        const std::vector<unsigned char>& bytes);
// Makes the key when it is missing (as the word processor does when it first runs).
bool CreateRegistryKey(const std::string& registryPath, const std::string& key);

// To call with the outcome of starting a LaunchCommand: a failed start shows message 1155.
void ReportWordProcessorStart(bool started);

// LibreOffice converting `rtfPath` to PDF in `outputFolder`, with a profile of its own in
// `profileFolder` so that it neither needs nor disturbs a running LibreOffice.
LaunchCommand PdfConversionCommand(const std::string& soffice, const std::string& rtfPath,
                                   const std::string& outputFolder, const std::string& profileFolder);

}  // namespace quorvan
