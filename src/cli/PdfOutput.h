#pragma once
// The forms of a settled return painted as a PDF file by the print engine, for --print X.pdf;
// the tool starts Qt's GUI module under the offscreen platform just for the painting.

#include "print/FormSelect.h"

#include <string>
#include <vector>

namespace quorvan {

// Paints `pages` of `store` from the layouts in `layoutFolder` into the PDF file `outPath`.
// Errors: false with the reason in `error`.
bool PaintPdf(const TAnswer& store, const std::vector<PrintPage>& pages, const std::string& layoutFolder,
              const std::string& outPath, std::string& error);

}  // namespace quorvan
