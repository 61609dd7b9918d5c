#pragma once
// A fresh return for a test: set answers and page counts, then recalculate until the return
// settles, as a preparer sees it after a few field exits.

#include "store/Answers.h"
#include "store/SlotRef.h"
#include "support/MessageRecorder.h"

#include <string>

namespace quorvan::test {

class ReturnFixture {
public:
    ReturnFixture() = default;

    TAnswer& Store() { return *store_; }
    void Set(int t, int s, const std::string& text) { store_->SetText(t, 0, s, text); }
    void Set(int t, int k, int s, const std::string& text) { store_->SetText(t, k, s, text); }
    void Override(int t, int k, int s, const std::string& text);
    const std::string& Get(int t, int s) const { return Answers->Text(t, 0, s); }
    const std::string& Get(int t, int k, int s) const { return Answers->Text(t, k, s); }
    // The same for a named slot (slot/<Page>.h) of page k of its form type.
    void Set(SlotRef s, const std::string& text) { Set(s.formType, 0, s.slot, text); }
    void Set(SlotRef s, int k, const std::string& text) { Set(s.formType, k, s.slot, text); }
    void Override(SlotRef s, const std::string& text) { Override(s.formType, 0, s.slot, text); }
    void Override(SlotRef s, int k, const std::string& text) { Override(s.formType, k, s.slot, text); }
    const std::string& Get(SlotRef s, int k = 0) const { return Get(s.formType, k, s.slot); }

    // Runs Calculate until a run changes nothing (at most ten runs); false when a run stopped.
    bool Settle();

    MessageRecorder& Messages() { return messages_; }

private:
    MessageRecorder messages_;
    ScopedAnswerStore store_;
};

}  // namespace quorvan::test
