#include "cli/Commands.h"

#include "cli/ExitCode.h"
#include "cli/JsonDesign.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DocumentPrompts.h"
#include "core/errors/ResonexError.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/platform/NativeName.h"
#include "core/results/TopLoadResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/settings/MemoryOptionsStore.h"
#include "core/settings/StoredOptions.h"
#include "core/summary/Summary.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace resonex::cli {

namespace {

void printError(const QString& message) {
    // A file name comes back as the bytes the system holds.
    std::fprintf(stderr, "resonex-cli: %s\n", nativeName(message).constData());
}

// A failure the command cannot go on from, with its exit code.
struct Failure {
    int exitCode;
};

// A rejected entry or a failed calculation: its description, source and number.
int reportError(const ResonexError& error) {
    printError(QString::asprintf("%s [%s 0x%08X]", qPrintable(error.description()),
                                 qPrintable(error.source()), unsigned(error.number())));
    return isInputError(error.number()) ? kExitRejectedValue : kExitCalculationError;
}

// Says on stderr what the desktop program shows in a message box; a warning
// sign makes it a warning. Nobody is there to answer a question or a file
// dialog, which the commands run here never ask: each is cancelled.
class StderrPrompts : public DocumentPrompts {
public:
    void tell(const QString&, const QString& text, Icon icon) override {
        printError(icon == Icon::Exclamation ? QStringLiteral("warning: ") + text : text);
    }
    Answer ask(const QString&, const QString&) override { return Answer::Cancel; }
    bool confirm(const QString&, const QString&) override { return false; }
    QString chooseFileToOpen(const FileDialogSetup&) override { return QString(); }
    QString chooseFileToSave(const FileDialogSetup&) override { return QString(); }
};

// What a calculation tells (the primary's 15-turn limit) ends nothing: the run
// goes on, so it is a warning.
class CalculationPrompts : public StderrPrompts {
public:
    void tell(const QString& title, const QString& text, Icon) override {
        StderrPrompts::tell(title, text, Icon::Exclamation);
    }
};

// A step that failed has said why on stderr; the run ends.
void require(bool done) {
    if (!done)
        throw Failure{kExitFileError};
}

// The summary as printed: plain lines, ending with a line feed.
QByteArray summaryText(const CFile& doc) {
    QString text = plainText(ComposeSummary(doc));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.endsWith(u'\n'))
        text += u'\n';
    return nativeName(text);
}

// The JSON holds the values the summary shows, so a design whose summary
// cannot be composed fails alike whichever is printed.
void printDesign(const CFile& doc, Output output) {
    const QByteArray summary = summaryText(doc);
    require(writeToStdout(output == Output::Json ? designJson(doc) : summary));
}

// Why --use-top-fr 1 cannot be: no top load, or no figures for it.
QString noLoadedFrequency(const CFile& doc) {
    const CTopLoad& topLoad = doc.topLoad();
    const std::optional<NoFigures> absent = doc.topLoadResults().absent;
    if (!topLoad.isSet() || !absent)
        return QStringLiteral("--use-top-fr 1 needs a calculated secondary coil with a top load");
    return QStringLiteral("--use-top-fr 1 has no loaded frequency to take: ") +
           noFiguresText(*absent);
}

PrimaryChoices chosenPrimaryChoices(const CFile& doc, const CalcOptions& options) {
    PrimaryChoices choices = offeredChoices(doc);
    if (options.usePriC) {
        if (*options.usePriC == 1 && !canUse(doc, &PrimaryChoices::usePriC))
            throw UsageError{
                QStringLiteral("--use-pri-c 1 needs a calculated transformer capacitance")};
        choices.usePriC = *options.usePriC;
    }
    if (options.useSecFr) {
        if (*options.useSecFr == 1 && !canUse(doc, &PrimaryChoices::useSecFr))
            throw UsageError{QStringLiteral("--use-sec-fr 1 needs a calculated secondary coil")};
        choices.useSecFr = *options.useSecFr;
    }
    if (options.useTopFr) {
        if (*options.useTopFr == 1 && !canUse(doc, &PrimaryChoices::useTopFr))
            throw UsageError{noLoadedFrequency(doc)};
        choices.useTopFr = *options.useTopFr;
    }
    if (options.useSecDia)
        choices.useSecDia = *options.useSecDia;
    // The frequency comes from one calculation at most: the one asked for
    // wins over the design's.
    if (options.useTopFr == 1)
        choices.useSecFr = 0;
    else if (options.useSecFr == 1)
        choices.useTopFr = 0;

    // A box filled from another calculation cannot also be typed into.
    if (choices.usePriC == 1 && options.cap)
        throw UsageError{
            QStringLiteral("--cap cannot be given when the capacitance is taken from the "
                           "transformer calculation")};
    if (choices.useSecFr == 1 && options.freq)
        throw UsageError{
            QStringLiteral("--freq cannot be given when the frequency is taken from the "
                           "secondary calculation")};
    if (choices.useTopFr == 1 && options.freq)
        throw UsageError{
            QStringLiteral("--freq cannot be given when the frequency is taken from the "
                           "top load calculation")};
    if (choices.useSecDia == 1 && options.secDia)
        throw UsageError{
            QStringLiteral("--sec-dia cannot be given when the diameter is taken from the "
                           "secondary calculation")};
    return choices;
}

void runPrimary(CFile& doc, const CalcOptions& options) {
    const PrimaryChoices choices = chosenPrimaryChoices(doc, options);
    PrimaryEntries entries = shownEntries(doc, choices);
    entries.c = options.cap.value_or(entries.c);
    entries.fr = options.freq.value_or(entries.fr);
    entries.secDia = options.secDia.value_or(entries.secDia);
    entries.conDia = options.conDia.value_or(entries.conDia);
    entries.conSpa = options.conSpa.value_or(entries.conSpa);
    entries.secSep = options.secSep.value_or(entries.secSep);
    CalculationPrompts prompts;
    calculatePrimary(doc, choices, entries, prompts);
}

void runTopLoad(CFile& doc, const CalcOptions& options) {
    const CTopLoad& topLoad = doc.topLoad();
    TopLoadEntries entries{options.top.value_or(topLoad.shape()),
                           options.topDia.value_or(topLoad.TopDiaEntry()),
                           options.topTube.value_or(topLoad.TubeDiaEntry()),
                           options.topHeight.value_or(topLoad.TopHeightEntry()),
                           options.baseHeight.value_or(topLoad.BaseHeightEntry()),
                           options.targetFr.value_or(topLoad.TargetFrEntry())};
    if (options.topTube && entries.shape != CTopLoad::Shape::Toroid)
        throw UsageError{QStringLiteral("--top-tube applies to a toroid only")};
    calculateTopLoad(doc, entries);
}

void calculate(CFile& doc, const CalcOptions& options) {
    if (options.in && options.use50Hz && *options.use50Hz != doc.settings().Use50Hz()) {
        doc.settings().setUse50Hz(*options.use50Hz);
        mainsFrequencyChanged(doc);
    }
    if (options.transformerGiven()) {
        const CTransformer& transformer = doc.transformer();
        calculateTransformer(doc, options.kv.value_or(transformer.SecVolEntry()),
                             options.ma.value_or(transformer.SecCurEntry()),
                             options.count.value_or(transformer.Num()));
    }
    if (options.secondaryGiven()) {
        const CSecondary& secondary = doc.secondary();
        calculateSecondary(doc, options.dia.value_or(secondary.DiaEntry()),
                           options.height.value_or(secondary.HeightEntry()),
                           options.wireDia.value_or(secondary.WireDiaEntry()),
                           options.spacing.value_or(secondary.WireSpaEntry()));
    }
    // After the secondary, whose coil it sits on.
    if (options.topLoadGiven())
        runTopLoad(doc, options);
    if (options.primaryGiven())
        runPrimary(doc, options);
}

// Runs a command body, turning its failures into exit codes.
template <typename Body> int guarded(Body body) {
    try {
        body();
        return kExitOk;
    } catch (const Failure& failure) {
        return failure.exitCode;
    } catch (const ResonexError& error) {
        return reportError(error);
    }
}

} // namespace

bool writeToStdout(const QByteArray& bytes) {
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
        std::fflush(stdout) == 0;
    if (!written)
        printError(QStringLiteral("cannot write the output: ") +
                   QString::fromLocal8Bit(std::strerror(errno)));
    return written;
}

int runShow(const QString& file, Output output) {
    return guarded([&] {
        CFile doc(nullptr);
        StderrPrompts prompts;
        require(doc.FileOpenNamed(prompts, file));
        printDesign(doc, output);
    });
}

int runCalc(const CalcOptions& options, Output output) {
    return guarded([&] {
        // A new design starts as a first run would, in the units and mains
        // frequency asked for; the user's own options are never touched.
        MemoryOptionsStore firstRun;
        if (options.useMetric)
            stored::kUseMetric.write(firstRun, *options.useMetric);
        if (options.use50Hz && !options.in)
            stored::kUse50Hz.write(firstRun, *options.use50Hz);
        CFile doc(&firstRun);
        StderrPrompts prompts;
        if (options.in)
            require(doc.FileOpenNamed(prompts, *options.in));
        calculate(doc, options);
        // Everything else that can fail comes before the save, so that a
        // failed run leaves no new file behind; what is printed names the file.
        if (options.out)
            doc.setFileName(*options.out);
        printDesign(doc, output);
        if (options.out)
            require(doc.FileSaveAs(prompts, *options.out));
    });
}

} // namespace resonex::cli
