#pragma once

#include <QStringList>

// Each benchmark takes the arguments after its name, prints "name: value"
// lines on stdout and returns the process exit code.
int runLinkBench(const QStringList& args);
int runMonitorBench(const QStringList& args);
