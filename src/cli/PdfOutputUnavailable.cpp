// A build without Qt has no print engine: --print writes RTF only.
#include "cli/PdfOutput.h"

namespace quorvan {

bool PaintPdf(const TAnswer&, const std::vector<PrintPage>&, const std::string&, const std::string&, std::string& error)
{
    error = "this quorvan_16-calc was built without Qt and paints no PDF; write the forms as RTF instead";
    return false;
}

}  // namespace quorvan
