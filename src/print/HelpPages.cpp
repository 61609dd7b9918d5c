#include "print/HelpPages.h"

namespace quorvan {

const std::vector<std::string>& HelpPages()
{
    static const std::vector<std::string> pages{kHelpContentsPage, kHelpTutorialPage, kHelpShrinkFontPage};
    return pages;
}

std::string HelpPagePath(const std::string& programFolder, const std::string& page)
{
    if (programFolder.empty() || programFolder.back() == '/')
        return programFolder + page;
    return programFolder + "/" + page;
}

}  // namespace quorvan
