// Writes resonex-cli's manual page or shell completion from its template,
// each %MARKER% replaced by the part it names.
#include "cli/CliReference.h"

#include "core/platform/AtomicFile.h"
#include "core/platform/FileBytes.h"

#include <QStringList>

#include <cstdio>

using namespace resonex;
using namespace resonex::cli;

namespace {

struct Part {
    const char* marker;
    QString (*text)();
};

const Part kParts[] = {
    {"%TWO_WAY_OPTIONS%", manTwoWayOptions},
    {"%WORD_CASES%", wordCases},
    {"%INPUT_OPTIONS%", manInputOptions},
    {"%CHOICE_OPTIONS%", choiceOptionsPattern},
    {"%SHAPES%", shapeWords},
    {"%VALUE_OPTIONS%", valueOptionsPattern},
    {"%CALC_OPTIONS%", calcOptionWords},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: resonex-cli-reference TEMPLATE OUTPUT\n");
        return 64;
    }
    constexpr qint64 kTemplateLimit = 1 << 20;
    const FileBytes read = readFileBytes(QString::fromLocal8Bit(argv[1]), kTemplateLimit);
    if (read.failure) {
        std::fprintf(stderr, "resonex-cli-reference: %s: %s\n", argv[1], qPrintable(*read.failure));
        return 1;
    }
    QString text = QString::fromUtf8(read.bytes);
    for (const Part& part : kParts)
        text.replace(QLatin1String(part.marker), part.text().trimmed());
    if (const std::optional<WriteFailure> failure =
            writeFileAtomically(QString::fromLocal8Bit(argv[2]), text.toUtf8())) {
        std::fprintf(stderr, "resonex-cli-reference: %s: %s\n", argv[2],
                     qPrintable(failure->reason));
        return 1;
    }
    return 0;
}
