#pragma once
// The sales an import summed on Schedule D line 1a or 8a no longer show one by one, so the return
// keeps a key of each (its box, description, dates, proceeds and cost) on page 0 of form type 38,
// which no page shows and the client file has always written. A later import finds them there as
// it finds the rows of Form 8949, and so never sums a sale twice.

#include "store/Answers.h"

#include <string>
#include <vector>

namespace quorvan {

constexpr int kSummedSalesFormType = 38;

// The key of one sale: its box letter and a digest of `saleText` (the sale as the importer reads it).
std::string SummedSaleKey(char box, const std::string& saleText);

// The most keys the record holds.
int SummedSalesRoom();

// The keys the record holds, in the order they were added. Keys of box A while line 1a holds
// neither proceeds nor cost (the preparer emptied it), and of box D while line 8a does not, are
// left out: those sales are no longer summed anywhere.
std::vector<std::string> ReadSummedSales(const TAnswer& store);

// Replaces the record with `keys`, which must not exceed SummedSalesRoom().
void WriteSummedSales(TAnswer& store, const std::vector<std::string>& keys);

}  // namespace quorvan
