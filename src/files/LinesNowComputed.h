#pragma once
// Lines that returns saved by earlier versions hold as typed entries and that this version
// computes: a stored return keeps what the preparer typed there, marked overridden, so the next
// recalculation does not replace it and the review shows the computed figure beside it.

namespace quorvan {

class TAnswer;

// Schedule G line 4 (net investment income tax) was typed before Form 8960 was figured. When it
// holds a text (anything but blanks) that no override guards yet and the Form 8960 page is
// wholly empty (the return was saved before the form was figured), the line is marked
// overridden. Called after a client file is read; a prior-year import is left alone, since the
// line then holds last year's tax, which this year's Form 8960 replaces.
// True when a line was marked.
bool KeepTypedLinesNowComputed(TAnswer& store);

}  // namespace quorvan
