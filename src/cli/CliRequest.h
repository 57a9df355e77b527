#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

// Exit status of every command.
enum CliExit : int {
    kExitOk = 0,
    kExitBelowThreshold = 1,
    kExitUsage = 2,
    kExitNoModule = 3,
    kExitPortLost = 4,
    kExitInterrupted = 130,
};

// Where to look for the module: a port number 1 .. 8 or a device path, and a host rate;
// empty: as the window's start-up search looks.
struct PortChoice {
    QString port;
    QString baudRate;
};

// What `set rf` changes; what is not given stays as the module reports it.
struct RfChanges {
    std::optional<int> hopTable;
    std::optional<int> retries;
    std::optional<int> channel;
    std::optional<bool> hopping;
    std::optional<bool> acknowledgements;
    std::optional<bool> receiveAll;
    std::optional<int> paLevel;
    bool isEmpty() const
    {
        return !hopTable && !retries && !channel && !hopping && !acknowledgements && !receiveAll
               && !paLevel;
    }
};

// One link test: what is sent, how often, and what is kept of it.
struct TestPlan {
    enum class Data { Text, Hex, Random };
    int count = 0;
    Data data = Data::Random;
    QString text;           // Text: the characters; Hex: the hex digits
    int delayMs = 100;      // the repeat delay; 0 sends as fast as the link takes frames
    std::optional<qint32> destination;
    double minSuccess = 0;  // percent, retries included
    QString reportFile;
    QString csvFile;
    QString logFile;
};

// One sweep: the link test at every PA level and channel.
struct SweepPlan {
    QList<int> paLevels;
    QList<int> channels;
    TestPlan test;
};

// A command line read into what to do.
struct CliRequest {
    QString command;  // find, get, set, test, monitor, sweep
    QString subject;  // get: ids, rf, version, statistics; set: ids, rf, baud
    PortChoice portChoice;
    bool json = false;
    bool save = false;  // set: also store the values as the window would at exit

    std::optional<qint32> ids[3];  // transceiver, network, system
    RfChanges rf;
    QString baudRate;  // set baud
    TestPlan test;
    bool timestamps = false;  // monitor
    SweepPlan sweep;
};

struct CliParse {
    enum class Action { Run, ShowText, Fail };
    Action action = Action::Run;
    CliRequest request;
    QString text;  // help or version (stdout), or the problem (stderr)
};

// `arguments` includes the program name first.
CliParse ParseCliArguments(const QStringList& arguments);
