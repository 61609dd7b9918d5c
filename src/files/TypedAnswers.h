#pragma once
// Answers that a calculation fills in where earlier releases of the program left them to the
// preparer. A client file saved by such a release may hold what the preparer typed there; the
// reader marks each such answer overridden, so the next recalculation keeps it and the review
// notes it beside the figure the program would put there.

namespace quorvan {

class TAnswer;

// Marks overridden every answer of Form 1041-QFT Part I that holds a text other than the one it
// carries from Form 1041's identification. Read from a file saved since Part I is carried, such
// an answer already equals what it carries (or is overridden), so nothing changes. Called after
// a client file or a prior-year file is read.
void KeepTypedAnswers(TAnswer& store);

// Schedule G line 4 (net investment income tax) was typed before Form 8960 was figured. When it
// holds a text (anything but blanks) that no override guards yet and the Form 8960 page is
// wholly empty (the return was saved before the form was figured), the line is marked
// overridden. Called after a client file is read; a prior-year import is left alone, since the
// line then holds last year's tax, which this year's Form 8960 replaces.
// Schedule I line 35 (the gain on a minimum tax basis) was typed before it was figured from
// Form 1041 line 4: a text that is not the gain of line 4 as stored is marked overridden too.
// True when a line was marked.
bool KeepTypedLinesNowComputed(TAnswer& store);

}  // namespace quorvan
