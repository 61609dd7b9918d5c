#include "support/MessageRecorder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvan::test {

MessageRecorder::MessageRecorder()
{
    previous_ = SetMessagePresenter([this](const TMessage& message) { messages_.push_back(message); });
}

MessageRecorder::~MessageRecorder()
{
    SetMessagePresenter(std::move(previous_));
}

std::vector<unsigned> MessageRecorder::Codes() const
{
    std::vector<unsigned> codes;
    for (const TMessage& message : messages_)
        codes.push_back(message.code);
    return codes;
}

std::string TestDataPath(const std::string& name)
{
    return std::string(QUORVAN_TEST_DATA_DIR) + "/" + name;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunCli(const std::string& arguments, std::string& standardOutput, std::string& standardError)
{
    char errTemplate[] = "/tmp/quorvan-cli-stderr-XXXXXX";
    const int errFd = mkstemp(errTemplate);
    if (errFd < 0)
        return -1;
    close(errFd);
    const std::string command = std::string("'") + QUORVAN_CLI_PATH + "' " + arguments + " 2>" + errTemplate;
    standardOutput.clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        standardOutput.append(buffer, n);
    const int status = pclose(pipe);
    standardError = ReadFileBytes(errTemplate);
    std::remove(errTemplate);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quorvan::test
