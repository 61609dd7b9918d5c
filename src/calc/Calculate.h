#pragma once
// The recalculation driver: runs every calculator of the return in its fixed order on the open
// return's store, and stops after a calculator that failed. The screen around a run takes part
// only through CalculateHooks.

namespace quorvan {

class TAnswer;

// What the recalculation asks of the screen around a run; the desktop program supplies it.
class CalculateHooks {
public:
    virtual ~CalculateHooks() = default;
    virtual void StoreControls() {}   // the page on screen into the store
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
    virtual void ShowAnswers() {}     // the store into the page on screen
};

// Recalculates the whole return in `store`; true when the run reached the last calculator.
// The calculators read and write the open return (`Answers`), so `store` must be that store:
// any other is left as it is and the result is false. With `ComponentTransfer` the page on
// screen is stored first (hooks->StoreControls). Errors: a failing calculator has shown its
// message and set ErrFlag; anything else that escapes a calculator shows 18047.
bool Calculate(TAnswer& store, bool ComponentTransfer, CalculateHooks* hooks = nullptr);

// Recalculates until a run changes nothing more, at most `maxRuns` runs. A few lines read a figure
// that a later calculator of the same run writes (Schedule B line 6 the capital gain of line 4
// after its loss limit, Schedule I Part III line 29, line 15c lines 18 and 20), so one run after
// an entry can leave them a step behind. The first run is Calculate's with the screen's hooks;
// the answers are shown again once more runs changed them. A message a run repeats is told once.
bool CalculateSettled(TAnswer& store, bool ComponentTransfer, CalculateHooks* hooks = nullptr, int maxRuns = 10);

}  // namespace quorvan
