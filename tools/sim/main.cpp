#include "SimOptions.h"
#include "SimulatorApp.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const SimOptionsResult parsed = ParseSimOptions(app.arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "orvalis-sim: %s\n", qPrintable(parsed.error));
        return 2;
    }
    if (parsed.helpRequested) {
        std::fputs(qPrintable(SimUsageText()), stdout);
        return 0;
    }
    SimulatorApp simulator(parsed.options);
    QString error;
    int exitStatus = 0;
    if (!simulator.start(&error, &exitStatus)) {
        std::fprintf(stderr, "orvalis-sim: %s\n", qPrintable(error));
        return exitStatus;
    }
    return app.exec();
}
