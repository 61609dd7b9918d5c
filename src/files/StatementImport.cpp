#include "files/StatementImport.h"

#include "files/Cp1252.h"
#include "files/RegularFile.h"
#include "store/Amounts.h"

#include <algorithm>

namespace quorvan {

namespace {

constexpr size_t kProblemsNamed = 20;

std::string Counted(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string TextOfFile(const std::string& bytes)
{
    std::string text = bytes;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    return IsUtf8BeyondAscii(text) ? text : Cp1252ToUtf8(text);
}

}  // namespace

PreparedImport PrepareImportOf(const TAnswer& store, const std::string& bytes, bool itemize)
{
    PreparedImport prepared;
    prepared.data = ReadStatement(TextOfFile(bytes), ReturnSaleYear(store));
    const long long kept = KeepTypedQualifiedDividends(store, prepared.data);
    prepared.plan = PlanImport(store, prepared.data, itemize);
    prepared.plan.typedQualifiedKept = kept;
    return prepared;
}

PreparedImport PrepareImport(const TAnswer& store, const std::string& path, bool itemize)
{
    std::string bytes, problem;
    if (!ReadRegularFile(path, kMaxStatementFileBytes, bytes, problem)) {
        PreparedImport refused;
        refused.path = path;
        refused.plan.problems.push_back({0, "the file " + problem});
        return refused;
    }
    PreparedImport prepared = PrepareImportOf(store, bytes, itemize);
    prepared.path = path;
    return prepared;
}

bool CarryOutPrepared(TAnswer& store, const PreparedImport& prepared)
{
    if (prepared.Refused())
        return false;
    CarryOutImport(store, prepared.data, prepared.plan);
    return true;
}

std::string ImportSummary(const ImportPlan& plan)
{
    std::vector<std::string> parts;
    int rows = 0;
    std::string boxes;
    for (int b = 0; b < 6; ++b)
        if (plan.rowsByBox[b] > 0) {
            rows += plan.rowsByBox[b];
            boxes += std::string(boxes.empty() ? "" : ", ") + static_cast<char>('A' + b) + " " +
                     std::to_string(plan.rowsByBox[b]);
        }
    if (rows > 0)
        parts.push_back(Counted(rows, "sale", "sales") + " on Form 8949 (box " + boxes + ")");
    if (plan.line1a.count > 0)
        parts.push_back(Counted(plan.line1a.count, "sale", "sales") + " summed on Schedule D line 1a");
    if (plan.line8a.count > 0)
        parts.push_back(Counted(plan.line8a.count, "sale", "sales") + " summed on Schedule D line 8a");
    if (!plan.interestRows.empty())
        parts.push_back(Counted(static_cast<int>(plan.interestRows.size()), "interest row", "interest rows"));
    if (!plan.dividendRows.empty())
        parts.push_back(Counted(static_cast<int>(plan.dividendRows.size()), "dividend row", "dividend rows"));
    if (plan.typedQualifiedKept > 0)
        parts.push_back("the " + Float2Dollar(static_cast<double>(plan.typedQualifiedKept) / 100.0) +
                        " of qualified dividends typed on Form 1041 line 2b kept as a dividend row");
    if (plan.duplicates > 0)
        parts.push_back(Counted(plan.duplicates, "duplicate skipped", "duplicates skipped"));
    if (parts.empty())
        return "nothing to add";
    std::string summary;
    for (const std::string& part : parts)
        summary += (summary.empty() ? "" : ", ") + part;
    return summary;
}

std::string ProblemList(const std::vector<RecordProblem>& problems)
{
    std::vector<RecordProblem> sorted = problems;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const RecordProblem& a, const RecordProblem& b) { return a.line < b.line; });
    std::string list;
    for (size_t i = 0; i < sorted.size() && i < kProblemsNamed; ++i)
        list += (sorted[i].line > 0 ? "line " + std::to_string(sorted[i].line) + ": " : std::string()) +
                sorted[i].text + "\n";
    if (sorted.size() > kProblemsNamed)
        list +=
            "and " + Counted(static_cast<int>(sorted.size() - kProblemsNamed), "more problem", "more problems") + "\n";
    return list;
}

}  // namespace quorvan
