#include "print/PaintedPage.h"

#include "print/PrintedFigures.h"
#include "print/TaxExemptStatement.h"
#include "store/Amounts.h"

#include <map>

namespace quorvan {
namespace {

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// Table rows whose entry cells are all empty: their computed cells print nothing.
std::map<int, bool> EmptyTableRows(const PaintedSheet& sheet, const TAnswer& answers, int formType, int page)
{
    std::map<int, bool> empty;
    for (const PaintedItem& item : sheet.items) {
        if (item.tableRow < 0 || !item.entry)
            continue;
        const bool blank = IsBlank(AnswerToPrint(answers, formType, page, item.slot));
        const auto known = empty.find(item.tableRow);
        empty[item.tableRow] = (known == empty.end() || known->second) && blank;
    }
    return empty;
}

}  // namespace

bool SheetsToPaint(const std::vector<PrintPage>& pages, PaintedLayouts& layouts, std::vector<SheetToPaint>& sheets,
                   std::string& error)
{
    sheets.clear();
    for (const PrintPage& page : pages) {
        const PaintedLayout* layout = layouts.ForFormType(page.formType, error);
        if (!layout) {
            sheets.clear();
            return false;
        }
        for (size_t sheet = 0; sheet < layout->sheets.size(); ++sheet)
            sheets.push_back({page.formType, page.page, static_cast<int>(sheet), layout});
    }
    return true;
}

std::string PaintedDollars(const std::string& answer, bool lossLine)
{
    return lossLine ? PrintedAmountInParentheses(answer) : PrintedAmount(answer);
}

std::vector<FieldInk> InkOfSheet(const PaintedSheet& sheet, const TAnswer& answers, int formType, int page)
{
    const std::map<int, bool> emptyRows = EmptyTableRows(sheet, answers, formType, page);
    std::vector<FieldInk> ink(sheet.items.size());
    for (size_t i = 0; i < sheet.items.size(); ++i) {
        const PaintedItem& item = sheet.items[i];
        if (item.kind != PaintedKind::Field && item.kind != PaintedKind::Check && item.kind != PaintedKind::Memo)
            continue;
        const std::string answer = AnswerToPrint(answers, formType, page, item.slot);
        FieldInk& out = ink[i];
        if (item.kind == PaintedKind::Check) {
            out.ticked = answer == "X";
            continue;
        }
        if (item.tableRow >= 0 && !item.entry) {
            const auto row = emptyRows.find(item.tableRow);
            if (row != emptyRows.end() && row->second)
                continue;
        }
        switch (item.kind == PaintedKind::Memo ? 't' : item.fieldKind) {
        case 'd': out.text = PaintedDollars(answer, item.loss); break;
        case 'p': out.text = PrintedPercentage(answer); break;
        default: out.text = StripControlCharacters(answer); break;
        }
    }
    return ink;
}

}  // namespace quorvan
