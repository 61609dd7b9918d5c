// Any data file, TXF or CSV, is read and planned against a return without harm: a file with a
// problem changes nothing, and one without places every record it read.

#include "FuzzSupport.h"
#include "files/StatementImport.h"
#include "store/Answers.h"

#include <string>

using namespace quorvan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::DropMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const bool itemize : {false, true}) {
        ScopedAnswerStore store;
        const PreparedImport prepared = PrepareImportOf(*store, bytes, itemize);
        const ImportPlan& plan = prepared.plan;
        ImportSummary(plan);
        ProblemList(plan.problems);
        if (prepared.Refused()) {
            fuzz::Require(!CarryOutPrepared(*store, prepared), "a refused file is not carried out");
            fuzz::Require(store->NoOf8949_B + store->NoOf8949_E + store->NoOfInterest + store->NoOfDividend == 0,
                          "a refused file adds no page");
            continue;
        }
        // An empty return holds nothing a record could repeat.
        fuzz::Require(plan.duplicates == 0, "nothing is a duplicate in an empty return");
        fuzz::Require(plan.saleRows.size() + static_cast<size_t>(plan.line1a.count + plan.line8a.count) ==
                          prepared.data.sales.size(),
                      "every sale read is placed or summed");
        fuzz::Require(plan.interestRows.size() == prepared.data.interest.size() &&
                          plan.dividendRows.size() == prepared.data.dividends.size(),
                      "every payer read takes a row");
        fuzz::Require(CarryOutPrepared(*store, prepared), "a plan without problems is carried out");
    }
    return 0;
}
