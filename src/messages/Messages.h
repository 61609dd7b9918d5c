#pragma once
// The numbered messages of the program: the table of texts, the split of a code into message
// number and instruction, and the one routine every part of the program reports through.
// The screen is reached through a presenter hook; without one, messages go to standard error.

#include <functional>
#include <string>

namespace quorvan {

// A message as the dialog shows it.
struct TMessage {
    unsigned code = 0;          // as passed: number * 10 + instruction
    unsigned number = 0;        // code / 10 (the dialog's tag)
    unsigned instruction = 0;   // code % 10 (AddedInstructCode)
    std::string extra;          // TheErrStr
    std::string caption;        // "Error Dialog" or "Help On This Item"
    std::string firstLine;      // MessageLbl
    std::string secondLine;     // MessageLbl2
    bool sound = true;          // the default alert sound accompanies the dialog
};

// Builds the dialog's contents for a code and its extra text; never fails.
TMessage BuildMessage(unsigned code, const std::string& extra = std::string());

// A presenter shows one message and returns when the preparer has closed it.
using MessagePresenter = std::function<void(const TMessage&)>;

// Installs the presenter; an empty function restores the standard-error presenter.
// Returns the presenter that was installed before.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// Shows the message of `code`. A message raised while another is showing is dropped.
void ShowMessageByCode(unsigned code, const std::string& extra = std::string());

// True while a presenter is showing a message.
bool MessageShowing();

// While one lives, a message with the code and extra text of one already shown in its lifetime
// is dropped: a recalculation whose calculators read one bad amount in ten places says so once.
// Scopes may nest; the outermost one decides.
class MessagesOnceEach {
public:
    MessagesOnceEach();
    ~MessagesOnceEach();
    MessagesOnceEach(const MessagesOnceEach&) = delete;
    MessagesOnceEach& operator=(const MessagesOnceEach&) = delete;

private:
    bool outermost_;
};

// The one-line form used on standard error: "CODE: first line | second line".
std::string MessageLine(const TMessage& message);

// Message 2118 names the template variable the print merge handled last (0 and 0 before any).
void SetLastMergedVariable(int formType, int variable);

}  // namespace quorvan
