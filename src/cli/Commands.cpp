#include "cli/Commands.h"

#include "cli/ExitCode.h"
#include "cli/JsonDesign.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/document/DocumentPrompts.h"
#include "core/errors/ResonexError.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/DesignInputs.h"
#include "core/physics/PowerSupply.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/NativeName.h"
#include "core/results/BangResultTexts.h"
#include "core/results/BurstResultTexts.h"
#include "core/results/TopLoadResultTexts.h"
#include "core/results/WaveformCsv.h"
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

// Where an error came from, as the user gave it: an input beyond the
// classic ones by its option (the classic ones keep their own sources).
QString sourceTyped(const ResonexError& error) {
    for (const DesignInput& row : designInputs())
        if (!row.classic() && error.source() == QLatin1String(row.error.source))
            return QLatin1String(row.option);
    return error.source();
}

// A rejected entry or a failed calculation: its description, source and number.
int reportError(const ResonexError& error) {
    printError(QString::asprintf("%s [%s 0x%08X]", qPrintable(error.description()),
                                 qPrintable(sourceTyped(error)), unsigned(error.number())));
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

// Why a choice of 1 cannot be taken.
QString cannotTake(const CFile& doc, const PrimaryChoiceRow& row) {
    const QString option = QLatin1String(row.option);
    if (row.from == Calculation::TopLoad && doc.topLoad().isSet())
        if (const std::optional<NoFigures> absent = doc.results().topLoad().absent)
            return option + QStringLiteral(" 1 has no loaded frequency to take: ") +
                   noFiguresText(*absent);
    return option + QStringLiteral(" 1 needs ") + QLatin1String(row.needs);
}

PrimaryChoices chosenPrimaryChoices(const CFile& doc, const CalcOptions& options) {
    PrimaryChoices choices = offeredChoices(doc);
    // One asked for wins over the design's for the same input.
    for (const PrimaryChoiceRow& row : primaryChoiceRows()) {
        const std::optional<qint16> chosen = options.chosen(row.choice);
        if (chosen == 1 && !canUse(doc, row.choice))
            throw UsageError{cannotTake(doc, row)};
        if (chosen == 1)
            choices = choosing(choices, row.choice);
        else if (chosen == 0)
            choices.*row.choice = 0;
    }
    // A box filled from another calculation cannot also be typed into.
    for (const PrimaryChoiceRow& row : primaryChoiceRows())
        if (choices.*row.choice == 1 && options.entries.count(row.fills))
            throw UsageError{QLatin1String(designInput(row.fills).option) +
                             QStringLiteral(" cannot be given when ") + QLatin1String(row.takes) +
                             QStringLiteral(" is taken from ") + QLatin1String(row.takenFrom)};
    return choices;
}

// The calculation's entries as its boxes show them, with those given in place.
Entries withGiven(Entries shown, const CalcOptions& options) {
    for (auto& [input, text] : shown)
        if (const auto given = options.entries.find(input); given != options.entries.end())
            text = given->second;
    return shown;
}

void runPrimary(CFile& doc, const CalcOptions& options) {
    const PrimaryChoices choices = chosenPrimaryChoices(doc, options);
    CalculationPrompts prompts;
    calculatePrimary(doc, choices, withGiven(shownEntries(doc, choices), options), prompts);
}

void runTopLoad(CFile& doc, const CalcOptions& options) {
    const CTopLoad::Shape shape = options.top.value_or(doc.topLoad().shape());
    if (options.entries.count(Input::TubeDia) && !CTopLoad::takes(shape, Input::TubeDia))
        throw UsageError{QLatin1String(designInput(Input::TubeDia).option) +
                         QStringLiteral(" applies to a toroid only")};
    calculateTopLoad(doc, shape, withGiven(entriesOf(Calculation::TopLoad, doc.models()), options));
}

// The breaks per second are an asynchronous gap's alone, and a bank's unit is
// given whole, its capacitance with its rating.
void runPower(CFile& doc, const CalcOptions& options) {
    const auto given = [&](Input input) { return options.entries.count(input) != 0; };
    const DesignInput& gap = designInput(Input::Gap);
    const QString gapWord =
        given(Input::Gap) ? options.entries.at(Input::Gap).trimmed() : entryOf(gap, doc.models());
    const QLatin1String async(gap.words[qsizetype(physics::Gap::Asynchronous)].word);
    const DesignInput& driver = designInput(Input::Driver);
    const QString driverWord = given(Input::Driver) ? options.entries.at(Input::Driver).trimmed()
                                                    : entryOf(driver, doc.models());
    const QLatin1String bridge(driver.words[qsizetype(Driver::Bridge)].word);
    if (given(Input::Bps) && gapWord != async && driverWord != bridge)
        throw UsageError{QLatin1String(designInput(Input::Bps).option) +
                         QStringLiteral(" applies to ") + QLatin1String(gap.option) + u' ' + async +
                         QStringLiteral(" or ") + QLatin1String(driver.option) + u' ' + bridge +
                         QStringLiteral(" only")};
    if (given(Input::UnitC) != given(Input::UnitKv))
        throw UsageError{QLatin1String(designInput(Input::UnitC).option) + QStringLiteral(" and ") +
                         QLatin1String(designInput(Input::UnitKv).option) +
                         QStringLiteral(" go together")};
    calculatePower(doc, withGiven(entriesOf(Calculation::Power, doc.models()), options));
}

void calculate(CFile& doc, const CalcOptions& options) {
    if (options.in && options.use50Hz && *options.use50Hz != doc.settings().Use50Hz()) {
        doc.settings().setUse50Hz(*options.use50Hz);
        mainsFrequencyChanged(doc);
    }
    if (options.given(Calculation::Transformer))
        calculateTransformer(doc,
                             withGiven(entriesOf(Calculation::Transformer, doc.models()), options));
    if (options.given(Calculation::Secondary))
        calculateSecondary(doc,
                           withGiven(entriesOf(Calculation::Secondary, doc.models()), options));
    // After the secondary, whose coil it sits on.
    if (options.given(Calculation::TopLoad))
        runTopLoad(doc, options);
    // Before the primary, which can take its tank capacitor.
    if (options.given(Calculation::Power))
        runPower(doc, options);
    if (options.given(Calculation::Primary))
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

// The waveform as CSV: the burst's where a bridge drives the primary, else
// the bang's; a design without one, or a failed write, is a failure that
// says why.
void writeWaveform(const CFile& doc, const QString& path) {
    std::vector<physics::BangSample> samples;
    QString none;
    if (drivenByBridge(doc.added())) {
        const BurstResults& burst = doc.results().burst();
        if (burst.burst)
            samples = burst.burst->waveform();
        else
            none = noBurstText(burst);
    } else {
        const BangResults& bang = doc.results().bang();
        if (bang.bang)
            samples = bang.bang->waveform();
        else
            none = noBangText(*bang.none);
    }
    if (!none.isEmpty()) {
        printError(QStringLiteral("no waveform to write to ") + path + QStringLiteral(": ") + none);
        throw Failure{kExitCalculationError};
    }
    if (const std::optional<WriteFailure> failure =
            writeFileAtomically(path, waveformCsv(samples))) {
        printError(notWrittenText(QStringLiteral("The waveform"), path, *failure));
        throw Failure{kExitFileError};
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
        if (options.waveform)
            writeWaveform(doc, *options.waveform);
        if (options.out)
            require(doc.FileSaveAs(prompts, *options.out));
    });
}

} // namespace resonex::cli
