// Comma-separated data files: a header row names the columns (matched without regard to case and
// surrounding blanks), each following row is one sale, one payer's interest or one payer's
// dividends. Fields may be quoted ("a, b" and "say ""x""" read as a, b and say "x").
#include "files/StatementFields.h"
#include "files/StatementReaders.h"

#include <map>

namespace quorvan {

namespace {

struct Row {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits the text into rows of fields; a quoted field may hold commas and line breaks.
std::vector<Row> SplitRows(const std::string& text, std::vector<RecordProblem>& problems)
{
    std::vector<Row> rows;
    Row row;
    std::string field;
    int line = 1;
    row.line = 1;
    bool quoted = false, wasQuoted = false;
    auto endField = [&] {
        row.fields.push_back(wasQuoted ? field : TrimBlanks(field));
        field.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        endField();
        bool blank = true;
        for (const std::string& f : row.fields)
            blank = blank && TrimBlanks(f).empty();
        if (!blank)
            rows.push_back(std::move(row));
        row = Row{};
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
        } else if (c == '"' && TrimBlanks(field).empty() && !wasQuoted) {
            quoted = wasQuoted = true;
            field.clear();
        } else if (c == ',') {
            endField();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRow();
            row.line = ++line;
        } else if (!wasQuoted || c == ' ' || c == '\t') {
            field += c;
        } else {
            problems.push_back({line, "text after a quoted field"});
            wasQuoted = false;
            field += c;
        }
    }
    if (quoted)
        problems.push_back({row.line, "a quoted field is not closed"});
    endRow();
    return rows;
}

enum class Column {
    Description,
    Acquired,
    Sold,
    Proceeds,
    Cost,
    Box,
    Term,
    BasisReported,
    Wash,
    Code,
    Adjustment,
    Payer,
    Interest,
    Ordinary,
    Qualified,
};

const std::map<std::string, Column>& ColumnNames()
{
    static const std::map<std::string, Column> names = {
        {"description", Column::Description},
        {"date acquired", Column::Acquired},
        {"date sold", Column::Sold},
        {"proceeds", Column::Proceeds},
        {"cost basis", Column::Cost},
        {"box", Column::Box},
        {"term", Column::Term},
        {"basis reported", Column::BasisReported},
        {"wash sale loss disallowed", Column::Wash},
        {"adjustment code", Column::Code},
        {"adjustment amount", Column::Adjustment},
        {"payer", Column::Payer},
        {"interest", Column::Interest},
        {"ordinary dividends", Column::Ordinary},
        {"qualified dividends", Column::Qualified},
    };
    return names;
}

class CsvParser {
public:
    explicit CsvParser(const SaleYear& year) : year_(year) {}

    StatementData Read(const std::string& text)
    {
        std::vector<Row> rows = SplitRows(text, data_.problems);
        if (rows.empty()) {
            Problem(1, "the file has no header row");
            return std::move(data_);
        }
        const Row& header = rows.front();
        for (size_t i = 0; i < header.fields.size(); ++i) {
            auto found = ColumnNames().find(Folded(header.fields[i]));
            if (found != ColumnNames().end())
                columns_.emplace(found->second, i);
        }
        void (CsvParser::*take)(const Row&) = nullptr;
        if (Has({Column::Description, Column::Acquired, Column::Sold, Column::Proceeds, Column::Cost}) &&
            (Has({Column::Box}) || Has({Column::Term, Column::BasisReported})))
            take = &CsvParser::TakeSale;
        else if (Has({Column::Payer, Column::Ordinary, Column::Qualified}))
            take = &CsvParser::TakeDividends;
        else if (Has({Column::Payer, Column::Interest}))
            take = &CsvParser::TakeInterest;
        if (take == nullptr) {
            Problem(header.line, "the header row names no known set of columns (sales, interest or dividends)");
            return std::move(data_);
        }
        for (size_t r = 1; r < rows.size(); ++r)
            (this->*take)(rows[r]);
        return std::move(data_);
    }

private:
    bool Has(std::initializer_list<Column> wanted) const
    {
        for (Column c : wanted)
            if (columns_.count(c) == 0)
                return false;
        return true;
    }

    std::string Get(const Row& row, Column column) const
    {
        auto found = columns_.find(column);
        if (found == columns_.end() || found->second >= row.fields.size())
            return std::string();
        return row.fields[found->second];
    }

    void Problem(int line, std::string text) { data_.problems.push_back({line, std::move(text)}); }

    // An amount column; an empty optional column reads as 0.
    bool Amount(const Row& row, Column column, long long& cents, bool required)
    {
        const std::string text = TrimBlanks(Get(row, column));
        if (text.empty() && !required) {
            cents = 0;
            return true;
        }
        if (ReadStatementAmount(text, cents))
            return true;
        Problem(row.line, "\"" + StatementText(text) + "\" is not an amount");
        return false;
    }

    bool Box(const Row& row, char& box)
    {
        if (columns_.count(Column::Box)) {
            const std::string text = Folded(Get(row, Column::Box));
            if (text.size() == 1 && text[0] >= 'a' && text[0] <= 'f') {
                box = static_cast<char>(text[0] - 'a' + 'A');
                return true;
            }
            Problem(row.line, "box \"" + StatementText(Get(row, Column::Box)) + "\" is not one of A to F");
            return false;
        }
        const std::string term = Folded(Get(row, Column::Term));
        const std::string reported = Folded(Get(row, Column::BasisReported));
        const bool shortTerm = term.compare(0, 5, "short") == 0, longTerm = term.compare(0, 4, "long") == 0;
        const bool yes = reported == "yes" || reported == "y", no = reported == "no" || reported == "n";
        if (!(shortTerm || longTerm) || !(yes || no)) {
            Problem(row.line, "term \"" + StatementText(term) + "\" and basis reported \"" + StatementText(reported) +
                                  "\" do not name a box (Short or Long, Yes or No)");
            return false;
        }
        box = shortTerm ? (yes ? 'A' : 'B') : (yes ? 'D' : 'E');
        return true;
    }

    void TakeSale(const Row& row)
    {
        ImportedSale sale;
        sale.line = row.line;
        sale.description = StatementText(Get(row, Column::Description));
        bool ok = Box(row, sale.box);
        ok = Amount(row, Column::Proceeds, sale.proceeds, true) && ok;
        ok = Amount(row, Column::Cost, sale.cost, true) && ok;
        ok = Amount(row, Column::Wash, sale.washLoss, false) && ok;
        ok = Amount(row, Column::Adjustment, sale.adjustment, false) && ok;
        if (sale.washLoss < 0) {
            Problem(row.line, "a wash sale loss disallowed cannot be negative");
            ok = false;
        }
        std::string code = TrimBlanks(Get(row, Column::Code));
        for (char& c : code)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (code.find('W') != std::string::npos && sale.washLoss == 0) {
            // Code W with its amount in the adjustment column: a wash sale all the same.
            sale.washLoss = sale.adjustment;
            sale.adjustment = 0;
        }
        std::string others;
        for (char c : code)
            if (c != 'W' && c != ' ' && c != ',')
                others += c;
        sale.code = StatementText(others);
        const std::string acquired = Folded(Get(row, Column::Acquired));
        int acquiredDay = 0, soldDay = 0;
        if (acquired.empty() || acquired == "various") {
            sale.acquired = acquired.empty() ? "" : "VARIOUS";
        } else if (ReadStatementDate(acquired, acquiredDay)) {
            sale.acquired = StatementDateText(acquiredDay);
        } else {
            Problem(row.line, "\"" + StatementText(acquired) + "\" is not a date");
            ok = false;
        }
        const std::string sold = Get(row, Column::Sold);
        if (!ReadStatementDate(sold, soldDay)) {
            Problem(row.line, "\"" + StatementText(sold) + "\" is not a date");
            ok = false;
        } else if (soldDay < year_.first || soldDay > year_.last) {
            Problem(row.line, "the sale date " + StatementDateText(soldDay) + " is outside the return's tax year");
            ok = false;
        } else {
            sale.sold = StatementDateText(soldDay);
        }
        if (ok)
            data_.sales.push_back(std::move(sale));
    }

    void TakeInterest(const Row& row)
    {
        ImportedIncome income;
        income.line = row.line;
        income.payer = StatementText(Get(row, Column::Payer));
        if (Amount(row, Column::Interest, income.amount, true))
            data_.interest.push_back(std::move(income));
    }

    void TakeDividends(const Row& row)
    {
        ImportedIncome income;
        income.line = row.line;
        income.payer = StatementText(Get(row, Column::Payer));
        bool ok = Amount(row, Column::Ordinary, income.amount, true);
        ok = Amount(row, Column::Qualified, income.qualified, false) && ok;
        if (ok)
            data_.dividends.push_back(std::move(income));
    }

    SaleYear year_;
    StatementData data_;
    std::map<Column, size_t> columns_;
};

}  // namespace

StatementData ReadStatementCsv(const std::string& text, const SaleYear& year) { return CsvParser(year).Read(text); }

}  // namespace quorvan
