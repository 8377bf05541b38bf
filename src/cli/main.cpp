#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ExitCode.h"

#include "core/platform/NativeName.h"
#include "core/text/AppInfo.h"

#include <QCoreApplication>

#include <cstdio>

using namespace resonex;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    try {
        const cli::Request request = cli::parseArguments(argumentsFromNative(argc, argv));
        switch (request.command) {
        case cli::Request::Command::Help:
            return cli::writeToStdout(cli::helpText().toLocal8Bit()) ? cli::kExitOk
                                                                     : cli::kExitFileError;
        case cli::Request::Command::Version:
            return cli::writeToStdout(QStringLiteral("resonex-cli %1.%2\n")
                                          .arg(kMajorVersion)
                                          .arg(kMinorVersion)
                                          .toLocal8Bit())
                       ? cli::kExitOk
                       : cli::kExitFileError;
        case cli::Request::Command::Show:
            return cli::runShow(request.file, request.output);
        case cli::Request::Command::Calc:
            return cli::runCalc(request.calc, request.output);
        }
    } catch (const cli::UsageError& error) {
        std::fprintf(stderr, "resonex-cli: %s\nTry 'resonex-cli --help' for more information.\n",
                     qPrintable(error.message));
    }
    return cli::kExitUsage;
}
