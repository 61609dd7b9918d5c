#include "files/PriorYear.h"

#include "files/Folders.h"

namespace quorvan {

const char* const kPriorYearIdentification = "Quorvan_15";

bool ReadPriorYearFile(std::istream&) { return false; }
bool ReadPriorYearFileAt(const std::string&) { return false; }
void ClearPriorYearAmounts(TAnswer&) {}

std::string CurrentYearFileName(const std::string& clientFileFolder, const std::string& priorYearPath)
{
    return JoinPath(clientFileFolder, WithoutExtension(FileNamePart(priorYearPath)) + ".fq6");
}

}  // namespace quorvan
