// A settings file of any content reads without harm and leaves usable settings.

#include "FuzzSupport.h"
#include "files/Folders.h"
#include "files/Settings.h"

#include <sstream>
#include <string>

using namespace quorvan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::DropMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const WorkingFolders folders = DefaultFolders("/home/fuzz", "/opt/quorvan");
    Settings settings = DefaultSettings(folders);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    ReadINI(in, settings);
    std::ostringstream out(std::ios::binary);
    WriteINI(out, settings);
    Settings again = DefaultSettings(folders);
    std::istringstream back(out.str(), std::ios::binary);
    ReadINI(back, again);
    std::ostringstream outAgain(std::ios::binary);
    WriteINI(outAgain, again);
    fuzz::Require(outAgain.str() == out.str(), "written settings read back the same");
    return 0;
}
