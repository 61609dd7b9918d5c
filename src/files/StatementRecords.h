#pragma once
// What a broker's or bank's data file holds once read: sales of Form 1099-B, interest of Form
// 1099-INT and dividends of Form 1099-DIV, each with the line of the file it came from, and the
// records that could not be read. Amounts are kept in cents, as the file gives them.

#include <string>
#include <vector>

namespace quorvan {

struct ImportedSale {
    int line = 0;    // first line of the record in the file
    char box = 'A';  // Form 8949 box, 'A' to 'F'
    std::string description;
    std::string acquired;      // "MM/DD/YYYY", "VARIOUS" or empty
    std::string sold;          // "MM/DD/YYYY"
    long long proceeds = 0;    // cents
    long long cost = 0;        // cents
    long long washLoss = 0;    // cents of wash sale loss disallowed
    std::string code;          // adjustment code(s) other than W
    long long adjustment = 0;  // cents of the adjustment the code stands for
};

struct ImportedIncome {
    int line = 0;
    std::string payer;
    long long amount = 0;     // cents: interest, or total ordinary dividends
    long long qualified = 0;  // cents of qualified dividends (dividends only)
};

struct RecordProblem {
    int line = 0;
    std::string text;
};

struct StatementData {
    std::vector<ImportedSale> sales;
    std::vector<ImportedIncome> interest;
    std::vector<ImportedIncome> dividends;
    std::vector<RecordProblem> problems;  // any problem refuses the whole file
};

// The days a sale may fall on: the return's tax year, first and last day as yyyymmdd numbers.
struct SaleYear {
    int first = 20160101;
    int last = 20161231;
};

}  // namespace quorvan
