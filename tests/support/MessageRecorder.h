#pragma once
// Test helpers: a presenter that records every message instead of showing it, and the paths of
// the fixtures and the command-line tool.

#include "messages/Messages.h"

#include <string>
#include <vector>

namespace quorvan::test {

// Installs itself as the message presenter for its lifetime.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<unsigned> Codes() const;
    const std::vector<TMessage>& Messages() const { return messages_; }
    bool Empty() const { return messages_.empty(); }
    void Clear() { messages_.clear(); }

private:
    std::vector<TMessage> messages_;
    MessagePresenter previous_;
};

std::string TestDataPath(const std::string& name);
std::string ReadFileBytes(const std::string& path);

// Runs the command-line tool with `arguments`; returns its exit status and fills its output.
int RunCli(const std::string& arguments, std::string& standardOutput, std::string& standardError);

// Whether the tool paints PDFs: a build without Qt has no print engine.
#ifdef QUORVAN_TOOL_PAINTS_PDF
constexpr bool kToolPaintsPdf = true;
#else
constexpr bool kToolPaintsPdf = false;
#endif

}  // namespace quorvan::test
