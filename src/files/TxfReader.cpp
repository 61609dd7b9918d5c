// Tax exchange files, version 042: a header ("V042", then lines such as "Aprogram" and
// "Ddate", closed by "^"), then records of one field a line, each closed by "^":
//   T<type>  N<reference number>  C<copy>  L<line>  P<description>  D<date>  $<amount>  X<text>
// Sales (Form 1099-B) are records of format 4 (description, date acquired, date sold, cost,
// proceeds) or 5 (format 4 and the wash sale loss disallowed, its line left as a bare "$" when
// there is none); interest (Form 1099-INT box 1, 287) and dividends (Form 1099-DIV boxes 1a, 286,
// and 1b, 683) are records of format 3 (an amount and its payer). A summary record (TS) stands
// for the detail records (TD) of its reference number, copy and line, which are then left out.
#include "files/StatementFields.h"
#include "files/StatementReaders.h"

#include <map>
#include <set>
#include <sstream>

namespace quorvan {

namespace {

enum class RecordKind { Sale, Interest, OrdinaryDividends, QualifiedDividends, CapitalGainDistributions };

struct Reference {
    RecordKind kind;
    char box;  // sales: the Form 8949 box; '?' when the term follows from the dates
};

const std::map<int, Reference>& References()
{
    static const std::map<int, Reference> table = {
        {321, {RecordKind::Sale, 'A'}},
        {711, {RecordKind::Sale, 'B'}},
        {712, {RecordKind::Sale, 'C'}},
        {323, {RecordKind::Sale, 'D'}},
        {713, {RecordKind::Sale, 'E'}},
        {714, {RecordKind::Sale, 'F'}},
        // Term unknown to the broker: the holding period decides between the two boxes of its copy.
        {673, {RecordKind::Sale, 'a'}},
        {715, {RecordKind::Sale, 'b'}},
        {716, {RecordKind::Sale, 'c'}},
        {287, {RecordKind::Interest, 0}},
        {286, {RecordKind::OrdinaryDividends, 0}},
        {683, {RecordKind::QualifiedDividends, 0}},
        {488, {RecordKind::CapitalGainDistributions, 0}},
    };
    return table;
}

struct Field {
    int line;
    std::string value;
};

// One record as its lines give it.
struct RawRecord {
    int line = 0;
    bool summary = false;  // TS; TD is a detail
    std::string copy = "1", lineNumber = "1";
    Field reference{0, ""};
    std::vector<Field> descriptions;  // P first, then X
    std::vector<Field> dates;
    std::vector<Field> amounts;
};

class TxfParser {
public:
    TxfParser(const SaleYear& year) : year_(year) {}

    StatementData Read(const std::string& text)
    {
        std::istringstream lines(text);
        std::string line;
        int number = 0;
        bool header = true;
        bool inRecord = false;
        RawRecord record;
        while (std::getline(lines, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (TrimBlanks(line).empty())
                continue;
            if (number == 1) {
                if (TrimBlanks(line) != "V042")
                    Problem(1, "the file does not open with the tax exchange header V042");
                continue;
            }
            const char key = line[0];
            const std::string value = line.substr(1);
            if (header) {
                header = key != '^';
                continue;
            }
            if (key == '^') {
                if (inRecord)
                    Take(record);
                inRecord = false;
                continue;
            }
            if (!inRecord) {
                inRecord = true;
                record = RawRecord{};
                record.line = number;
                if (key != 'T') {
                    Problem(number, "a record must begin with its type (T)");
                }
                record.summary = Folded(value) == "s";
                continue;
            }
            switch (key) {
            case 'N': record.reference = {number, value}; break;
            case 'P': record.descriptions.insert(record.descriptions.begin(), {number, value}); break;
            case 'X': record.descriptions.push_back({number, value}); break;
            case 'D': record.dates.push_back({number, value}); break;
            case '$': record.amounts.push_back({number, value}); break;
            case 'C': record.copy = TrimBlanks(value); break;
            case 'L': record.lineNumber = TrimBlanks(value); break;
            case 'T': break;
            default: Problem(number, "a record line must begin with N, C, L, P, D, $ or X");
            }
        }
        if (number == 0)
            Problem(1, "the file is empty");
        if (inRecord)
            Problem(record.line, "the record is not closed by ^");
        LeaveOutSummarizedDetails();
        PairQualifiedDividends();
        return std::move(data_);
    }

private:
    void Problem(int line, std::string text) { data_.problems.push_back({line, std::move(text)}); }

    bool Amount(const Field& field, long long& cents)
    {
        if (ReadStatementAmount(field.value, cents))
            return true;
        Problem(field.line, "\"" + StatementText(field.value) + "\" is not an amount");
        return false;
    }

    void Take(const RawRecord& record)
    {
        int reference = 0;
        const std::string digits = TrimBlanks(record.reference.value);
        if (record.reference.line == 0) {
            Problem(record.line, "the record has no reference number (N)");
            return;
        }
        auto found = References().end();
        if (!digits.empty() && digits.size() < 6 && digits.find_first_not_of("0123456789") == std::string::npos) {
            reference = std::stoi(digits);
            found = References().find(reference);
        }
        if (found == References().end()) {
            Problem(record.reference.line,
                    "reference number \"" + StatementText(digits) + "\" is not one this program imports");
            return;
        }
        if (found->second.kind == RecordKind::CapitalGainDistributions) {
            Problem(record.reference.line, "capital gain distributions (488) are not imported: enter them on "
                                           "Schedule D line 13 and leave them out of the file");
            return;
        }
        if (found->second.kind == RecordKind::Sale) {
            TakeSale(record, found->second.box);
        } else {
            TakeIncome(record, found->second.kind, std::to_string(reference) + '/' + record.copy + '/' +
                                                       record.lineNumber);
        }
    }

    void TakeSale(const RawRecord& record, char box)
    {
        if (record.dates.size() != 2 || (record.amounts.size() != 2 && record.amounts.size() != 3)) {
            Problem(record.line, "a sale needs two dates (D) and two or three amounts ($)");
            return;
        }
        ImportedSale sale;
        sale.line = record.line;
        sale.description = record.descriptions.empty() ? std::string() : StatementText(record.descriptions[0].value);
        // Both amounts are read, so that each bad one is named.
        const bool costRead = Amount(record.amounts[0], sale.cost);
        const bool proceedsRead = Amount(record.amounts[1], sale.proceeds);
        bool ok = costRead && proceedsRead;
        if (record.amounts.size() == 3 && !TrimBlanks(record.amounts[2].value).empty())
            ok = Amount(record.amounts[2], sale.washLoss) && ok;
        if (sale.washLoss < 0) {
            Problem(record.amounts[2].line, "a wash sale loss disallowed cannot be negative");
            ok = false;
        }
        int acquired = 0, sold = 0;
        const std::string acquiredText = Folded(record.dates[0].value);
        const bool acquiredKnown = !acquiredText.empty() && acquiredText != "various";
        if (acquiredKnown && !ReadStatementDate(acquiredText, acquired)) {
            Problem(record.dates[0].line, "\"" + StatementText(record.dates[0].value) + "\" is not a date");
            ok = false;
        }
        if (!ReadStatementDate(record.dates[1].value, sold)) {
            Problem(record.dates[1].line, "\"" + StatementText(record.dates[1].value) + "\" is not a date");
            ok = false;
        } else if (sold < year_.first || sold > year_.last) {
            Problem(record.dates[1].line,
                    "the sale date " + StatementDateText(sold) + " is outside the return's tax year");
            ok = false;
        }
        if (!ok)
            return;
        if (box >= 'a' && box <= 'c') {
            if (!acquiredKnown) {
                Problem(record.line, "a sale of unknown term needs its date acquired");
                return;
            }
            const char shortTerm = static_cast<char>('A' + (box - 'a'));
            box = HeldMoreThanOneYear(acquired, sold) ? static_cast<char>(shortTerm + 3) : shortTerm;
        }
        sale.box = box;
        sale.acquired = acquiredKnown ? StatementDateText(acquired) : (acquiredText.empty() ? "" : "VARIOUS");
        sale.sold = StatementDateText(sold);
        data_.sales.push_back(std::move(sale));
    }

    void TakeIncome(const RawRecord& record, RecordKind kind, std::string key)
    {
        if (record.amounts.size() != 1) {
            Problem(record.line, "an interest or dividend record needs one amount ($)");
            return;
        }
        PendingIncome pending{kind, record.summary, std::move(key), {}};
        pending.income.line = record.line;
        pending.income.payer =
            record.descriptions.empty() ? std::string() : StatementText(record.descriptions[0].value);
        long long cents = 0;
        if (!Amount(record.amounts[0], cents))
            return;
        (kind == RecordKind::QualifiedDividends ? pending.income.qualified : pending.income.amount) = cents;
        pending_.push_back(std::move(pending));
    }

    // Details add up to their summary: where a summary came, its details are not read as well.
    void LeaveOutSummarizedDetails()
    {
        std::set<std::string> summarized;
        for (const PendingIncome& pending : pending_)
            if (pending.summary)
                summarized.insert(pending.key);
        for (PendingIncome& pending : pending_) {
            if (!pending.summary && summarized.count(pending.key))
                continue;
            if (pending.kind == RecordKind::Interest)
                data_.interest.push_back(std::move(pending.income));
            else if (pending.kind == RecordKind::OrdinaryDividends)
                data_.dividends.push_back(std::move(pending.income));
            else
                qualified_.push_back(std::move(pending.income));
        }
    }

    // Box 1b comes as its own record: it joins the box 1a record of the same payer.
    void PairQualifiedDividends()
    {
        for (const ImportedIncome& part : qualified_) {
            ImportedIncome* whole = nullptr;
            for (ImportedIncome& dividend : data_.dividends)
                if (Folded(dividend.payer) == Folded(part.payer) && dividend.qualified == 0) {
                    whole = &dividend;
                    break;
                }
            if (whole == nullptr)
                Problem(part.line,
                        "qualified dividends (683) of \"" + part.payer + "\" have no ordinary dividends (286) of that payer");
            else
                whole->qualified = part.qualified;
        }
    }

    struct PendingIncome {
        RecordKind kind;
        bool summary;
        std::string key;  // reference number, copy and line
        ImportedIncome income;
    };

    SaleYear year_;
    StatementData data_;
    std::vector<PendingIncome> pending_;
    std::vector<ImportedIncome> qualified_;
};

}  // namespace

bool LooksLikeTxf(const std::string& text) { return text.compare(0, 4, "V042") == 0; }

StatementData ReadTxf(const std::string& text, const SaleYear& year) { return TxfParser(year).Read(text); }

StatementData ReadStatement(const std::string& text, const SaleYear& year)
{
    return LooksLikeTxf(text) ? ReadTxf(text, year) : ReadStatementCsv(text, year);
}

}  // namespace quorvan
