#pragma once
// The desktop program's command line: "quorvan_16 [FILE]" opens the client file FILE as Open
// does; --help and --version answer and end the program.

#include <QString>
#include <QStringList>

namespace quorvan::app {

struct StartRequest {
    bool run = true;     // false: print `output` (or `error`) and end with `exitCode`
    int exitCode = 0;
    QString output;      // for standard output
    QString error;       // for standard error
    QString clientFile;  // absolute path of the file to open, or empty
};

// Reads the program's arguments (the first is the program itself). A relative FILE is taken
// from the current folder. Errors: run is false, exitCode 2 and `error` says what is wrong.
StartRequest ReadCommandLine(const QStringList& arguments);

}  // namespace quorvan::app
