#pragma once

#include <cstdint>

namespace resonex {

// Every error the program raises itself: its number, the operation that raises
// it ("Class::Member") and the text shown to the user. The numbers of the
// program's own errors are the object error base plus a code unique across the
// program; callers recognise rejected inputs by these numbers.
struct ErrorInfo {
    std::uint32_t number;
    const char* source;
    const char* description;
};

inline constexpr std::uint32_t kObjectErrorBase = 0x80040000u;

namespace errors {

inline constexpr ErrorInfo SecondaryDia{kObjectErrorBase + 513, "CSecondary::Dia",
                                        "Invalid value in diameter property"};
inline constexpr ErrorInfo SecondaryHeight{kObjectErrorBase + 514, "CSecondary::Height",
                                           "Invalid value in height property"};
inline constexpr ErrorInfo SecondaryWireDia{kObjectErrorBase + 515, "CSecondary::WireDia",
                                            "Invalid value in wire diameter property"};
inline constexpr ErrorInfo SecondaryWireSpa{kObjectErrorBase + 516, "Csecondary::WireSpa",
                                            "Invalid value in wire spacing property"};

inline constexpr ErrorInfo PrimaryC{kObjectErrorBase + 517, "CPrimary::C",
                                    "Invalid value in capacitance property"};
inline constexpr ErrorInfo PrimaryFr{kObjectErrorBase + 518, "CPrimary::Fr",
                                     "Invalid value in the resonant frequency property"};
inline constexpr ErrorInfo PrimaryConDia{kObjectErrorBase + 519, "CPrimary::ConDia",
                                         "Invalid value in the conductor diameter property"};
inline constexpr ErrorInfo PrimarySecDia{kObjectErrorBase + 520, "CPrimary::SecDia",
                                         "Invalid value in the secondary diameter property"};
inline constexpr ErrorInfo PrimaryConSpa{kObjectErrorBase + 521, "CPrimary::ConSpa",
                                         "Invalid value in the conductor spacing property"};
inline constexpr ErrorInfo PrimarySecSep{kObjectErrorBase + 522, "CPrimary::SecSep",
                                         "Invalid value in the secondary separation property"};

inline constexpr ErrorInfo TransformerSecVol{kObjectErrorBase + 523, "CTransformer::SecVol",
                                             "Invalid value in secondary voltage property"};
inline constexpr ErrorInfo TransformerSecCur{kObjectErrorBase + 524, "CTransformer::SecCur",
                                             "Invalid value in secondary current property"};
inline constexpr ErrorInfo TransformerNum{kObjectErrorBase + 525, "CTransformer::Num",
                                          "Invalid value in number property"};

inline constexpr ErrorInfo TopLoadTopDia{kObjectErrorBase + 526, "CTopLoad::TopDia",
                                         "Invalid value in top load diameter property"};
inline constexpr ErrorInfo TopLoadTubeDia{kObjectErrorBase + 527, "CTopLoad::TubeDia",
                                          "Invalid value in tube diameter property"};
inline constexpr ErrorInfo TopLoadTopHeight{kObjectErrorBase + 528, "CTopLoad::TopHeight",
                                            "Invalid value in top load height property"};
inline constexpr ErrorInfo TopLoadBaseHeight{kObjectErrorBase + 529, "CTopLoad::BaseHeight",
                                             "Invalid value in base height property"};
// 530 to 532 are the design file's; the input errors go on past them.
inline constexpr ErrorInfo TopLoadTargetFr{kObjectErrorBase + 533, "CTopLoad::TargetFr",
                                           "Invalid value in target frequency property"};
// The inputs each accepted, together they put the top load into the winding;
// the description is completed with the height that would clear it.
inline constexpr ErrorInfo TopLoadClearance{
    kObjectErrorBase + 534, "CTopLoad::TopHeight",
    "The top load cuts into the winding or reaches below the floor"};

// The primary as built.
inline constexpr ErrorInfo PrimaryShape{kObjectErrorBase + 535, "CPrimary::Shape",
                                        "Invalid value in primary shape property"};
inline constexpr ErrorInfo PrimaryAngle{kObjectErrorBase + 536, "CPrimary::Angle",
                                        "Invalid value in cone angle property"};
inline constexpr ErrorInfo PrimaryTurnsBuilt{kObjectErrorBase + 537, "CPrimary::TurnsBuilt",
                                             "Invalid value in turns built property"};
inline constexpr ErrorInfo PrimaryHeight{kObjectErrorBase + 538, "CPrimary::Height",
                                         "Invalid value in primary height property"};
inline constexpr ErrorInfo PrimaryTargetK{kObjectErrorBase + 539, "CPrimary::TargetK",
                                          "Invalid value in target coupling property"};
// The primary's inputs each accepted, together they put a turn into the
// winding, the top load or the floor; the description is completed with the
// part and what clears it.
inline constexpr ErrorInfo PrimaryClearance{kObjectErrorBase + 540, "CPrimary::Height",
                                            "The primary does not stand clear of the coil"};

// The strike rail and the room.
inline constexpr ErrorInfo RailDiameter{kObjectErrorBase + 541, "CSurroundings::RailDia",
                                        "Invalid value in strike rail diameter property"};
inline constexpr ErrorInfo RailConductor{kObjectErrorBase + 542, "CSurroundings::RailWire",
                                         "Invalid value in strike rail conductor property"};
inline constexpr ErrorInfo RailHeight{kObjectErrorBase + 543, "CSurroundings::RailHeight",
                                      "Invalid value in strike rail height property"};
inline constexpr ErrorInfo CeilingHeight{kObjectErrorBase + 544, "CSurroundings::Ceiling",
                                         "Invalid value in ceiling height property"};
inline constexpr ErrorInfo WallsDistance{kObjectErrorBase + 545, "CSurroundings::Walls",
                                         "Invalid value in walls distance property"};
// The entries each accepted, together they put the rail, the ceiling or the
// walls into the coil, its top load or its primary; the description is
// completed with the part that does.
inline constexpr ErrorInfo SurroundingsClearance{
    kObjectErrorBase + 546, "CSurroundings::Clearance",
    "The surroundings cut into the coil, its top load or its primary"};

// The power side: the gap, the tank capacitor and the capacitor bank.
inline constexpr ErrorInfo PowerGap{kObjectErrorBase + 547, "CPower::Gap",
                                    "Invalid value in gap property"};
// Also raised by an asynchronous gap without its breaks per second.
inline constexpr ErrorInfo PowerBps{kObjectErrorBase + 548, "CPower::Bps",
                                    "Invalid value in breaks per second property"};
inline constexpr ErrorInfo PowerTankC{kObjectErrorBase + 549, "CPower::TankC",
                                      "Invalid value in tank capacitor property"};
// Also raised by a unit capacitance without its rating, and the other way.
inline constexpr ErrorInfo PowerUnitC{kObjectErrorBase + 550, "CPower::UnitC",
                                      "Invalid value in unit capacitance property"};
inline constexpr ErrorInfo PowerUnitKv{kObjectErrorBase + 551, "CPower::UnitKv",
                                       "Invalid value in unit voltage rating property"};
inline constexpr ErrorInfo PowerMmcSafety{kObjectErrorBase + 552, "CPower::MmcSafety",
                                          "Invalid value in capacitor bank safety factor property"};
// The entries each accepted, the bank they ask for is more units than anyone
// builds.
inline constexpr ErrorInfo PowerTooManyUnits{
    kObjectErrorBase + 553, "CPower::Bank",
    "The capacitor bank needs more than 10,000 units: use larger units or ones rated higher"};

// The bang in time: the gap's resistance, a streamer's, the notch the gap
// stops after.
inline constexpr ErrorInfo PowerGapOhms{kObjectErrorBase + 554, "CPower::GapOhms",
                                        "Invalid value in gap resistance property"};
inline constexpr ErrorInfo PowerStreamerOhms{kObjectErrorBase + 555, "CPower::StreamerOhms",
                                             "Invalid value in streamer resistance property"};
inline constexpr ErrorInfo PowerQuench{kObjectErrorBase + 556, "CPower::Quench",
                                       "Invalid value in quench notch property"};
inline constexpr ErrorInfo PowerDriver{kObjectErrorBase + 557, "CPower::Driver",
                                       "Invalid value in driver property"};
inline constexpr ErrorInfo PowerBridge{kObjectErrorBase + 558, "CPower::Bridge",
                                       "Invalid value in bridge property"};
inline constexpr ErrorInfo PowerBusV{kObjectErrorBase + 559, "CPower::BusV",
                                     "Invalid value in bus voltage property"};
inline constexpr ErrorInfo PowerBusMains{kObjectErrorBase + 560, "CPower::BusMains",
                                         "Invalid value in bus mains voltage property"};
inline constexpr ErrorInfo PowerDoubler{kObjectErrorBase + 561, "CPower::Doubler",
                                        "Invalid value in rectifier property"};
inline constexpr ErrorInfo PowerBankSeries{kObjectErrorBase + 562, "CPower::BankSeries",
                                           "Invalid value in bank units in series property"};
inline constexpr ErrorInfo PowerBankStrings{kObjectErrorBase + 563, "CPower::BankStrings",
                                            "Invalid value in bank strings property"};
inline constexpr ErrorInfo PowerTuneRatio{kObjectErrorBase + 564, "CPower::TuneRatio",
                                          "Invalid value in tuning ratio property"};
inline constexpr ErrorInfo PowerOnTime{kObjectErrorBase + 565, "CPower::OnTime",
                                       "Invalid value in on-time property"};
inline constexpr ErrorInfo PowerOcdA{kObjectErrorBase + 566, "CPower::OcdA",
                                     "Invalid value in over-current limit property"};
inline constexpr ErrorInfo PowerSwitchA{kObjectErrorBase + 567, "CPower::SwitchA",
                                        "Invalid value in switch current rating property"};

// Design file failures; the description of the last two is completed at run time.
inline constexpr ErrorInfo ReadPastEnd{kObjectErrorBase + 530, "CFile::ReadField", "EOF"};
inline constexpr ErrorInfo ReadFailed{kObjectErrorBase + 531, "CFile::ReadField", ""};
inline constexpr ErrorInfo WriteFailed{kObjectErrorBase + 532, "CFile::WriteField",
                                       "Write Error: "};

// Platform failures keep the classic run-time numbers, so a message or a log
// line names the same failure whatever raised it. Their source is the operation
// that hit them, given where they are raised.
inline constexpr ErrorInfo InvalidArgument{5, "", "Invalid procedure call or argument"};
inline constexpr ErrorInfo Overflow{6, "", "Overflow"};
inline constexpr ErrorInfo DivisionByZero{11, "", "Division by zero"};
inline constexpr ErrorInfo TypeMismatch{13, "", "Type mismatch"};
inline constexpr ErrorInfo FileNotFound{53, "", "File not found"};
inline constexpr ErrorInfo FileAccess{75, "", "Path/File access error"};
inline constexpr ErrorInfo PathNotFound{76, "", "Path not found"};

} // namespace errors

// The numbers from here on are the inputs' own, the file's three apart: a new
// input's error takes the next.
inline constexpr std::uint32_t kLastInputError = kObjectErrorBase + 599;

// True for the input errors of the models (the numbers a calculation
// dialog maps to the box that holds the rejected text).
constexpr bool isInputError(std::uint32_t number) {
    return number >= errors::SecondaryDia.number && number <= kLastInputError &&
           (number < errors::ReadPastEnd.number || number > errors::WriteFailed.number);
}

} // namespace resonex
