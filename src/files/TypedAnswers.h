#pragma once
// Answers that a calculation fills in where earlier releases of the program left them to the
// preparer. A client file saved by such a release may hold what the preparer typed there; the
// reader marks each such answer overridden, so the next recalculation keeps it and the review
// notes it beside the figure the program would put there.

namespace quorvan {

class TAnswer;

// Marks overridden every answer of Form 1041-QFT Part I that holds a text other than the one it
// carries from Form 1041's identification. Read from a file saved since Part I is carried, such
// an answer already equals what it carries (or is overridden), so nothing changes.
void KeepTypedAnswers(TAnswer& store);

}  // namespace quorvan
