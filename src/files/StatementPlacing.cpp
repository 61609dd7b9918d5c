#include "files/StatementPlacing.h"

#include "calc/TaxYear.h"
#include "files/StatementFields.h"
#include "files/SummedSalesRecord.h"
#include "slot/Dividend.h"
#include "slot/Form1041Page1.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/Interest.h"
#include "slot/ScheduleDPage1.h"
#include "store/Amounts.h"
#include "store/ContinuationPages.h"
#include "store/Dates.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace quorvan {

namespace {

namespace sales = slot::form8949ShortTerm::sales;
namespace interestRows = slot::interest::entries;
namespace dividendRows = slot::dividend::entries;

constexpr int kBoxTypes[6] = {ftForm8949A, ftForm8949B, ftForm8949C, ftForm8949D, ftForm8949E, ftForm8949F};

int BoxIndex(char box) { return box - 'A'; }

std::string Dollars(long long cents) { return Float2Dollar(static_cast<double>(cents) / 100.0); }

// An answer's amount in whole-dollar text, or the text itself when it holds none.
std::string AmountKey(const std::string& text)
{
    double value = 0;
    return ReadNumber(text, value) ? Float2Dollar(value) : Folded(text);
}

std::string DateKey(const std::string& text)
{
    int day = 0;
    return ReadStatementDate(text, day) ? StatementDateText(day) : Folded(text);
}

std::string SaleKey(char box, const std::string& description, const std::string& acquired, const std::string& sold,
                    const std::string& proceeds, const std::string& cost)
{
    const char separator = '\x1f';
    return SummedSaleKey(box, std::string(1, box) + separator + Folded(description) + separator + DateKey(acquired) +
                                  separator + DateKey(sold) + separator + AmountKey(proceeds) + separator +
                                  AmountKey(cost));
}

bool RowEmpty(const TAnswer& store, int formType, int page, int first, int last)
{
    for (int s = first; s <= last; ++s)
        if (!TrimBlanks(store.Text(formType, page, s)).empty())
            return false;
    return true;
}

// Finds the free rows of a counted form type: empty rows of the pages in use, then the rows of
// pages still to be added, up to twenty pages.
class RowFinder {
public:
    RowFinder(const TAnswer& store, int formType, int rowsPerPage, std::function<bool(int, int)> rowEmpty)
        : formType_(formType), rowsPerPage_(rowsPerPage),
          pagesInUse_(std::clamp(*store.CountField(formType), 0, kMaxPages))
    {
        for (int k = 0; k < pagesInUse_; ++k)
            for (int r = 0; r < rowsPerPage; ++r)
                if (rowEmpty(k, r))
                    free_.push_back({k, r});
    }

    int Room() const { return static_cast<int>(free_.size()) + (kMaxPages - pagesInUse_) * rowsPerPage_; }

    // The next free row; only while Room() is not used up.
    RowPlacement Take(size_t record)
    {
        RowPlacement placement{formType_, 0, 0, record};
        if (next_ < free_.size()) {
            placement.page = free_[next_].first;
            placement.row = free_[next_].second;
        } else {
            const size_t beyond = next_ - free_.size();
            placement.page = pagesInUse_ + static_cast<int>(beyond) / rowsPerPage_;
            placement.row = static_cast<int>(beyond) % rowsPerPage_;
        }
        ++next_;
        return placement;
    }

    int PagesAfter() const
    {
        return next_ <= free_.size()
                   ? pagesInUse_
                   : pagesInUse_ + static_cast<int>((next_ - free_.size() + rowsPerPage_ - 1) / rowsPerPage_);
    }

private:
    int formType_;
    int rowsPerPage_;
    int pagesInUse_;
    std::vector<std::pair<int, int>> free_;
    size_t next_ = 0;
};

void RefuseBeyondRoom(ImportPlan& plan, const std::string& where, int wanted, int room, int rowsPerPage)
{
    plan.problems.push_back({0, where + ": " + std::to_string(wanted) + " rows to add and room for " +
                                    std::to_string(room) + " (20 pages of " + std::to_string(rowsPerPage) + " rows)"});
}

void PlanSales(const TAnswer& store, const StatementData& data, bool itemize, ImportPlan& plan)
{
    // Each sale already in the return, as often as it is there: a file may hold two lots sold
    // alike, and importing it again must find both.
    std::unordered_map<std::string, int> inReturn;
    for (int b = 0; b < 6; ++b) {
        const int t = kBoxTypes[b];
        const int pages = std::clamp(*store.CountField(t), 0, kMaxPages);
        for (int k = 0; k < pages; ++k)
            for (int r = 0; r < sales::kRows; ++r) {
                auto text = [&](int column) -> const std::string& { return store.Text(t, k, sales::Slot(r, column)); };
                if (!text(sales::description).empty() || !text(sales::proceeds).empty()) {
                    const char box = static_cast<char>('A' + b);
                    ++inReturn[SaleKey(box, text(sales::description), text(sales::dateAcquired),
                                       text(sales::dateSold), text(sales::proceeds), text(sales::cost))];
                }
            }
    }
    plan.summedKeys = ReadSummedSales(store);
    for (const std::string& key : plan.summedKeys)
        ++inReturn[key];
    std::vector<std::vector<size_t>> byBox(6);
    for (size_t i = 0; i < data.sales.size(); ++i) {
        const ImportedSale& sale = data.sales[i];
        const std::string key =
            SaleKey(sale.box, sale.description, sale.acquired, sale.sold, Dollars(sale.proceeds), Dollars(sale.cost));
        const auto found = inReturn.find(key);
        if (found != inReturn.end() && found->second > 0) {
            --found->second;
            ++plan.duplicates;
            continue;
        }
        const bool plain = sale.washLoss == 0 && sale.adjustment == 0 && sale.code.empty();
        if (!itemize && plain && (sale.box == 'A' || sale.box == 'D')) {
            SummedSales& line = sale.box == 'A' ? plan.line1a : plan.line8a;
            ++line.count;
            line.proceeds += sale.proceeds;
            line.cost += sale.cost;
            plan.summedKeys.push_back(key);
            continue;
        }
        byBox[BoxIndex(sale.box)].push_back(i);
    }
    const int summed = plan.line1a.count + plan.line8a.count;
    const int room = SummedSalesRoom() - (static_cast<int>(plan.summedKeys.size()) - summed);
    if (summed > room)
        plan.problems.push_back({0, "Schedule D lines 1a and 8a: " + std::to_string(summed) +
                                        " sales to sum and room to keep track of " + std::to_string(room) +
                                        " more; import them with every sale itemized on Form 8949"});
    for (int b = 0; b < 6; ++b) {
        const int t = kBoxTypes[b];
        RowFinder rows(store, t, sales::kRows, [&store, t](int k, int r) {
            return RowEmpty(store, t, k, sales::Slot(r, sales::description), sales::Slot(r, sales::adjustment));
        });
        const int wanted = static_cast<int>(byBox[b].size());
        if (wanted > rows.Room()) {
            RefuseBeyondRoom(plan, std::string("Form 8949 box ") + static_cast<char>('A' + b), wanted, rows.Room(),
                             sales::kRows);
            continue;
        }
        for (size_t i : byBox[b])
            plan.saleRows.push_back(rows.Take(i));
        plan.rowsByBox[b] = wanted;
        plan.pagesByBox[b] = rows.PagesAfter();
    }
}

void PlanIncome(const TAnswer& store, const std::vector<ImportedIncome>& records, int formType, bool dividends,
                std::vector<RowPlacement>& placements, int& pagesAfter, ImportPlan& plan)
{
    auto rowEmpty = [&store, formType, dividends](int k, int r) {
        const int first = interestRows::kFirst + r * interestRows::kStride;
        return RowEmpty(store, formType, k, first, first + 1) &&
               (!dividends ||
                RowEmpty(store, formType, k, first + dividendRows::qualified, first + dividendRows::qualified));
    };
    RowFinder rows(store, formType, interestRows::kRows, rowEmpty);
    // A payer's row with the same amounts is already in the return: a file imported again.
    auto key = [](const std::string& payer, const std::string& amount, const std::string& qualified) {
        return Folded(payer) + '\x1f' + AmountKey(amount) + '\x1f' + AmountKey(qualified);
    };
    std::unordered_set<std::string> inReturn;
    const int pages = std::clamp(*store.CountField(formType), 0, kMaxPages);
    for (int k = 0; k < pages; ++k)
        for (int r = 0; r < interestRows::kRows; ++r) {
            const int first = interestRows::kFirst + r * interestRows::kStride;
            if (rowEmpty(k, r))
                continue;
            inReturn.insert(key(store.Text(formType, k, first), store.Text(formType, k, first + 1),
                                dividends ? store.Text(formType, k, first + dividendRows::qualified) : std::string()));
        }
    std::vector<size_t> taken;
    for (size_t i = 0; i < records.size(); ++i) {
        const ImportedIncome& income = records[i];
        if (inReturn.count(key(income.payer, Dollars(income.amount),
                               dividends && income.qualified != 0 ? Dollars(income.qualified) : std::string())))
            ++plan.duplicates;
        else
            taken.push_back(i);
    }
    const int wanted = static_cast<int>(taken.size());
    if (wanted > rows.Room()) {
        RefuseBeyondRoom(plan, dividends ? "Dividend pages" : "Interest pages", wanted, rows.Room(),
                         interestRows::kRows);
        return;
    }
    for (size_t i : taken)
        placements.push_back(rows.Take(i));
    pagesAfter = rows.PagesAfter();
}

void AddPagesUpTo(TAnswer& store, int formType, int pages)
{
    while (*store.CountField(formType) < pages && AddContinuationPage(store, formType)) {
    }
}

void AddToLine(TAnswer& store, SlotRef line, long long cents)
{
    double held = 0;
    if (!ReadNumber(store.Text(line.formType, 0, line.slot), held))
        held = 0;
    store.SetText(line.formType, 0, line.slot,
                  Float2Dollar(std::round(held) + std::round(static_cast<double>(cents) / 100.0)));
}

}  // namespace

bool ImportPlan::Empty() const
{
    return saleRows.empty() && interestRows.empty() && dividendRows.empty() && line1a.count == 0 && line8a.count == 0;
}

SaleYear ReturnSaleYear(const TAnswer& store)
{
    SaleYear year{taxyear::kReturnYear * 10000 + 101, taxyear::kReturnYear * 10000 + 1231};
    int y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
    if (ReadAnyDate(
            store.Text(slot::form1041Page1::taxYearBeginning.formType, 0, slot::form1041Page1::taxYearBeginning.slot),
            y1, m1, d1) &&
        ReadAnyDate(store.Text(slot::form1041Page1::taxYearEnding.formType, 0, slot::form1041Page1::taxYearEnding.slot),
                    y2, m2, d2)) {
        const int first = y1 * 10000 + m1 * 100 + d1, last = y2 * 10000 + m2 * 100 + d2;
        if (first <= last)
            year = {first, last};
    }
    return year;
}

long long KeepTypedQualifiedDividends(const TAnswer& store, StatementData& data)
{
    namespace f1 = slot::form1041Page1;
    if (!data.problems.empty() ||
        std::none_of(data.dividends.begin(), data.dividends.end(),
                     [](const ImportedIncome& income) { return income.qualified != 0; }))
        return 0;
    const int pages = std::clamp(*store.CountField(ftDividend), 0, kMaxPages);
    for (int k = 0; k < pages; ++k)
        for (int r = 0; r < dividendRows::kRows; ++r)
            if (!TrimBlanks(store.Text(ftDividend, k, dividendRows::Slot(r, dividendRows::qualified).slot)).empty())
                return 0;  // the lines are figured from the rows already
    double typed = 0;
    for (const SlotRef line : {f1::line2b1QualifiedToBeneficiaries, f1::line2b2QualifiedToEstate}) {
        if (store.OvRide(line.formType, 0, line.slot))
            return 0;
        double value = 0;
        if (ReadNumber(store.Text(line.formType, 0, line.slot), value))
            typed += value;
    }
    if (typed <= 0)
        return 0;
    ImportedIncome row;
    row.payer = "Qualified dividends typed on Form 1041 line 2b";
    row.qualified = static_cast<long long>(std::llround(typed * 100));
    data.dividends.push_back(row);
    return row.qualified;
}

ImportPlan PlanImport(const TAnswer& store, const StatementData& data, bool itemize)
{
    ImportPlan plan;
    plan.problems = data.problems;
    if (!plan.problems.empty())
        return plan;
    PlanSales(store, data, itemize, plan);
    PlanIncome(store, data.interest, ftInterest, false, plan.interestRows, plan.interestPages, plan);
    PlanIncome(store, data.dividends, ftDividend, true, plan.dividendRows, plan.dividendPages, plan);
    return plan;
}

void CarryOutImport(TAnswer& store, const StatementData& data, const ImportPlan& plan)
{
    if (plan.Refused())
        return;
    for (int b = 0; b < 6; ++b)
        AddPagesUpTo(store, kBoxTypes[b], plan.pagesByBox[b]);
    AddPagesUpTo(store, ftInterest, plan.interestPages);
    AddPagesUpTo(store, ftDividend, plan.dividendPages);
    for (const RowPlacement& p : plan.saleRows) {
        const ImportedSale& sale = data.sales[p.record];
        auto put = [&](int column, std::string text) {
            store.SetText(p.formType, p.page, sales::Slot(p.row, column), std::move(text));
        };
        std::string code = sale.code;
        if (sale.washLoss != 0) {
            code += 'W';
            std::sort(code.begin(), code.end());  // codes go in alphabetical order
        }
        put(sales::description, sale.description);
        put(sales::dateAcquired, sale.acquired);
        put(sales::dateSold, sale.sold);
        put(sales::proceeds, Dollars(sale.proceeds));
        put(sales::cost, Dollars(sale.cost));
        put(sales::code, code);
        const long long adjustment = sale.adjustment + sale.washLoss;
        put(sales::adjustment, adjustment == 0 && code.empty() ? std::string() : Dollars(adjustment));
    }
    auto putIncome = [&store](const RowPlacement& p, const ImportedIncome& income, bool dividends) {
        const int first = interestRows::kFirst + p.row * interestRows::kStride;
        store.SetText(p.formType, p.page, first + interestRows::description, income.payer);
        store.SetText(p.formType, p.page, first + interestRows::amount, Dollars(income.amount));
        if (dividends && income.qualified != 0)
            store.SetText(p.formType, p.page, first + dividendRows::qualified, Dollars(income.qualified));
    };
    for (const RowPlacement& p : plan.interestRows)
        putIncome(p, data.interest[p.record], false);
    for (const RowPlacement& p : plan.dividendRows)
        putIncome(p, data.dividends[p.record], true);
    if (plan.line1a.count > 0) {
        AddToLine(store, slot::scheduleDPage1::line1aProceeds, plan.line1a.proceeds);
        AddToLine(store, slot::scheduleDPage1::line1aCost, plan.line1a.cost);
    }
    if (plan.line8a.count > 0) {
        AddToLine(store, slot::scheduleDPage1::line8aProceeds, plan.line8a.proceeds);
        AddToLine(store, slot::scheduleDPage1::line8aCost, plan.line8a.cost);
    }
    if (plan.line1a.count > 0 || plan.line8a.count > 0)
        WriteSummedSales(store, plan.summedKeys);
}

std::pair<int, int> FirstPageTouched(const ImportPlan& plan)
{
    if (plan.Refused())
        return {0, 0};
    if (!plan.saleRows.empty())
        return {plan.saleRows.front().formType, plan.saleRows.front().page};
    if (plan.line1a.count > 0 || plan.line8a.count > 0)
        return {ftScheduleDPage1, 0};
    if (!plan.interestRows.empty())
        return {ftInterest, plan.interestRows.front().page};
    if (!plan.dividendRows.empty())
        return {ftDividend, plan.dividendRows.front().page};
    return {0, 0};
}

}  // namespace quorvan
