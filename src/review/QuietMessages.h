#pragma once
// Keeps the numbered messages of conversions and calculations off the screen while the review
// reads or recalculates: the review reports through its findings, and the calculations of the
// open return have already shown whatever concerned the preparer.

#include "messages/Messages.h"

namespace quorvan::review {

class QuietMessages {
public:
    // While a message is showing every further one is dropped anyway, and the presenter that
    // shows it must not be replaced under it.
    QuietMessages() : swapped_(!MessageShowing())
    {
        if (swapped_)
            previous_ = SetMessagePresenter([](const TMessage&) {});
    }
    ~QuietMessages()
    {
        if (swapped_)
            SetMessagePresenter(std::move(previous_));
    }
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;

private:
    bool swapped_;
    MessagePresenter previous_;
};

}  // namespace quorvan::review
